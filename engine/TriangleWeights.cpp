// The triangle's polynomials, one table row per number of harmonics kept.
#include "engine/TriangleWeights.h"

#include <algorithm>
#include <array>

namespace voice {

namespace {

using Row = std::array<double, kTriangleTerms>;

// Row n holds the polynomials of the first n odd harmonics for C sines, term j being harmonic
// 2j + 1 weighing +1/k^2 for k mod 4 = 1 and -1/k^2 for k mod 4 = 3.
template <int C>
constexpr std::array<Row, kTriangleTerms + 1> rowsFor() {
  constexpr int kCoefficients = kTriangleTerms / C;
  // Monomial coefficients of V_(g-1), g = 0 .. kCoefficients (entry 0 is V_-1 = 0).
  std::array<std::array<double, kCoefficients>, kCoefficients + 1> v{};
  v[1][0] = 1.0;
  for (int g = 2; g <= kCoefficients; ++g)
    for (int i = 0; i < kCoefficients; ++i)
      v[g][i] = (i > 0 ? v[g - 1][i - 1] : 0.0) - v[g - 2][i];
  std::array<Row, kTriangleTerms + 1> rows{};
  for (int n = 1; n <= kTriangleTerms; ++n) {
    rows[n] = rows[n - 1];
    const int t = n - 1;
    const int k = 2 * t + 1;
    const double weight = (k % 4 == 1 ? 1.0 : -1.0) / (static_cast<double>(k) * k);
    const int g = t / C, m = t % C;
    for (int i = 0; i < kCoefficients; ++i) {
      rows[n][m * kCoefficients + i] += weight * v[g + 1][i];
      rows[n][(C - 1 - m) * kCoefficients + i] += weight * v[g][i];
    }
  }
  return rows;
}

constexpr std::array<Row, kTriangleTerms + 1> kTwoSines = rowsFor<2>();
constexpr std::array<Row, kTriangleTerms + 1> kFourSines = rowsFor<4>();

int termsUpTo(int limit) {
  return limit < 1 ? 0 : std::min((limit + 1) / 2, kTriangleTerms);
}

}  // namespace

void setTriangleLimit(TriangleWeights& w, int limit, int sines) {
  w.harmonicLimit = limit;
  w.sines = sines;
  const Row& row = (sines == 2 ? kTwoSines : kFourSines)[termsUpTo(limit)];
  for (int c = 0; c < kTriangleTerms; ++c)
    for (double& lane : w.coefficient[c])
      lane = row[c];
}

}  // namespace voice
