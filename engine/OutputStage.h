// The output stage over a run, in vector lanes of frames: the decimated signal times the
// envelope (which carries the velocity), tremolo and gain, non-finite samples made 0, then written
// or added to the host's channels in single precision or written in double precision. Templates
// only, instantiated by each vector form.
#pragma once

#include <cstdint>

#include "engine/CycleTrig.h"
#include "engine/OutputChannels.h"
#include "engine/StageBuffers.h"

namespace voice {

// The run's tremolo depth and gain: held, or per frame while smoothing moves them.
template <class V>
struct HeldGains {
  typename V::Vec tremoloDepth, gain;
  explicit HeldGains(const StageBuffers& b)
      : tremoloDepth(V::set1(b.tremoloDepth)), gain(V::set1(b.gain)) {}
  [[gnu::always_inline]] typename V::Vec depthAt(int) const { return tremoloDepth; }
  [[gnu::always_inline]] typename V::Vec gainAt(int) const { return gain; }
};

template <class V>
struct FrameGains {
  const StageBuffers& b;
  [[gnu::always_inline]] typename V::Vec depthAt(int f) const {
    return V::load(b.frameTremoloDepth + f);
  }
  [[gnu::always_inline]] typename V::Vec gainAt(int f) const { return V::load(b.frameGain + f); }
};

// Samples of frames f .. f + lanes - 1.
template <class V, class Gains>
[[gnu::always_inline]] inline typename V::Vec outputSamples(const StageBuffers& b,
                                                            const Gains& gains, bool tremolo,
                                                            int f) {
  using Vec = typename V::Vec;
  Vec out = V::mul(V::load(b.filtered + f), V::load(b.envelope + f));
  if (tremolo) {
    const Vec half = V::set1(0.5);
    const Vec swing = V::mulAdd(half, sinOfPhase<V>(V::load(b.tremoloPhase + f)), half);
    out = V::mul(out, V::negMulAdd(gains.depthAt(f), swing, V::set1(1.0)));
  }
  out = V::mul(out, gains.gainAt(f));
  // |out| <= the largest double fails for infinities and NaN alike.
  return V::keep(V::lessEqual(V::abs(out), V::set1(1.7976931348623157e308)), out);
}

template <class V>
[[gnu::always_inline]] inline void putSamples(float* channel, typename V::Vec s, bool accumulate) {
  if (accumulate)
    V::addFloats(channel, s);
  else
    V::storeFloats(channel, s);
}

template <class V>
[[gnu::always_inline]] inline void putSamples(double* channel, typename V::Vec s, bool) {
  V::storeUnaligned(channel, s);
}

template <class V, typename Sample>
[[gnu::always_inline]] inline void putSample(Sample* channel, double s, bool accumulate) {
  const Sample x = static_cast<Sample>(s);
  *channel = accumulate ? *channel + x : x;
}

// Frames [0, b.frames) of the run to host frames [offset, offset + b.frames). Both channels
// overwritten is what hosts ask for nearly always; it gets a loop without tests.
template <class V, class Gains, typename Sample>
inline void writeRun(const StageBuffers& b, const Gains& gains, const OutputChannels<Sample>& out,
                     int32_t offset) {
  const int frames = b.frames;
  const int whole = frames - frames % V::kLanes;
  const bool tremolo = b.tremolo;
  Sample* left = out.left == nullptr ? nullptr : out.left + offset;
  Sample* right = out.right == nullptr ? nullptr : out.right + offset;
  if (left != nullptr && right != nullptr && !out.accumulate) {
    for (int f = 0; f < whole; f += V::kLanes) {
      const typename V::Vec s = outputSamples<V>(b, gains, tremolo, f);
      putSamples<V>(left + f, s, false);
      putSamples<V>(right + f, s, false);
    }
  } else {
    for (int f = 0; f < whole; f += V::kLanes) {
      const typename V::Vec s = outputSamples<V>(b, gains, tremolo, f);
      if (left != nullptr) putSamples<V>(left + f, s, out.accumulate);
      if (right != nullptr) putSamples<V>(right + f, s, out.accumulate);
    }
  }
  if (whole == frames) return;
  // The last, partial vector: computed whole, written frame by frame.
  double tail[kMaxLanes] = {};
  V::storeUnaligned(tail, outputSamples<V>(b, gains, tremolo, whole));
  for (int f = whole; f < frames; ++f) {
    if (left != nullptr) putSample<V>(left + f, tail[f - whole], out.accumulate);
    if (right != nullptr) putSample<V>(right + f, tail[f - whole], out.accumulate);
  }
}

template <class V, typename Sample>
inline void runOutputStage(const StageBuffers& b, const OutputChannels<Sample>& out,
                           int32_t offset) {
  if (out.left == nullptr && out.right == nullptr) return;
  if (b.settingsMove)
    writeRun<V>(b, FrameGains<V>{b}, out, offset);
  else
    writeRun<V>(b, HeldGains<V>(b), out, offset);
}

}  // namespace voice
