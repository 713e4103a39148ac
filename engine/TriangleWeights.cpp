// The triangle's polynomials, one table row per number of harmonics kept, for two and for
// four sines.
#include "engine/TriangleWeights.h"

#include <algorithm>
#include <array>

namespace voice {

namespace {

struct Polynomials {
  double row[kTriangleTerms + 1][kTriangleTerms][kCoefficientLanes];
};

// Row n holds the polynomials of the first n odd harmonics for C sines, term j being harmonic
// 2j + 1 weighing +1/k^2 for k mod 4 = 1 and -1/k^2 for k mod 4 = 3.
template <int C>
constexpr Polynomials rowsFor() {
  constexpr int kCoefficients = kTriangleTerms / C;
  // Monomial coefficients of V_(g-1), g = 0 .. kCoefficients (entry 0 is V_-1 = 0).
  std::array<std::array<double, kCoefficients>, kCoefficients + 1> v{};
  v[1][0] = 1.0;
  for (int g = 2; g <= kCoefficients; ++g)
    for (int i = 0; i < kCoefficients; ++i)
      v[g][i] = (i > 0 ? v[g - 1][i - 1] : 0.0) - v[g - 2][i];
  std::array<std::array<double, kTriangleTerms>, kTriangleTerms + 1> sums{};
  for (int n = 1; n <= kTriangleTerms; ++n) {
    auto& row = sums[n];
    row = sums[n - 1];
    const int t = n - 1;
    const int k = 2 * t + 1;
    const double weight = (k % 4 == 1 ? 1.0 : -1.0) / (static_cast<double>(k) * k);
    const int g = t / C, m = t % C;
    for (int i = 0; i < kCoefficients; ++i) {
      row[m * kCoefficients + i] += weight * v[g + 1][i];
      row[(C - 1 - m) * kCoefficients + i] += weight * v[g][i];
    }
  }
  Polynomials p{};
  for (int n = 0; n <= kTriangleTerms; ++n)
    for (int c = 0; c < kTriangleTerms; ++c)
      for (double& lane : p.row[n][c])
        lane = sums[n][c];
  return p;
}

alignas(64) constexpr Polynomials kTwoSines = rowsFor<2>();
alignas(64) constexpr Polynomials kFourSines = rowsFor<4>();

}  // namespace

void setTriangleLayout(TriangleWeights& w, int sines) {
  w.sines = sines;
  w.rows = (sines == 2 ? kTwoSines : kFourSines).row;
}

}  // namespace voice
