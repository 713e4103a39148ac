// The triangle's harmonic weights.
#include "engine/Oscillators.h"

namespace voice {

void setTriangleLimit(TriangleWeights& w, int limit) {
  w.harmonicLimit = limit;
  for (int g = 0; g < kTriangleGroups; ++g) {
    for (int m = 0; m < kTriangleChains; ++m) {
      const int k = 2 * kTriangleChains * g + 2 * m + 1;
      // +1/k^2 for k mod 4 = 1, -1/k^2 for k mod 4 = 3.
      const double sign = k % 4 == 1 ? 1.0 : -1.0;
      const double weight = k <= limit ? sign / (static_cast<double>(k) * k) : 0.0;
      w.weight[g][m][0] = weight;
      w.weight[g][m][1] = weight;
    }
  }
}

}  // namespace voice
