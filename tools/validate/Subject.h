// The plug-in instance under test, driven directly through its entry points with the
// validator's own buffers: any block size, any path, outputs pre-filled so that unwritten
// samples show, every block scanned for NaN, infinity, subnormals and writes outside it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/EventBlock.h"
#include "tools/host/HostedPlugin.h"
#include "tools/host/RenderPath.h"
#include "tools/validate/ChannelBuffers.h"

class CheckContext;

// Told right before and after each call of the audio thread into the plug-in (events and
// blocks), for checks that watch what happens inside those calls.
class CallObserver {
 public:
  virtual ~CallObserver() = default;
  // `call` names the entry point, a string with static lifetime.
  virtual void before(const char* call) = 0;
  virtual void after() = 0;
};

// What the scans found since the last report.
struct SignalHealth {
  int64_t nonFinite = 0;
  int64_t subnormal = 0;
  int64_t unwritten = 0;
  int64_t guardHits = 0;
  std::string first;  // the first problem, with its position
  bool healthy() const { return nonFinite + subnormal + unwritten + guardHits == 0; }
};

class Subject {
 public:
  static constexpr int32_t kMaxFrames = 16384;  // the largest block the validator sends
  static constexpr int32_t kMaxEvents = 4097;   // one more than a full queue of the instrument

  // Creates and opens an instance; on failure the check fails and ok() is false.
  explicit Subject(CheckContext& context);
  Subject(const Subject&) = delete;
  Subject& operator=(const Subject&) = delete;

  bool ok() const { return plugin_.isOpen(); }
  HostedPlugin& plugin() { return plugin_; }
  AEffect* effect() const { return plugin_.effect(); }
  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f) {
    return plugin_.dispatch(opcode, index, value, ptr, opt);
  }
  const PluginIdentity& identity() const { return identity_; }
  int32_t outputs() const { return identity_.numOutputs; }
  bool hasPath(RenderPath path) const;
  RenderPath defaultPath() const;

  // Rate, announced block size and precision, sent while suspended; then resume.
  void setup(double sampleRate, int32_t announcedBlock, Precision precision = Precision::Single);
  void start(double sampleRate, int32_t announcedBlock) {
    setup(sampleRate, announcedBlock);
    resume();
  }
  void resume() { plugin_.resume(); }
  void suspend() { plugin_.suspend(); }
  double sampleRate() const { return sampleRate_; }
  int32_t frames(double seconds) const { return static_cast<int32_t>(seconds * sampleRate_); }

  // Puts every parameter back to the value it had when the instance was created, so that a
  // setting that legitimately holds notes for ever (a drone, an endless sustain) does not
  // count as a stuck note.
  void restoreInitialParameters();

  // Events sent before the next block.
  EventBlock& events() { return events_; }
  void noteOn(int32_t delta, int note, int velocity = 100, int channel = 0);
  void noteOff(int32_t delta, int note, int channel = 0);
  void controller(int32_t delta, int number, int value, int channel = 0);
  // Ends everything: a note-off for every note this subject started and did not end, then
  // pedal up and all-notes-off on every channel.
  void releaseAll(int32_t delta = 0);
  void sendEvents();

  // Sends the pending events, then renders one block of `frames` (0 is allowed) and scans it.
  void render(int32_t frames, RenderPath path);
  void render(int32_t frames) { render(frames, defaultPath()); }
  // Renders `total` frames in blocks of `block`.
  void renderFrames(int64_t total, int32_t block);
  // Renders in blocks of `block` until the output has been exactly 0 for `quietFrames`;
  // returns the frames rendered before that silence began, or -1 if it has not begun
  // within `limit` frames.
  // Silence is |sample| <= `floor` on every channel.
  int64_t renderUntilSilent(int64_t limit, int32_t block, int64_t quietFrames, double floor);

  // The last block, in double precision whichever path made it.
  double sample(int32_t channel, int32_t frame) const;
  int32_t lastFrames() const { return lastFrames_; }
  double lastPeak() const;  // over all channels; NaN counts as infinite
  int64_t framesRendered() const { return framesRendered_; }

  // Watches the audio calls from now on; null to stop.
  void observe(CallObserver* observer) { observer_ = observer; }
  // Runs `call` as an audio-thread call into the plug-in, observed like the others.
  template <typename Call>
  void asAudioCall(const char* name, Call call) {
    if (observer_ != nullptr) observer_->before(name);
    call();
    if (observer_ != nullptr) observer_->after();
  }

  // Pre-fill for the adding path (the replacing paths are pre-filled with an unwritten mark).
  void setAddingBase(float base) { addingBase_ = base; }

  const SignalHealth& health() const { return health_; }
  // Fails the check with the first problem found since the last call; true when there was none.
  bool reportHealth(CheckContext& context, const std::string& situation);

 private:
  template <typename Sample>
  void scan(const ChannelBuffers<Sample>& buffers, int32_t frames, bool replacing);
  void problem(int64_t& counter, const char* what, int32_t channel, int32_t frame);

  HostedPlugin plugin_;
  PluginIdentity identity_;
  std::vector<float> initialValues_;
  EventBlock events_{kMaxEvents};
  ChannelBuffers<float> floatIn_, floatOut_;
  ChannelBuffers<double> doubleIn_, doubleOut_;
  RenderPath lastPath_ = RenderPath::Replacing;
  int32_t lastFrames_ = 0;
  int64_t framesRendered_ = 0;
  double sampleRate_ = 44100.0;
  float addingBase_ = 0.0f;
  SignalHealth health_;
  CallObserver* observer_ = nullptr;
  static constexpr int kNoteSlots = 16 * 128;  // MIDI channels times keys
  bool sounding_[kNoteSlots] = {};             // notes started and not yet ended
};
