// The triangle's polynomials, one table row per number of harmonics kept.
#include "engine/TriangleWeights.h"

#include <algorithm>
#include <array>

namespace voice {

namespace {

using Row = std::array<std::array<double, kTriangleCoefficients>, kTriangleSines>;

// Row n holds the polynomials of the first n odd harmonics, term j being harmonic 2j + 1
// weighing +1/k^2 for k mod 4 = 1 and -1/k^2 for k mod 4 = 3.
constexpr std::array<Row, kTriangleTerms + 1> kRows = [] {
  // Monomial coefficients of V_(g-1), g = 0 .. kTriangleCoefficients (entry 0 is V_-1 = 0).
  std::array<std::array<double, kTriangleCoefficients>, kTriangleCoefficients + 1> v{};
  v[1][0] = 1.0;
  for (int g = 2; g <= kTriangleCoefficients; ++g)
    for (int i = 0; i < kTriangleCoefficients; ++i)
      v[g][i] = (i > 0 ? v[g - 1][i - 1] : 0.0) - v[g - 2][i];
  std::array<Row, kTriangleTerms + 1> rows{};
  for (int n = 1; n <= kTriangleTerms; ++n) {
    rows[n] = rows[n - 1];
    const int t = n - 1;
    const int k = 2 * t + 1;
    const double weight = (k % 4 == 1 ? 1.0 : -1.0) / (static_cast<double>(k) * k);
    const int g = t / kTriangleSines, m = t % kTriangleSines;
    for (int i = 0; i < kTriangleCoefficients; ++i) {
      rows[n][m][i] += weight * v[g + 1][i];
      rows[n][kTriangleSines - 1 - m][i] += weight * v[g][i];
    }
  }
  return rows;
}();

int termsUpTo(int limit) {
  return limit < 1 ? 0 : std::min((limit + 1) / 2, kTriangleTerms);
}

}  // namespace

void setTriangleLimit(TriangleWeights& w, int limit) {
  w.harmonicLimit = limit;
  const Row& row = kRows[termsUpTo(limit)];
  for (int j = 0; j < kTriangleSines; ++j)
    for (int i = 0; i < kTriangleCoefficients; ++i)
      for (double& lane : w.coefficient[j][i])
        lane = row[j][i];
}

}  // namespace voice
