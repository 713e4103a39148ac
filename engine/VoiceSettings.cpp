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

static MixSettings mixSettings(const double* smooth) {
  const double square = smooth[kSquare];
  const double triangle = smooth[kTriangle];
  const double sine = smooth[kSine];
  const double character = smooth[kSineCharacter];
  MixSettings m;
  m.square = bothLanes(square);
  m.triangle = bothLanes(triangle);
  m.sine = bothLanes(sine);
  const double normaliser = std::max(square + triangle + sine, 1.0);
  m.normaliser = bothLanes(normaliser);
  m.rescales = normaliser != 1.0;
  m.third = bothLanes(kThirdHarmonicShare * character);
  m.fifth = bothLanes(kFifthHarmonicShare * character);
  m.characterNormaliser = bothLanes(1.0 + kCharacterNormalisation * character);
  return m;
}

void deriveSettings(ToneEngine& e) {
  const double* block = e.blockParams;
  const double* smooth = e.smoothParams;
  const double rate = e.sampleRate;
  VoiceCache& cache = e.cache;
  VoiceSettings& s = cache.settings;

  s.transposeSemitones = transposeSemitones(block[kTranspose]);
  s.fineTuneSemitones = fineTuneSemitones(smooth[kFineTune]);

  const double glideTime = glideSeconds(smooth[kGlissando]);
  s.glides = glideTime >= kMinGlideSeconds;
  if (s.glides)
    s.glideCoefficient = 1.0 - memoized(cache.glideDecay, -1.0 / (glideTime * rate),
                                        [](double x) { return std::exp(x); });

  s.attackStep = 1.0 / (attackSeconds(block[kAttack]) * rate);
  s.releaseStep = 1.0 / (releaseSeconds(block[kRelease]) * rate);
  s.vibratoIncrement = modulationRateHz(smooth[kVibratoRate]) / rate;
  s.vibratoCents = vibratoDepthCents(smooth[kVibratoDepth]);
  s.tremoloIncrement = modulationRateHz(smooth[kTremoloRate]) / rate;
  s.tremoloDepth = smooth[kTremoloDepth];
  s.gain = memoized(cache.gain, smooth[kOutput], [](double x) { return outputGain(x); });
  s.velocitySensitivity = smooth[kVelocity];
  s.targetCeiling = std::min(kMaxTargetPerRate * rate, kMaxTargetHz);
  s.modulatedCeiling = kMaxModulatedPerRate * rate;
  s.mix = mixSettings(smooth);
}

}  // namespace voice
