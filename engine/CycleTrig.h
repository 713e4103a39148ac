// Sine of phases given in cycles and 2^x for the small exponents of vibrato, lane by lane in
// any of the engine's vector forms (V is Sse2Lanes or a wider form). Both are polynomial
// kernels accurate to about one unit in the last place: the voice evaluates the sine for
// every oversampled step, where a library call per value would cost more than the rest of
// the voice together. Templates only: a wide form instantiates them under its own
// instruction set.
#pragma once

namespace voice {

// Chebyshev-economized series of -sin(2 pi r) / r in r^2 for |r| <= 1/4 (negated, which is
// exact, so that the sign comes out with one operation below), and of 2^x for |x| <= 1/8.
inline constexpr double kNegSinSeries[9] = {
    -6.283185307179586,  41.34170224039975,  -81.60524927607172,
    76.70585975263434,   -42.05869391526577, 15.094641368684599,
    -3.8199227975201033, 0.7176853699001249, -0.10071467531221284};
inline constexpr double kExp2Series[9] = {1.0,
                                          0.6931471805599451,
                                          0.24022650695910067,
                                          0.055504108665003604,
                                          0.009618129107649505,
                                          0.0013333557727045922,
                                          0.00015403530016561536,
                                          1.5256312410530223e-05,
                                          1.3218242873613306e-06};

// c0 + c1 z + ... + c8 z^8 by Horner's rule: the fewest instructions.
template <class V>
[[gnu::always_inline]] inline typename V::Vec polynomial9(const double (&c)[9], typename V::Vec z) {
  using Vec = typename V::Vec;
  Vec sum = V::set1(c[8]);
#pragma GCC unroll 8
  for (int i = 7; i >= 0; --i)
    sum = V::mulAdd(sum, z, V::set1(c[i]));
  return sum;
}

// The same polynomial as its even and odd halves, each by Horner's rule in z^2 and run side
// by side: two instructions more, but a chain six operations deep instead of nine. In the
// oscillator bank everything else waits for the sine, and with fused multiply-adds the
// shorter chain is the faster one.
template <class V>
[[gnu::always_inline]] inline typename V::Vec polynomial9Halves(const double (&c)[9],
                                                                typename V::Vec z) {
  using Vec = typename V::Vec;
  const Vec z2 = V::mul(z, z);
  Vec even = V::set1(c[8]);
  Vec odd = V::set1(c[7]);
#pragma GCC unroll 4
  for (int i = 6; i >= 0; i -= 2) {
    even = V::mulAdd(even, z2, V::set1(c[i]));
    if (i > 0) odd = V::mulAdd(odd, z2, V::set1(c[i - 1]));
  }
  return V::mulAdd(odd, z, even);
}

// A phase p in [0, 1) folded for its sine: sin(2 pi p) = -sign(u) sin(2 pi r), where
// u = p - 1/2 and r = 1/4 - ||u| - 1/4| lies in [0, 1/4]. r is also the distance from p to
// the nearest multiple of 1/2, where the square wave has its edges. Every step is exact
// except for phases within 1/8 of an edge, where the roundings stay below 1e-16.
template <class V>
struct FoldedPhase {
  typename V::Vec signOfU;  // sign bit of u, 0 elsewhere
  typename V::Vec r;
};

template <class V>
[[gnu::always_inline]] inline FoldedPhase<V> foldPhase(typename V::Vec p) {
  using Vec = typename V::Vec;
  const Vec quarter = V::set1(0.25);
  const Vec u = V::sub(p, V::set1(0.5));
  return {V::signBits(u), V::sub(quarter, V::abs(V::sub(V::abs(u), quarter)))};
}

// -sin(2 pi r) / r for z = r^2, by the scheme the form prefers.
template <class V>
[[gnu::always_inline]] inline typename V::Vec negSineSeries(typename V::Vec z) {
  if constexpr (V::kFewestInstructions)
    return polynomial9<V>(kNegSinSeries, z);
  else
    return polynomial9Halves<V>(kNegSinSeries, z);
}

// sin(2 pi p) from its folded phase, given the series at r^2.
template <class V>
[[gnu::always_inline]] inline typename V::Vec sinOfSeries(const FoldedPhase<V>& f,
                                                          typename V::Vec series) {
  return V::flipSigns(V::mul(f.r, series), f.signOfU);
}

template <class V>
[[gnu::always_inline]] inline typename V::Vec sinOfFolded(const FoldedPhase<V>& f) {
  return sinOfSeries<V>(f, negSineSeries<V>(V::mul(f.r, f.r)));
}

// sin(2 pi p) for phases p in [0, 1); exactly 0 at p = 0 and p = 1/2.
template <class V>
[[gnu::always_inline]] inline typename V::Vec sinOfPhase(typename V::Vec p) {
  return sinOfFolded<V>(foldPhase<V>(p));
}

// 2^x for |x| <= 1/8; exactly 1 at x = 0.
template <class V>
[[gnu::always_inline]] inline typename V::Vec exp2Small(typename V::Vec x) {
  return polynomial9<V>(kExp2Series, x);
}

}  // namespace voice
