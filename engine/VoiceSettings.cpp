// Parameter smoothing and the engine values of the parameters for one frame.
#include "engine/VoiceSettings.h"

#include <algorithm>
#include <cmath>

#include "engine/ParamMapping.h"
#include "engine/ToneEngine.h"

namespace voice {

bool smoothParameters(ToneEngine& e) {
  const double step = e.cache.smoothingStep;
  bool moved = false;
  for (int i = 0; i < kNumParams; ++i) {
    const double s = e.smoothParams[i];
    const double next = s + (e.blockParams[i] - s) * step;
    moved |= next != s;
    e.smoothParams[i] = next;
  }
  return moved;
}

// The mix as weights of the square, the triangle's harmonic sum (8 / pi^2 included) and the
// three sines of the sine oscillator, all divided by the rescaling max(sum of weights, 1).
static void mixWeights(const double* smooth, double (&mix)[kMixTerms]) {
  const double square = smooth[kSquare];
  const double triangle = smooth[kTriangle];
  const double sine = smooth[kSine];
  const double character = smooth[kSineCharacter];
  const double normaliser = std::max(square + triangle + sine, 1.0);
  const double fundamental = sine / ((1.0 + kCharacterNormalisation * character) * normaliser);
  mix[kSquareTerm] = square / normaliser;
  mix[kTriangleTerm] = kTriangleScale * triangle / normaliser;
  mix[kFundamentalTerm] = fundamental;
  mix[kThirdTerm] = fundamental * (kThirdHarmonicShare * character);
  mix[kFifthTerm] = fundamental * (kFifthHarmonicShare * character);
}

void deriveSettings(ToneEngine& e) {
  const double* block = e.blockParams;
  const double* smooth = e.smoothParams;
  const double rate = e.sampleRate;
  VoiceCache& cache = e.cache;
  VoiceSettings& s = cache.settings;

  s.transposeSemitones = transposeSemitones(block[kTranspose]);
  s.fineTuneSemitones = fineTuneSemitones(smooth[kFineTune]);

  const double glideTime = glideSeconds(smooth[kGlide]);
  s.glides = glideTime >= kMinGlideSeconds;
  if (s.glides)
    s.glideCoefficient = 1.0 - memoized(cache.glideDecay, -1.0 / (glideTime * rate),
                                        [](double x) { return std::exp(x); });

  s.attackStep = 1.0 / (attackSeconds(block[kAttack]) * rate);
  s.releaseStep = 1.0 / (releaseSeconds(block[kRelease]) * rate);
  s.vibratoIncrement = vibratoRateHz(smooth[kVibratoRate]) / rate;
  s.vibratoCents = vibratoDepthCents(smooth[kVibratoDepth]);
  s.tremoloIncrement = tremoloRateHz(smooth[kTremoloRate]) / rate;
  s.tremoloDepth = smooth[kTremoloDepth];
  s.gain = memoized(cache.gain, smooth[kOutput], [](double x) { return outputGain(x); });
  s.velocitySensitivity = smooth[kVelocity];
  s.targetCeiling = std::min(kMaxTargetPerRate * rate, kMaxTargetHz);
  s.modulatedCeiling = kMaxModulatedPerRate * rate;
  mixWeights(smooth, s.mix);
}

}  // namespace voice
