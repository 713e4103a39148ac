// The triangle's harmonic weights.
#include "engine/TriangleWeights.h"

namespace voice {

void setTriangleLimit(TriangleWeights& w, int limit) {
  w.harmonicLimit = limit;
  for (int j = 0; j < kTriangleTerms; ++j) {
    const int k = 2 * j + 1;
    const double sign = k % 4 == 1 ? 1.0 : -1.0;
    const double weight = k <= limit ? sign / (static_cast<double>(k) * k) : 0.0;
    for (double& lane : w.weight[j])
      lane = weight;
  }
}

}  // namespace voice
