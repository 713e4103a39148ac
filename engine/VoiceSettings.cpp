// Parameter smoothing and the engine values of the parameters for one frame.
#include "engine/VoiceSettings.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "engine/ParamMapping.h"
#include "engine/ToneEngine.h"

namespace voice {

// An arrived value gives s + (p - s) step = s again on every frame: skipping it changes no bit.
ParamSet smoothParameters(ToneEngine& e) {
  const double step = e.cache.smoothingStep;
  ParamSet moved = 0;
  for (ParamSet left = e.cache.moving; left != 0; left &= left - 1) {
    const int i = __builtin_ctz(left);
    const double s = e.smoothParams[i];
    const double next = s + (e.blockParams[i] - s) * step;
    if (next != s) moved |= ParamSet{1} << i;
    e.smoothParams[i] = next;
  }
  e.cache.moving = moved;
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

static bool any(ParamSet changed, std::initializer_list<ParamId> ids) {
  for (ParamId id : ids)
    if (changed & (ParamSet{1} << id)) return true;
  return false;
}

// Each setting is a function of its own parameters (and the rate, which changes them all), so
// recomputing only those whose parameters changed leaves every setting as a full pass would.
void deriveSettings(ToneEngine& e, ParamSet changed) {
  const double* block = e.blockParams;
  const double* smooth = e.smoothParams;
  const double rate = e.sampleRate;
  VoiceCache& cache = e.cache;
  VoiceSettings& s = cache.settings;
  ++cache.settingsVersion;

  if (any(changed, {kTranspose})) s.transposeSemitones = transposeSemitones(block[kTranspose]);
  if (any(changed, {kFineTune})) s.fineTuneSemitones = fineTuneSemitones(smooth[kFineTune]);
  if (any(changed, {kGlide})) {
    const double glideTime = glideSeconds(smooth[kGlide]);
    s.glides = glideTime >= kMinGlideSeconds;
    if (s.glides)
      s.glideCoefficient = 1.0 - memoized(cache.glideDecay, -1.0 / (glideTime * rate),
                                          [](double x) { return std::exp(x); });
  }
  if (any(changed, {kAttack})) s.attackStep = 1.0 / (attackSeconds(block[kAttack]) * rate);
  if (any(changed, {kRelease})) s.releaseStep = 1.0 / (releaseSeconds(block[kRelease]) * rate);
  if (any(changed, {kVibratoRate})) s.vibratoIncrement = vibratoRateHz(smooth[kVibratoRate]) / rate;
  if (any(changed, {kVibratoDepth})) s.vibratoCents = vibratoDepthCents(smooth[kVibratoDepth]);
  if (any(changed, {kTremoloRate})) s.tremoloIncrement = tremoloRateHz(smooth[kTremoloRate]) / rate;
  if (any(changed, {kTremoloDepth})) s.tremoloDepth = smooth[kTremoloDepth];
  if (any(changed, {kOutput}))
    s.gain = memoized(cache.gain, smooth[kOutput], [](double x) { return outputGain(x); });
  if (any(changed, {kVelocity})) s.velocitySensitivity = smooth[kVelocity];
  if (changed == kEveryParam) {
    s.targetCeiling = std::min(kMaxTargetPerRate * rate, kMaxTargetHz);
    s.modulatedCeiling = kMaxModulatedPerRate * rate;
  }
  if (any(changed, {kSquare, kTriangle, kSine, kSineCharacter})) mixWeights(smooth, s.mix);
}

}  // namespace voice
