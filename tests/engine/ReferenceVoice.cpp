// The voice, evaluated literally: exp and pow every frame, two sine-and-cosine and two sine
// calls and one fmod per oversampled step, and one rotation per triangle harmonic.
#include "tests/engine/ReferenceVoice.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

double frac(double x) {
  return x - std::floor(x);
}

double unit(double x) {
  if (!std::isfinite(x) || x < 0.0) return 0.0;
  return x > 1.0 ? 1.0 : x;
}

double blep(double t, double e) {
  if (t < e) {
    const double tau = t / e;
    return 2 * tau - tau * tau - 1;
  }
  if (t > 1 - e) {
    const double tau = (t - 1) / e;
    return tau * tau + 2 * tau + 1;
  }
  return 0.0;
}

double section(BiquadSection& s, double x) {
  const double y = s.b0 * x + s.z1;
  s.z1 = s.b1 * x - s.a1 * y + s.z2;
  s.z2 = s.b2 * x - s.a2 * y;
  return y;
}

}  // namespace

double referenceRenderSample(ToneEngine& e, BiquadSection (&decimator)[2]) {
  const double sr = e.sampleRate;
  const double a = std::exp(-1.0 / (0.008 * sr));
  for (int i = 0; i < kNumParams; ++i)
    e.smoothParams[i] = e.smoothParams[i] + (e.blockParams[i] - e.smoothParams[i]) * (1 - a);
  const double* p = e.smoothParams;
  const double* b = e.blockParams;

  const double n = e.currentSlot >= 0 ? (e.currentSlot % 128) - 69 : 0;
  const double transpose = 12 * std::round(6 * unit(b[kTranspose]) - 3);
  const double fine = (200 * unit(p[kFineTune]) - 100) / 100;
  const double semitones = n + transpose + fine + (e.pitchBend - 0.5) * 4;
  const double g = 440 * std::pow(2.0, semitones / 12);
  const double target = std::min(std::max(g, 16.0), std::min(0.4 * sr, 16000.0));

  const double glide = 0.001 * (2000 * unit(p[kGlide]));
  if (glide >= 0.0005)
    e.currentFreq = e.currentFreq + (target - e.currentFreq) * (1 - std::exp(-1 / (glide * sr)));
  else
    e.currentFreq = target;

  if (e.retriggerCountdown > 0) {
    const double c = e.retriggerCountdown - 1;
    e.envLevel = e.envLevel * std::max(c / e.retriggerCountdown, 0.0);
    e.retriggerCountdown = c;
  } else {
    const double attack = (2998 * unit(b[kAttack]) + 2) * 0.001;
    const double release = (4995 * unit(b[kRelease]) + 5) * 0.001;
    e.envLevel = e.gate ? e.envLevel + 1 / (attack * sr) : e.envLevel - 1 / (release * sr);
    e.envLevel = std::min(std::max(e.envLevel, 0.0), 1.0);
  }

  const double depth = std::min(100 * unit(p[kVibratoDepth]) + 50 * e.modWheel, 150.0);
  const double ratio = std::pow(2.0, depth * std::sin(kTwoPi * e.vibratoPhase) / 1200);
  const double fm = std::min(e.currentFreq * ratio, 0.44 * sr);
  e.vibratoPhase = frac(e.vibratoPhase + (4 * unit(p[kVibratoRate]) + 4) / sr);
  e.tremoloPhase = frac(e.tremoloPhase + (4 * unit(p[kTremoloRate]) + 4) / sr);
  const double E = fm / (2 * sr);

  const double wS = p[kSquare], wT = p[kTriangle], wN = p[kSine], c = p[kSineCharacter];
  double y = 0.0;
  for (int step = 0; step < 2; ++step) {
    const double N = e.oscPhase;
    const double theta = kTwoPi * N;
    const double square = (N < 0.5 ? 1.0 : -1.0) + blep(N, E) - blep(std::fmod(N + 0.5, 1.0), E);

    const int K = static_cast<int>(std::min(std::trunc(0.48 / E), 63.0));
    double s = std::sin(theta), co = std::cos(theta);
    const double s2 = std::sin(2 * theta), c2 = std::cos(2 * theta);
    double sum = 0.0;
    for (int k = 1; k <= K; k += 2) {
      const double sigma = k % 4 == 1 ? 1.0 : -1.0;
      sum += sigma * s / (static_cast<double>(k) * k);
      const double next = s * c2 + co * s2;
      co = co * c2 - s * s2;
      s = next;
    }
    const double tri = 0.8105694691387022 * sum;

    const double sine =
        (std::sin(theta) + 0.035 * c * std::sin(3 * theta) + 0.01 * c * std::sin(5 * theta)) /
        (1 + 0.045 * c);
    const double x = (wS * square + wT * tri + wN * sine) / std::max(wS + wT + wN, 1.0);
    y = section(decimator[1], section(decimator[0], x));
    e.oscPhase = frac(N + E);
  }

  const double d = p[kTremoloDepth], v = p[kVelocity];
  const double gain = std::pow(10.0, (60 * unit(p[kOutput]) - 60) / 20);
  const double out = y * e.envLevel * (1 - d * (0.5 + 0.5 * std::sin(kTwoPi * e.tremoloPhase))) *
                     (1 - (1 - e.noteVelocity) * v) * gain;
  return std::isfinite(out) ? out : 0.0;
}
