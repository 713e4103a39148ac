// The triangle's harmonic weights.
#include "engine/TriangleWeights.h"

#include <algorithm>
#include <array>

namespace voice {

namespace {

// +1/k^2 for k mod 4 = 1, -1/k^2 for k mod 4 = 3, term j being harmonic k = 2j + 1.
constexpr std::array<double, kTriangleTerms> kFullWeights = [] {
  std::array<double, kTriangleTerms> w{};
  for (int j = 0; j < kTriangleTerms; ++j) {
    const int k = 2 * j + 1;
    w[j] = (k % 4 == 1 ? 1.0 : -1.0) / (static_cast<double>(k) * k);
  }
  return w;
}();

int termsUpTo(int limit) {
  return limit < 1 ? 0 : std::min((limit + 1) / 2, kTriangleTerms);
}

}  // namespace

// Only the terms between the old and the new limit change: runs that follow close notes
// change the limit often, but rarely by much.
void setTriangleLimit(TriangleWeights& w, int limit) {
  const int before = w.harmonicLimit < 0 ? kTriangleTerms : termsUpTo(w.harmonicLimit);
  const int after = termsUpTo(limit);
  const bool fresh = w.harmonicLimit < 0;
  w.harmonicLimit = limit;
  const int from = fresh ? 0 : std::min(before, after);
  const int to = fresh ? kTriangleTerms : std::max(before, after);
  for (int j = from; j < to; ++j) {
    const double weight = j < after ? kFullWeights[j] : 0.0;
    for (double& lane : w.weight[j])
      lane = weight;
  }
}

}  // namespace voice
