// A stand-in instrument for testing hosts. It logs every call it receives, one line each, to
// the file named by BRISALONDE_PROBE_LOG, and plays what it hears so that timing can be
// read back from the audio: channel 0 carries an impulse of height note/128 at the frame of
// each note-on, channel 1 a 1.0 on the first frame of every block.
// Built in variants: PROBE_REFUSES returns no instance, PROBE_CRASHES faults in processing,
// PROBE_LEGACY_ENTRY exports its entry under the older name "main" only.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "plugin/vst2.h"
#include "tools/host/HostTypes.h"

#if defined(_WIN32)
#define PROBE_EXPORT extern "C" __declspec(dllexport)
#else
#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

constexpr int32_t kPrograms = 3;
constexpr const char* kProgramNames[kPrograms] = {"Alpha", "Beta", "Gamma"};
constexpr int32_t kParams = 3;
constexpr const char* kParamNames[kParams] = {"Gain", "Gain trim", "Colour"};
constexpr int32_t kTailFrames = 4800;
constexpr char kChunkMagic[4] = {'P', 'R', 'O', 'B'};

struct Probe {
  AEffect effect{};
  audioMasterCallback host = nullptr;
  int32_t program = 0;
  float params[kParams] = {0.5f, 0.5f, 0.5f};
  unsigned char chunk[4 + sizeof(int32_t) + sizeof params] = {};
  int32_t pendingDelta[256] = {};
  unsigned char pendingNote[256] = {};
  int pending = 0;
};

Probe* probeOf(AEffect* e) {
  return static_cast<Probe*>(e->object);
}

void log(const char* format, double a = 0.0, double b = 0.0) {
  const char* path = std::getenv("BRISALONDE_PROBE_LOG");
  if (path == nullptr) return;
  if (std::FILE* f = std::fopen(path, "a")) {
    std::fprintf(f, format, a, b);
    std::fputc('\n', f);
    std::fclose(f);
  }
}

void copyText(void* out, const char* text, size_t size) {
  std::strncpy(static_cast<char*>(out), text, size - 1);
  static_cast<char*>(out)[size - 1] = '\0';
}

void takeEvents(Probe& p, const VstEvents* events) {
  log("events %.0f", events->numEvents);
  // numEvents pointers behind a record that declares two: read through a pointer.
  const VstEvent* const* list = events->events;
  for (int32_t i = 0; i < events->numEvents; ++i) {
    const auto* e = reinterpret_cast<const VstMidiEvent*>(list[i]);
    const auto status = static_cast<unsigned char>(e->midiData[0]);
    log("event %.0f %.0f", e->deltaFrames, status);
    if ((status & 0xF0) == 0x90 && e->midiData[2] != 0 && p.pending < 256) {
      p.pendingDelta[p.pending] = e->deltaFrames;
      p.pendingNote[p.pending++] = static_cast<unsigned char>(e->midiData[1]);
    }
  }
}

intptr_t dispatcher(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                    float opt) {
  Probe& p = *probeOf(e);
  switch (opcode) {
    case effOpen:
      log("open");
      return 0;
    case effClose:
      log("close");
      delete &p;
      return 0;
    case effSetSampleRate:
      log("rate %.0f", opt);
      return 0;
    case effSetBlockSize:
      log("block %.0f", static_cast<double>(value));
      return 0;
    case effSetProcessPrecision:
      log("precision %.0f", static_cast<double>(value));
      return 1;
    case effMainsChanged:
      log("mains %.0f", static_cast<double>(value));
      p.pending = 0;
      return 0;
    case effStartProcess:
      log("start");
      return 1;
    case effStopProcess:
      log("stop");
      return 1;
    case effProcessEvents:
      takeEvents(p, static_cast<const VstEvents*>(ptr));
      return 1;
    case effSetProgram:
      if (value >= 0 && value < kPrograms) p.program = static_cast<int32_t>(value);
      log("program %.0f", static_cast<double>(value));
      return 0;
    case effGetProgram:
      return p.program;
    case effGetProgramName:
      copyText(ptr, kProgramNames[p.program], kVstMaxProgNameLen);
      return 1;
    case effGetProgramNameIndexed:
      if (index < 0 || index >= kPrograms) return 0;
      copyText(ptr, kProgramNames[index], kVstMaxProgNameLen);
      return 1;
    case effGetParamName:
      if (index >= 0 && index < kParams) copyText(ptr, kParamNames[index], kVstMaxParamStrLen);
      return 0;
    case effGetParamLabel:
      copyText(ptr, "dB", kVstMaxParamStrLen);
      return 0;
    case effGetParamDisplay:
      if (index >= 0 && index < kParams) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", p.params[index] * 10.0f);
        copyText(ptr, text, kVstMaxParamStrLen);
      }
      return 0;
    case effString2Parameter: {
      // Text in the parameter's units, 0 to 10; anything else is refused.
      if (ptr == nullptr || index < 0 || index >= kParams) return 0;
      char* end = nullptr;
      const double v = std::strtod(static_cast<const char*>(ptr), &end);
      if (end == ptr || v < 0.0 || v > 10.0) return 0;
      p.params[index] = static_cast<float>(v / 10.0);
      log("text %.0f %.4f", index, p.params[index]);
      return 1;
    }
    case effGetChunk: {
      std::memcpy(p.chunk, kChunkMagic, 4);
      std::memcpy(p.chunk + 4, &p.program, sizeof p.program);
      std::memcpy(p.chunk + 8, p.params, sizeof p.params);
      *static_cast<void**>(ptr) = p.chunk;
      return sizeof p.chunk;
    }
    case effSetChunk: {
      const auto* bytes = static_cast<const unsigned char*>(ptr);
      if (value != sizeof p.chunk || std::memcmp(bytes, kChunkMagic, 4) != 0) return 0;
      std::memcpy(&p.program, bytes + 4, sizeof p.program);
      std::memcpy(p.params, bytes + 8, sizeof p.params);
      log("chunk");
      return 1;
    }
    case effGetEffectName:
      copyText(ptr, "Probe", kVstMaxEffectNameLen);
      return 1;
    case effGetVendorString:
      copyText(ptr, "Brisalonde tests", kVstMaxVendorStrLen);
      return 1;
    case effGetTailSize:
      return kTailFrames;
    case effCanDo:
      return 0;
    default:
      return 0;
  }
}

void logTransport(Probe& p) {
  const auto* time = reinterpret_cast<const VstTimeInfo*>(
      p.host(&p.effect, audioMasterGetTime, 0, kVstTempoValid | kVstPpqPosValid, nullptr, 0.0f));
  if (time != nullptr) log("time %.3f %.3f", time->tempo, time->ppqPos);
}

template <typename Sample>
void render(AEffect* e, Sample** outputs, int32_t frames) {
  Probe& p = *probeOf(e);
#if defined(PROBE_CRASHES)
  volatile uintptr_t nowhere = 16;
  *reinterpret_cast<volatile int*>(nowhere) = frames;
#endif
  log("process %.0f", frames);
  logTransport(p);
  for (int32_t j = 0; j < frames; ++j)
    outputs[0][j] = outputs[1][j] = 0;
  if (frames > 0) outputs[1][0] = 1;
  for (int i = 0; i < p.pending; ++i) {
    if (p.pendingDelta[i] < 0 || p.pendingDelta[i] >= frames) {
      log("misplaced %.0f in %.0f", p.pendingDelta[i], frames);
      continue;
    }
    outputs[0][p.pendingDelta[i]] = static_cast<Sample>(p.pendingNote[i] / 128.0);
  }
  p.pending = 0;
}

void processReplacing(AEffect* e, float**, float** outputs, int32_t frames) {
  render(e, outputs, frames);
}
void processDoubleReplacing(AEffect* e, double**, double** outputs, int32_t frames) {
  render(e, outputs, frames);
}
void setParameter(AEffect* e, int32_t index, float value) {
  if (index >= 0 && index < kParams) probeOf(e)->params[index] = value;
  log("set %.0f %.4f", index, value);
}
float getParameter(AEffect* e, int32_t index) {
  return index >= 0 && index < kParams ? probeOf(e)->params[index] : 0.0f;
}

#if defined(PROBE_REFUSES)
constexpr bool kRefuses = true;
#else
constexpr bool kRefuses = false;
#endif

AEffect* createProbe(audioMasterCallback host) {
  if (host == nullptr || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
    return nullptr;
  if (kRefuses) return nullptr;
  auto* p = new (std::nothrow) Probe;
  if (p == nullptr) return nullptr;
  p->host = host;
  AEffect& e = p->effect;
  e.magic = kEffectMagic;
  e.dispatcher = dispatcher;
  e.setParameter = setParameter;
  e.getParameter = getParameter;
  e.processReplacing = processReplacing;
  e.processDoubleReplacing = processDoubleReplacing;
  e.numPrograms = kPrograms;
  e.numParams = kParams;
  e.numOutputs = 2;
  e.flags =
      effFlagsCanReplacing | effFlagsProgramChunks | effFlagsIsSynth | effFlagsCanDoubleReplacing;
  e.ioRatio = 1.0f;
  e.object = p;
  e.uniqueID = fourCharCode('P', 'r', 'b', 'e');
  e.version = 1;
  return &e;
}

}  // namespace

#if defined(PROBE_LEGACY_ENTRY)
PROBE_EXPORT AEffect* legacyEntry(audioMasterCallback host) __asm__("main");
PROBE_EXPORT AEffect* legacyEntry(audioMasterCallback host) {
  return createProbe(host);
}
#else
PROBE_EXPORT AEffect* VSTPluginMain(audioMasterCallback host) {
  return createProbe(host);
}
#endif
