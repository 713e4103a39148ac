// Driving the instance under test block by block.
#include "tools/validate/Subject.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tools/host/CrashGuard.h"
#include "tools/validate/CheckContext.h"
#include "tools/validate/TextFormat.h"

namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kControlChange = 0xB0;
constexpr int kSustainPedal = 64;
constexpr int kAllNotesOff = 123;
constexpr int kMidiChannels = 16;
constexpr int kMidiNotes = 128;

uint8_t dataByte(int value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 127));
}

}  // namespace

Subject::Subject(CheckContext& context) {
  if (!plugin_.create(context.module())) {
    context.fail(plugin_.error());
    return;
  }
  identity_ = plugin_.identity();
  for (int32_t i = 0; i < identity_.numParams; ++i)
    initialValues_.push_back(plugin_.parameter(i));
  floatIn_.allocate(identity_.numInputs, kMaxFrames);
  floatOut_.allocate(identity_.numOutputs, kMaxFrames);
  doubleIn_.allocate(identity_.numInputs, kMaxFrames);
  doubleOut_.allocate(identity_.numOutputs, kMaxFrames);
  for (int32_t c = 0; c < identity_.numInputs; ++c) {
    std::fill(floatIn_.channel(c), floatIn_.channel(c) + kMaxFrames, 0.0f);
    std::fill(doubleIn_.channel(c), doubleIn_.channel(c) + kMaxFrames, 0.0);
  }
}

bool Subject::hasPath(RenderPath path) const {
  const AEffect* e = effect();
  if (e == nullptr) return false;
  switch (path) {
    case RenderPath::Replacing:
      return e->processReplacing != nullptr && (e->flags & effFlagsCanReplacing) != 0;
    case RenderPath::DoubleReplacing:
      return e->processDoubleReplacing != nullptr && (e->flags & effFlagsCanDoubleReplacing) != 0;
    case RenderPath::Adding:
      return e->process != nullptr;
  }
  return false;
}

RenderPath Subject::defaultPath() const {
  return hasPath(RenderPath::Replacing) ? RenderPath::Replacing : RenderPath::Adding;
}

void Subject::setup(double sampleRate, int32_t announcedBlock, Precision precision) {
  sampleRate_ = sampleRate;
  plugin_.configure(sampleRate, announcedBlock, precision);
}

void Subject::restoreInitialParameters() {
  for (size_t i = 0; i < initialValues_.size(); ++i)
    plugin_.setParameter(static_cast<int32_t>(i), initialValues_[i]);
}

void Subject::noteOn(int32_t delta, int note, int velocity, int channel) {
  const uint8_t bytes[] = {static_cast<uint8_t>(kNoteOn | (channel & 15)), dataByte(note),
                           dataByte(velocity)};
  events_.add(delta, bytes, sizeof bytes);
  sounding_[(channel & 15) * kMidiNotes + dataByte(note)] = velocity > 0;
}

void Subject::noteOff(int32_t delta, int note, int channel) {
  const uint8_t bytes[] = {static_cast<uint8_t>(kNoteOff | (channel & 15)), dataByte(note), 0};
  events_.add(delta, bytes, sizeof bytes);
  sounding_[(channel & 15) * kMidiNotes + dataByte(note)] = false;
}

void Subject::controller(int32_t delta, int number, int value, int channel) {
  const uint8_t bytes[] = {static_cast<uint8_t>(kControlChange | (channel & 15)), dataByte(number),
                           dataByte(value)};
  events_.add(delta, bytes, sizeof bytes);
}

void Subject::releaseAll(int32_t delta) {
  for (int slot = 0; slot < kNoteSlots; ++slot)
    if (sounding_[slot]) noteOff(delta, slot % kMidiNotes, slot / kMidiNotes);
  for (int channel = 0; channel < kMidiChannels; ++channel) {
    controller(delta, kSustainPedal, 0, channel);
    controller(delta, kAllNotesOff, 0, channel);
  }
}

void Subject::sendEvents() {
  if (events_.empty()) return;
  VstEvents* block = events_.events();
  asAudioCall("effProcessEvents", [&] { dispatch(effProcessEvents, 0, 0, block); });
  events_.clear();
}

void Subject::render(int32_t frames, RenderPath path) {
  AEffect* e = effect();
  if (e == nullptr) return;
  frames = std::clamp(frames, 0, kMaxFrames);
  sendEvents();
  lastPath_ = path;
  lastFrames_ = frames;
  switch (path) {
    case RenderPath::Replacing: {
      floatOut_.prepareUnwritten(frames);
      crashguard::Stage stage("processReplacing");
      asAudioCall("processReplacing", [&] {
        e->processReplacing(e, floatIn_.pointers(), floatOut_.pointers(), frames);
      });
      break;
    }
    case RenderPath::DoubleReplacing: {
      doubleOut_.prepareUnwritten(frames);
      crashguard::Stage stage("processDoubleReplacing");
      asAudioCall("processDoubleReplacing", [&] {
        e->processDoubleReplacing(e, doubleIn_.pointers(), doubleOut_.pointers(), frames);
      });
      break;
    }
    case RenderPath::Adding: {
      floatOut_.prepare(frames, addingBase_);
      crashguard::Stage stage("process");
      asAudioCall("process",
                  [&] { e->process(e, floatIn_.pointers(), floatOut_.pointers(), frames); });
      break;
    }
  }
  if (path == RenderPath::DoubleReplacing)
    scan(doubleOut_, frames, true);
  else
    scan(floatOut_, frames, path == RenderPath::Replacing);
  framesRendered_ += frames;
}

void Subject::problem(int64_t& counter, const char* what, int32_t channel, int32_t frame) {
  if (health_.healthy())
    health_.first =
        textf("%s at frame %lld of the output (channel %d, frame %d of a %d-frame block)", what,
              static_cast<long long>(framesRendered_ + frame), channel, frame, lastFrames_);
  ++counter;
}

template <typename Sample>
void Subject::scan(const ChannelBuffers<Sample>& buffers, int32_t frames, bool replacing) {
  for (int32_t c = 0; c < buffers.channels(); ++c) {
    const Sample* p = buffers.channel(c);
    for (int32_t i = 0; i < frames; ++i) {
      const Sample s = p[i];
      if (replacing && ChannelBuffers<Sample>::isUnwritten(s))
        problem(health_.unwritten, "a sample left unwritten", c, i);
      else if (!std::isfinite(s))
        problem(health_.nonFinite, std::isnan(s) ? "NaN" : "an infinite sample", c, i);
      else if (std::fpclassify(s) == FP_SUBNORMAL)
        problem(health_.subnormal, "a subnormal sample", c, i);
    }
  }
  const int32_t hits = buffers.guardHits(frames);
  if (hits > 0) {
    if (health_.healthy())
      health_.first = textf("%d samples written outside a %d-frame block", hits, frames);
    health_.guardHits += hits;
  }
}

void Subject::renderFrames(int64_t total, int32_t block) {
  while (total > 0) {
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(total, block));
    render(n);
    total -= n;
  }
}

int64_t Subject::renderUntilSilent(int64_t limit, int32_t block, int64_t quietFrames,
                                   double floor) {
  int64_t rendered = 0;
  int64_t silenceStart = 0;
  while (rendered < limit + quietFrames) {
    render(block);
    for (int32_t i = 0; i < lastFrames_; ++i)
      for (int32_t c = 0; c < outputs(); ++c)
        if (!(std::fabs(sample(c, i)) <= floor)) silenceStart = rendered + i + 1;
    rendered += lastFrames_;
    if (rendered - silenceStart >= quietFrames) return silenceStart;
    if (silenceStart > limit) return -1;
  }
  return -1;
}

double Subject::sample(int32_t channel, int32_t frame) const {
  if (channel < 0 || channel >= outputs() || frame < 0 || frame >= lastFrames_) return 0.0;
  if (lastPath_ == RenderPath::DoubleReplacing) return doubleOut_.channel(channel)[frame];
  const double s = floatOut_.channel(channel)[frame];
  return lastPath_ == RenderPath::Adding ? s - addingBase_ : s;
}

double Subject::lastPeak() const {
  double peak = 0.0;
  for (int32_t c = 0; c < outputs(); ++c)
    for (int32_t i = 0; i < lastFrames_; ++i) {
      const double s = std::fabs(sample(c, i));
      if (std::isnan(s)) return std::numeric_limits<double>::infinity();
      peak = std::max(peak, s);
    }
  return peak;
}

bool Subject::reportHealth(CheckContext& context, const std::string& situation) {
  if (health_.healthy()) return true;
  std::string counts;
  auto add = [&](int64_t n, const char* what) {
    if (n == 0) return;
    counts += (counts.empty() ? "" : ", ") + std::to_string(n) + " " + what;
  };
  add(health_.nonFinite, "NaN/infinite");
  add(health_.subnormal, "subnormal");
  add(health_.unwritten, "unwritten");
  add(health_.guardHits, "written outside the block");
  context.fail(situation + ": " + health_.first + " [" + counts + "]");
  health_ = SignalHealth{};
  return false;
}
