// A small VST 2 instrument for testing the validator: sine voices with a linear release,
// two parameters, a 12-byte state chunk, sample-accurate events. Without a fault it passes
// the battery; the environment variable BRISALONDE_FAULT switches on one fault, and the
// validator's tests check that the matching check fails.
#include <xmmintrin.h>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "plugin/vst2.h"

#if defined(_WIN32)
#define FAULTY_EXPORT extern "C" __declspec(dllexport)
#else
#define FAULTY_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

constexpr int kVoices = 16;
constexpr int kParams = 2;  // level, release
constexpr int kQueue = 4096;
constexpr int kChunkSize = 12;
constexpr char kMagic[4] = {'F', 'L', 'T', 'Y'};
constexpr double kTwoPi = 6.283185307179586;
constexpr double kShortestRelease = 0.005;
constexpr double kLongestRelease = 2.0;
constexpr double kDecayPerFrame = 0.999;  // the "denormal" fault's endless decay
// Extra work per silent block, as a denormal storm would cause: a fixed count of dependent
// additions (milliseconds of work), so the fault does not depend on how clocks behave.
constexpr int kSlowSilenceAdditions = 300000;

enum class Fault {
  None,
  Nan,
  Unwritten,
  Overrun,
  Allocate,
  Callback,
  FloatMode,
  HangOnChunk,
  OverreadChunk,
  IgnoreAllNotesOff,
  BlockStartEvents,
  Denormal,
  LongDisplay,
  ChunkIgnored,
  SlowSilence,
  Race
};

Fault faultFromEnvironment() {
  const char* name = std::getenv("BRISALONDE_FAULT");
  if (name == nullptr) return Fault::None;
  struct Named {
    const char* name;
    Fault fault;
  };
  static const Named kFaults[] = {
      {"nan", Fault::Nan},
      {"unwritten", Fault::Unwritten},
      {"overrun", Fault::Overrun},
      {"allocate", Fault::Allocate},
      {"callback", Fault::Callback},
      {"float-mode", Fault::FloatMode},
      {"hang-on-chunk", Fault::HangOnChunk},
      {"overread-chunk", Fault::OverreadChunk},
      {"ignore-all-notes-off", Fault::IgnoreAllNotesOff},
      {"block-start-events", Fault::BlockStartEvents},
      {"denormal", Fault::Denormal},
      {"long-display", Fault::LongDisplay},
      {"chunk-ignored", Fault::ChunkIgnored},
      {"slow-silence", Fault::SlowSilence},
      {"race", Fault::Race},  // for a ThreadSanitizer build: a level kept without atomics
  };
  for (const Named& f : kFaults)
    if (std::strcmp(f.name, name) == 0) return f.fault;
  return Fault::None;
}

struct Voice {
  int key = -1;  // channel * 128 + note, -1 when free
  bool held = false;
  double phase = 0.0;
  double step = 0.0;
  double level = 0.0;
};

struct Event {
  int32_t frame;
  uint8_t bytes[3];
};

struct Faulty {
  AEffect effect;
  audioMasterCallback host;
  Fault fault;
  std::atomic<float> params[kParams];
  float racyLevel = 0.8f;
  double rate = 44100.0;
  Voice voices[kVoices];
  Event queue[kQueue];
  int queued = 0;
  unsigned char chunk[kChunkSize];
  volatile double sink = 0.0;
};

Faulty* self(AEffect* e) {
  return static_cast<Faulty*>(e->object);
}

double releasePerFrame(const Faulty& f) {
  const double seconds =
      kShortestRelease + f.params[1].load() * (kLongestRelease - kShortestRelease);
  return 1.0 / (seconds * f.rate);
}

void handle(Faulty& f, const uint8_t* b) {
  const int status = b[0] & 0xF0;
  const int key = (b[0] & 0x0F) * 128 + (b[1] & 0x7F);
  if (status == 0x90 && b[2] > 0) {
    Voice* slot = nullptr;
    for (Voice& v : f.voices)
      if (v.key == key || (slot == nullptr && v.key < 0)) slot = &v;
    if (slot == nullptr) slot = &f.voices[0];
    slot->key = key;
    slot->held = true;
    slot->level = b[2] / 127.0;
    slot->step = 440.0 * std::pow(2.0, ((b[1] & 0x7F) - 69) / 12.0) / f.rate;
  } else if (status == 0x80 || status == 0x90) {
    for (Voice& v : f.voices)
      if (v.key == key) v.held = false;
  } else if (status == 0xB0 && (b[1] == 123 || b[1] == 120) &&
             f.fault != Fault::IgnoreAllNotesOff) {
    for (Voice& v : f.voices)
      if (v.key / 128 == (b[0] & 0x0F)) v.held = false;
  }
}

double renderFrame(Faulty& f) {
  double out = 0.0;
  const double release = releasePerFrame(f);
  for (Voice& v : f.voices) {
    if (v.key < 0) continue;
    if (!v.held) {
      v.level = f.fault == Fault::Denormal ? v.level * kDecayPerFrame : v.level - release;
      if (v.level <= 0.0) {
        v.level = 0.0;
        v.key = -1;
        continue;
      }
    }
    out += std::sin(kTwoPi * v.phase) * v.level * 0.2;
    v.phase += v.step;
    v.phase -= std::floor(v.phase);
  }
  return out * (f.fault == Fault::Race ? f.racyLevel : f.params[0].load());
}

bool silent(const Faulty& f) {
  for (const Voice& v : f.voices)
    if (v.key >= 0) return false;
  return true;
}

// Flush-to-zero and denormals-are-zero for one processing call, the host's mode restored
// after it, as a careful instrument does; the faults that are about this mode go without.
class FlushDenormals {
 public:
  explicit FlushDenormals(bool on) : host_(_mm_getcsr()), on_(on) {
    if (on_) _mm_setcsr(host_ | kFlushBits);
  }
  ~FlushDenormals() {
    if (on_) _mm_setcsr(host_);
  }

 private:
  static constexpr unsigned kFlushBits = 0x8040;
  unsigned host_;
  bool on_;
};

template <typename Sample>
void render(AEffect* e, Sample** outputs, int32_t frames, bool adding) {
  Faulty& f = *self(e);
  if (frames < 0) return;
  const FlushDenormals flush(f.fault != Fault::Denormal && f.fault != Fault::FloatMode);
  if (f.fault == Fault::Allocate) {
    void* volatile block = std::malloc(64);  // volatile: the pair cannot be optimised away
    std::free(block);
  }
  if (f.fault == Fault::Callback) f.host(e, audioMasterAutomate, 0, 0, nullptr, 0.0f);
  if (f.fault == Fault::FloatMode) _mm_setcsr(_mm_getcsr() | 0x8040);  // and never restored
  if (f.fault == Fault::SlowSilence && silent(f)) {  // as a denormal storm would be
    for (int i = 0; i < kSlowSilenceAdditions; ++i)
      f.sink = f.sink + 1.0;
  }
  int next = 0;
  for (int32_t i = 0; i < frames; ++i) {
    while (next < f.queued && (f.fault == Fault::BlockStartEvents || f.queue[next].frame <= i))
      handle(f, f.queue[next++].bytes);
    double s = renderFrame(f);
    if (f.fault == Fault::Nan && s != 0.0 && i == frames / 2) s = std::nan("");
    const bool skip = f.fault == Fault::Unwritten && i == frames - 1;
    if (outputs == nullptr || skip) continue;
    for (int c = 0; c < 2; ++c)
      if (outputs[c] != nullptr)
        outputs[c][i] = static_cast<Sample>(adding ? outputs[c][i] + s : s);
  }
  if (f.fault == Fault::Overrun && outputs != nullptr && outputs[0] != nullptr)
    outputs[0][frames] = 0;
  // Events beyond the block wait for the next one, at their frame there.
  int kept = 0;
  for (int i = next; i < f.queued; ++i) {
    f.queue[kept] = f.queue[i];
    f.queue[kept].frame = f.queue[i].frame - frames < 0 ? 0 : f.queue[i].frame - frames;
    ++kept;
  }
  f.queued = kept;
}

void processAdding(AEffect* e, float**, float** out, int32_t n) {
  render(e, out, n, true);
}
void processReplacing(AEffect* e, float**, float** out, int32_t n) {
  render(e, out, n, false);
}
void processDouble(AEffect* e, double**, double** out, int32_t n) {
  render(e, out, n, false);
}

void setParameter(AEffect* e, int32_t index, float value) {
  if (static_cast<uint32_t>(index) >= kParams) return;
  if (index == 0) self(e)->racyLevel = value;
  self(e)->params[index].store(std::isfinite(value) ? std::fmin(std::fmax(value, 0.0f), 1.0f)
                                                    : 0.0f);
}

float getParameter(AEffect* e, int32_t index) {
  return static_cast<uint32_t>(index) < kParams ? self(e)->params[index].load() : 0.0f;
}

void queueEvents(Faulty& f, const VstEvents* events) {
  if (events == nullptr || events->numEvents < 0 || events->numEvents > kQueue) return;
  const VstEvent* const* list = events->events;
  for (int32_t i = 0; i < events->numEvents && f.queued < kQueue; ++i) {
    const auto* m = reinterpret_cast<const VstMidiEvent*>(list[i]);
    if (m == nullptr || m->type != kVstMidiType) continue;
    Event& q = f.queue[f.queued++];
    q.frame = m->deltaFrames < 0 ? 0 : m->deltaFrames;
    std::memcpy(q.bytes, m->midiData, 3);
  }
  // Stable insertion sort by frame: the block is short and usually sorted already.
  for (int i = 1; i < f.queued; ++i)
    for (int j = i; j > 0 && f.queue[j - 1].frame > f.queue[j].frame; --j) {
      const Event t = f.queue[j];
      f.queue[j] = f.queue[j - 1];
      f.queue[j - 1] = t;
    }
}

intptr_t setChunk(Faulty& f, intptr_t size, const unsigned char* data) {
  if (data == nullptr) return 0;
  if (f.fault == Fault::OverreadChunk) f.sink = data[size];
  if (size != kChunkSize || std::memcmp(data, kMagic, 4) != 0) {
    while (f.fault == Fault::HangOnChunk)
      f.sink = f.sink + 1.0;
    return 0;
  }
  float values[kParams];
  std::memcpy(values, data + 4, sizeof values);
  for (float v : values)
    if (!(v >= 0.0f && v <= 1.0f)) return 0;
  if (f.fault != Fault::ChunkIgnored)
    for (int i = 0; i < kParams; ++i)
      f.params[i].store(values[i]);
  return 1;
}

void copyText(void* ptr, const char* text, size_t size) {
  if (ptr == nullptr) return;
  std::strncpy(static_cast<char*>(ptr), text, size - 1);
  static_cast<char*>(ptr)[size - 1] = '\0';
}

intptr_t dispatcher(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                    float opt) {
  Faulty& f = *self(e);
  static const char* const kNames[kParams] = {"Level", "Release"};
  switch (opcode) {
    case effClose:
      delete &f;
      return 0;
    case effSetSampleRate:
      if (opt >= 8000.0f && opt <= 768000.0f) f.rate = opt;
      return 0;
    case effMainsChanged:
    case effStartProcess:
    case effStopProcess:
      for (Voice& v : f.voices)
        v = Voice{};
      f.queued = 0;
      return 0;
    case effProcessEvents:
      queueEvents(f, static_cast<const VstEvents*>(ptr));
      return 1;
    case effGetParamName:
      if (static_cast<uint32_t>(index) < kParams) copyText(ptr, kNames[index], 8);
      return 0;
    case effGetParamDisplay:
      if (static_cast<uint32_t>(index) < kParams && ptr != nullptr) {
        if (f.fault == Fault::LongDisplay)
          std::strcpy(static_cast<char*>(ptr), "0.123456789");
        else
          std::snprintf(static_cast<char*>(ptr), 8, "%.3f", f.params[index].load());
      }
      return 0;
    case effGetChunk:
      if (ptr == nullptr) return 0;
      std::memcpy(f.chunk, kMagic, 4);
      for (int i = 0; i < kParams; ++i) {
        const float v = f.params[i].load();
        std::memcpy(f.chunk + 4 + 4 * i, &v, 4);
      }
      *static_cast<void**>(ptr) = f.chunk;
      return kChunkSize;
    case effSetChunk:
      return setChunk(f, value, static_cast<const unsigned char*>(ptr));
    case effGetEffectName:
      copyText(ptr, "Faulty", 32);
      return 1;
    case effCanDo:
      return ptr != nullptr &&
             std::strcmp(static_cast<const char*>(ptr), "receiveVstMidiEvent") == 0;
    case effGetTailSize:
      return static_cast<intptr_t>(kLongestRelease * f.rate) + 1;
    default:
      return 0;
  }
}

}  // namespace

FAULTY_EXPORT AEffect* VSTPluginMain(audioMasterCallback host) {
  if (host == nullptr || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
    return nullptr;
  auto* f = new (std::nothrow) Faulty{};
  if (f == nullptr) return nullptr;
  f->host = host;
  f->fault = faultFromEnvironment();
  f->params[0].store(0.8f);
  f->params[1].store(0.1f);
  AEffect& e = f->effect;
  e.magic = kEffectMagic;
  e.dispatcher = dispatcher;
  e.process = processAdding;
  e.setParameter = setParameter;
  e.getParameter = getParameter;
  e.numPrograms = 1;
  e.numParams = kParams;
  e.numOutputs = 2;
  e.flags =
      effFlagsCanReplacing | effFlagsProgramChunks | effFlagsIsSynth | effFlagsCanDoubleReplacing;
  e.ioRatio = 1.0f;
  e.object = f;
  e.uniqueID = fourCharCode('F', 'l', 't', 'y');
  e.processReplacing = processReplacing;
  e.processDoubleReplacing = processDouble;
  return &e;
}
