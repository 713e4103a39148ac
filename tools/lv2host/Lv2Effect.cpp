// The opcodes of the VST 2 record, answered by an LV2 instance.
//
// - LV2 fixes the sample rate at instantiation: a new rate, sent while suspended, instantiates
//   the plug-in again with its state and port values carried over. The announced block size
//   cuts longer blocks into pieces, as a host never runs more than it announced.
// - Parameters are the control inputs, normalized through each port's declared range. A value
//   set from any thread reads back at once and reaches its port at the start of the next block.
// - Programs are the bundle's presets, by label.
// - A chunk is the state as the Turtle text a host keeps in its session, labelled with the
//   current program. Text that is not a whole state description is refused before the plug-in
//   sees anything of it; a whole one, whatever its values, goes to the plug-in.
// - Restoring and saving never overlap run(): LV2 forbids a restore during run(), and the
//   ports are written only between blocks.
// - MIDI goes through as it comes, frames out of the block and out of order included (negative
//   ones at the block's start): the plug-in's own handling of them is what gets checked.
#include "tools/lv2host/Lv2Effect.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tools/host/BridgeSupport.h"
#include "tools/lv2host/Lv2Instrument.h"
#include "tools/lv2host/Lv2ParameterRange.h"

namespace {

std::string selectedBundle;
std::string selectedUri;

constexpr double kFirstRate = 44100.0;  // until the host sends its own
constexpr int32_t kFirstBlock = 1024;
constexpr int32_t kMaxBlock = 16384;  // the longest piece a block is cut into
// A control input as a parameter: the value last set, in the port's own units, and whether
// the port has yet to take it.
struct Parameter {
  Lv2Instrument::Control port;
  std::atomic<float> plain{0.0f};
  std::atomic<bool> dirty{false};
};

struct Lv2Effect {
  AEffect effect{};
  Lv2Instrument plugin;
  bridge::InstrumentFace face;
  std::unique_ptr<Parameter[]> parameters;
  int32_t parameterCount = 0;
  std::vector<std::string> programNames;
  std::vector<LilvState*> programs;  // the presets, read once
  std::atomic<int32_t> program{0};
  double sampleRate = kFirstRate;
  int32_t blockSize = kFirstBlock;
  std::atomic<bool> active{false};
  bridge::HeldMidi held;
  std::vector<uint8_t> chunk;  // the last state handed out, alive until the next request
  std::mutex stateLock;        // one state operation at a time, whichever thread asks
  // Taken around run() and around everything that must not overlap it; the audio thread
  // waits at most for one restore.
  bridge::Gate gate;

  ~Lv2Effect() {
    for (LilvState* state : programs)
      lilv_state_free(state);
  }
};

Lv2Effect* self(AEffect* e) {
  return e != nullptr ? static_cast<Lv2Effect*>(e->object) : nullptr;
}

// Inside the gate: what was set since the last block reaches the ports.
void applyPending(Lv2Effect& s) {
  for (int32_t i = 0; i < s.parameterCount; ++i) {
    Parameter& p = s.parameters[i];
    if (p.dirty.exchange(false)) *p.port.value = p.plain.load();
  }
}

// Inside the gate, after a state or a preset changed the ports: what the host reads back.
void readPorts(Lv2Effect& s) {
  for (int32_t i = 0; i < s.parameterCount; ++i) {
    Parameter& p = s.parameters[i];
    if (!p.dirty.load()) p.plain.store(*p.port.value);
  }
}

// Holding stateLock.
void restore(Lv2Effect& s, const LilvState* state) {
  s.gate.enter();
  applyPending(s);
  s.plugin.applyState(state);
  readPorts(s);
  s.gate.leave();
}

std::string programName(const Lv2Effect& s, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < s.programNames.size()
             ? s.programNames[static_cast<size_t>(index)]
             : std::string();
}

intptr_t saveChunk(Lv2Effect& s, void* ptr) {
  if (ptr == nullptr) return 0;
  std::lock_guard<std::mutex> lock(s.stateLock);
  s.gate.enter();
  applyPending(s);
  LilvState* state = s.plugin.saveState();
  s.gate.leave();
  if (state == nullptr) return 0;
  const std::string label = programName(s, s.program.load());
  if (!label.empty()) lilv_state_set_label(state, label.c_str());
  std::string text = s.plugin.stateText(state);
  lilv_state_free(state);
  // Ending at the final full stop, so that any shorter piece of it is a cut description.
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.pop_back();
  s.chunk.assign(text.begin(), text.end());
  *static_cast<void**>(ptr) = s.chunk.data();
  return static_cast<intptr_t>(s.chunk.size());
}

intptr_t loadChunk(Lv2Effect& s, const void* ptr, intptr_t size) {
  if (ptr == nullptr || size <= 0) return 0;
  const std::string text(static_cast<const char*>(ptr), static_cast<size_t>(size));
  std::lock_guard<std::mutex> lock(s.stateLock);
  LilvState* state = s.plugin.stateFromText(text);
  if (state == nullptr) return 0;
  restore(s, state);
  const char* label = lilv_state_get_label(state);
  for (size_t i = 0; label != nullptr && i < s.programNames.size(); ++i)
    if (s.programNames[i] == label) s.program.store(static_cast<int32_t>(i));
  lilv_state_free(state);
  return 1;
}

intptr_t setProgram(Lv2Effect& s, intptr_t index) {
  if (index < 0 || static_cast<size_t>(index) >= s.programs.size()) return 0;
  std::lock_guard<std::mutex> lock(s.stateLock);
  restore(s, s.programs[static_cast<size_t>(index)]);
  s.program.store(static_cast<int32_t>(index));
  return 1;
}

void setSampleRate(Lv2Effect& s, float rate) {
  if (s.active.load() || !(rate > 0.0f) || rate == s.sampleRate) return;
  std::lock_guard<std::mutex> lock(s.stateLock);
  s.gate.enter();
  applyPending(s);
  if (s.plugin.reinstantiate(rate)) s.sampleRate = rate;
  s.gate.leave();
}

void setActive(Lv2Effect& s, bool on) {
  if (on == s.active.load()) return;
  s.gate.enter();
  if (on)
    s.plugin.activate();
  else
    s.plugin.deactivate();
  s.active.store(on);
  s.gate.leave();
}

// The held MIDI events of one piece of the block; those before the block at its start, as LV2
// frames are never negative.
void queueMidi(Lv2Effect& s, int32_t start, int32_t frames, bool last) {
  s.held.forPiece(start, frames, last, [&](int32_t offset, const uint8_t* bytes) {
    s.plugin.addMidi(static_cast<uint32_t>(std::max(offset, 0)), bytes, bridge::HeldMidi::kBytes);
  });
}

intptr_t dispatcher(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                    float opt) {
  Lv2Effect* s = self(e);
  if (s == nullptr) return 0;
  intptr_t answer = 0;
  if (bridge::answerFace(s->face, opcode, index, ptr, answer)) return answer;
  switch (opcode) {
    case effClose:
      setActive(*s, false);
      delete s;
      return 1;
    case effSetProgram:
      return setProgram(*s, value);
    case effGetProgram:
      return s->program.load();
    case effGetProgramName:
      bridge::copyText(ptr, programName(*s, s->program.load()), kVstMaxProgNameLen);
      return 1;
    case effGetProgramNameIndexed:
      if (index < 0 || static_cast<size_t>(index) >= s->programNames.size()) return 0;
      bridge::copyText(ptr, programName(*s, index), kVstMaxProgNameLen);
      return 1;
    case effGetParamName:
      bridge::copyText(
          ptr, index >= 0 && index < s->parameterCount ? s->parameters[index].port.name : "",
          kVstMaxParamStrLen);
      return 0;
    case effGetParamLabel:
    case effGetParamDisplay:
      bridge::copyText(ptr, "", kVstMaxParamStrLen);  // LV2 ports have no texts of their own
      return 0;
    case effCanBeAutomated:
      return index >= 0 && index < s->parameterCount ? 1 : 0;
    case effSetSampleRate:
      setSampleRate(*s, opt);
      return 0;
    case effSetBlockSize:
      if (!s->active.load() && value > 0 && value <= kMaxBlock)
        s->blockSize = static_cast<int32_t>(value);
      return 0;
    case effMainsChanged:
      setActive(*s, value != 0);
      return 0;
    case effGetChunk:
      return saveChunk(*s, ptr);
    case effSetChunk:
      return loadChunk(*s, ptr, value);
    case effProcessEvents:
      return s->held.hold(static_cast<const VstEvents*>(ptr));
    default:
      return 0;
  }
}

// Outside activate and deactivate LV2 forbids run(): such blocks are silence, their events
// dropped.
void processReplacing(AEffect* e, float** /*inputs*/, float** outputs, int32_t frames) {
  Lv2Effect* s = self(e);
  if (s == nullptr || outputs == nullptr || frames < 0) return;
  const int32_t channels = s->plugin.outputCount();
  for (int32_t c = 0; c < channels; ++c)
    if (outputs[c] == nullptr) return;
  s->gate.enter();
  if (!s->active.load()) {
    for (int32_t c = 0; c < channels; ++c)
      std::fill(outputs[c], outputs[c] + frames, 0.0f);
  } else {
    applyPending(*s);
    int32_t start = 0;
    do {
      const int32_t piece = std::min(frames - start, s->blockSize);
      queueMidi(*s, start, piece, start + piece >= frames);
      for (int32_t c = 0; c < channels; ++c)
        s->plugin.connectOutput(c, outputs[c] + start);
      s->plugin.run(static_cast<uint32_t>(piece));
      start += piece;
    } while (start < frames);
  }
  s->held.clear();
  s->gate.leave();
}

void setParameter(AEffect* e, int32_t index, float value) {
  Lv2Effect* s = self(e);
  if (s == nullptr || index < 0 || index >= s->parameterCount || !std::isfinite(value)) return;
  Parameter& p = s->parameters[index];
  p.plain.store(plainOf(p.port, value));
  p.dirty.store(true);
}

float getParameter(AEffect* e, int32_t index) {
  Lv2Effect* s = self(e);
  if (s == nullptr || index < 0 || index >= s->parameterCount) return 0.0f;
  const Parameter& p = s->parameters[index];
  return normalizedOf(p.port, p.plain.load());
}

bool open(Lv2Effect& s) {
  if (!s.plugin.openBundle(selectedBundle, selectedUri, kFirstRate, kMaxBlock)) return false;
  s.face = {s.plugin.name(), s.plugin.author(), s.plugin.outputCount()};
  const std::vector<Lv2Instrument::Control> controls = s.plugin.controls();
  s.parameterCount = static_cast<int32_t>(controls.size());
  s.parameters = std::make_unique<Parameter[]>(std::max<size_t>(controls.size(), 1));
  for (size_t i = 0; i < controls.size(); ++i) {
    s.parameters[i].port = controls[i];
    s.parameters[i].plain.store(*controls[i].value);
  }
  for (const std::string& label : s.plugin.presetLabels()) {
    LilvState* state = s.plugin.presetState(label);
    if (state == nullptr) continue;
    s.programNames.push_back(label);
    s.programs.push_back(state);
  }
  return true;
}

}  // namespace

bool selectLv2EffectBundle(const std::string& bundleDir, std::string& error) {
  const std::string uri = Lv2Instrument::firstPluginUri(bundleDir);
  if (uri.empty()) {
    error = "no LV2 plug-in in " + bundleDir;
    return false;
  }
  selectedBundle = bundleDir;
  selectedUri = uri;
  return true;
}

void clearLv2EffectBundle() {
  selectedBundle.clear();
  selectedUri.clear();
}

AEffect* lv2EffectMain(audioMasterCallback /*master*/) {
  if (selectedUri.empty()) return nullptr;
  auto* s = new Lv2Effect;
  if (!open(*s)) {
    delete s;
    return nullptr;
  }
  AEffect& e = s->effect;
  e.magic = kEffectMagic;
  e.dispatcher = dispatcher;
  e.setParameter = setParameter;
  e.getParameter = getParameter;
  e.processReplacing = processReplacing;
  e.numPrograms = static_cast<int32_t>(s->programs.size());
  e.numParams = s->parameterCount;
  e.numInputs = 0;
  e.numOutputs = s->plugin.outputCount();
  e.flags = effFlagsIsSynth | effFlagsCanReplacing | effFlagsProgramChunks;
  e.object = s;
  e.version = 1;
  return &e;
}
