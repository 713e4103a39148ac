// The opcodes of the VST 2 record, answered by a hosted VST 3 instance.
#include "tools/host/Vst3Effect.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "tools/host/BridgeSupport.h"
#include "tools/host/Vst3Module.h"
#include "tools/host/Vst3Plugin.h"
#include "vst3/Vst3View.h"
#if !defined(_WIN32)
#include "tools/host/Vst3RunLoop.h"
#endif

namespace {

const Vst3Module* currentModule = nullptr;

constexpr int32_t kRunLoopServeMs = 1;  // one idle call serves what is due, without waiting
constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

// A value set from any thread, handed to the processor at the start of the next block, as
// hosts queue their parameter changes. Until then it is what the host reads back.
struct PendingValue {
  std::atomic<float> value{kNoValue};
  std::atomic<bool> dirty{false};
};

#if defined(_WIN32)
constexpr const char* kPlatformType = vst3::kPlatformTypeHWND;
#else
constexpr const char* kPlatformType = vst3::kPlatformTypeX11EmbedWindowID;
#endif

struct Vst3Effect {
  AEffect effect{};
  Vst3Plugin plugin;
  double sampleRate = 44100.0;
  int32_t blockSize = 1024;
  Precision precision = Precision::Single;
  bool configured = false;
  bool active = false;
  std::vector<uint8_t> chunk;  // the last state handed out, alive until the next request
  std::unique_ptr<PendingValue[]> pending;  // one per visible parameter
  int32_t pendingCount = 0;
  PendingValue pendingProgram;
  bridge::InstrumentFace face;
  bridge::HeldMidi held;
  // Taken around every call of process(), so that a flush from another thread never overlaps
  // the audio thread's block; held for one empty block at most.
  bridge::Gate gate;
  vst3::IPlugView* view = nullptr;
  ERect rect{};
#if !defined(_WIN32)
  Vst3RunLoop runLoop;
#endif
};

Vst3Effect* self(AEffect* e) {
  return e != nullptr ? static_cast<Vst3Effect*>(e->object) : nullptr;
}

// Sets the processing up again after a change of rate, block size or precision: only an
// inactive instance takes a setup, as hosts do.
void ensureConfigured(Vst3Effect& s) {
  if (s.configured) return;
  s.configured = s.plugin.configure(s.sampleRate, s.blockSize, s.precision);
}

void closeView(Vst3Effect& s) {
  if (s.view == nullptr) return;
  s.view->removed();
  s.view->setFrame(nullptr);
  s.view->release();
  s.view = nullptr;
}

intptr_t openView(Vst3Effect& s, void* parent) {
  closeView(s);
  if (parent == nullptr || s.plugin.controller() == nullptr) return 0;
  vst3::IPlugView* view = s.plugin.controller()->createView("editor");
  if (view == nullptr) return 0;
  if (view->isPlatformTypeSupported(kPlatformType) != vst3::kResultOk) {
    view->release();
    return 0;
  }
#if !defined(_WIN32)
  view->setFrame(&s.runLoop);
#endif
  if (view->attached(parent, kPlatformType) != vst3::kResultOk) {
    view->setFrame(nullptr);
    view->release();
    return 0;
  }
  s.view = view;
  return 1;
}

intptr_t editorRect(Vst3Effect& s, void* ptr) {
  if (ptr == nullptr) return 0;
  vst3::ViewRect size{};
  vst3::IPlugView* view = s.view;
  bool borrowed = false;
  if (view == nullptr && s.plugin.controller() != nullptr) {
    view = s.plugin.controller()->createView("editor");
    borrowed = view != nullptr;
  }
  if (view == nullptr || view->getSize(&size) != vst3::kResultOk) {
    if (borrowed) view->release();
    return 0;
  }
  if (borrowed) view->release();
  s.rect = {static_cast<int16_t>(size.top), static_cast<int16_t>(size.left),
            static_cast<int16_t>(size.bottom), static_cast<int16_t>(size.right)};
  *static_cast<ERect**>(ptr) = &s.rect;
  return 1;
}

void setPending(Vst3Effect& s, int32_t index, float value) {
  if (index < 0 || index >= s.pendingCount || !std::isfinite(value)) return;
  vst3::ParamID id = 0;
  // The controller hears of the edit at once, the processor in the next block.
  if (s.plugin.parameterId(index, id) && s.plugin.controller() != nullptr)
    s.plugin.controller()->setParamNormalized(id, std::clamp(value, 0.0f, 1.0f));
  s.pending[index].value.store(std::clamp(value, 0.0f, 1.0f));
  s.pending[index].dirty.store(true);
}

void flushPending(Vst3Effect& s);

float parameterValue(Vst3Effect& s, int32_t index) {
  flushPending(s);
  return s.plugin.parameter(index);
}

int32_t currentProgram(Vst3Effect& s) {
  flushPending(s);
  return s.plugin.currentProgram();
}

// Hands what was set since the last block to the processor, at the block's first frame.
void queuePending(Vst3Effect& s) {
  Vst3Plugin& p = s.plugin;
  if (s.pendingProgram.dirty.exchange(false)) {
    const vst3::ParamID id = p.programParameterId();
    const int32_t count = p.programCount();
    if (id != UINT32_MAX && count > 1)
      p.queueParameter(id, 0, static_cast<double>(s.pendingProgram.value.load()) / (count - 1));
  }
  for (int32_t i = 0; i < s.pendingCount; ++i) {
    vst3::ParamID id = 0;
    if (s.pending[i].dirty.exchange(false) && p.parameterId(i, id))
      p.queueParameter(id, 0, s.pending[i].value.load());
  }
}

bool anyPending(Vst3Effect& s) {
  if (s.pendingProgram.dirty.load()) return true;
  for (int32_t i = 0; i < s.pendingCount; ++i)
    if (s.pending[i].dirty.load()) return true;
  return false;
}

void emptyBlock(Vst3Effect& s) {
  queuePending(s);
  float left = 0.0f, right = 0.0f;
  double leftWide = 0.0, rightWide = 0.0;
  float* narrow[2] = {&left, &right};
  double* wide[2] = {&leftWide, &rightWide};
  if (s.precision == Precision::Double)
    s.plugin.processInto(wide, 0);
  else
    s.plugin.processInto(narrow, 0);
}

// A VST 2 host reads back at once what it set, and saves it; a VST 3 processor takes an edit
// only in a block. So pending edits are flushed with an empty block, as VST 3 hosts flush
// parameters: between the audio thread's blocks, or around one activation while suspended.
void flushPending(Vst3Effect& s) {
  if (!anyPending(s)) return;
  if (s.active) {
    s.gate.enter();
    emptyBlock(s);
    s.gate.leave();
    return;
  }
  ensureConfigured(s);
  if (!s.configured) return;
  Vst3Plugin& p = s.plugin;
  p.component()->setActive(1);
  p.processor()->setProcessing(1);
  emptyBlock(s);
  p.processor()->setProcessing(0);
  p.component()->setActive(0);
}

// The held MIDI events of one piece of the block, as the plug-in would have seen them.
void queueMidi(Vst3Effect& s, int32_t start, int32_t frames, bool last) {
  s.held.forPiece(start, frames, last, [&](int32_t offset, const uint8_t* bytes) {
    s.plugin.addMidi(offset, bytes, bridge::HeldMidi::kBytes);
  });
}

intptr_t dispatcher(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                    float opt) {
  Vst3Effect* s = self(e);
  if (s == nullptr) return 0;
  intptr_t answer = 0;
  if (bridge::answerFace(s->face, opcode, index, ptr, answer)) return answer;
  Vst3Plugin& p = s->plugin;
  switch (opcode) {
    case effOpen:
      return 0;
    case effClose:
      closeView(*s);
      p.close();
      delete s;
      return 1;
    case effSetProgram:
      if (value < 0 || value >= p.programCount()) return 0;
      s->pendingProgram.value.store(static_cast<float>(value));
      s->pendingProgram.dirty.store(true);
      return 1;
    case effGetProgram:
      return currentProgram(*s);
    case effGetProgramName:
      bridge::copyText(ptr, p.programName(currentProgram(*s)), kVstMaxProgNameLen);
      return 1;
    case effGetProgramNameIndexed: {
      if (index < 0 || index >= p.programCount()) return 0;
      bridge::copyText(ptr, p.programName(index), kVstMaxProgNameLen);
      return 1;
    }
    case effGetParamLabel:
      bridge::copyText(ptr, p.parameterLabel(index), kVstMaxParamStrLen);
      return 0;
    case effGetParamDisplay: {
      vst3::ParamID id = 0;
      bridge::copyText(
          ptr, p.parameterId(index, id) ? p.parameterText(id, parameterValue(*s, index)) : "",
          kVstMaxParamStrLen);
      return 0;
    }
    case effGetParamName:
      bridge::copyText(ptr, p.parameterName(index), kVstMaxParamStrLen);
      return 0;
    case effCanBeAutomated:
      return index >= 0 && index < p.identity().numParams ? 1 : 0;
    case effString2Parameter: {
      vst3::ParamID id = 0;
      double parsed = 0.0;
      if (ptr == nullptr || !p.parameterId(index, id) ||
          !p.parameterFromText(id, static_cast<const char*>(ptr), parsed))
        return 0;
      setPending(*s, index, static_cast<float>(parsed));
      return 1;
    }
    case effSetSampleRate:
      if (!s->active && opt > 0.0f) {
        s->sampleRate = opt;
        s->configured = false;
      }
      return 0;
    case effSetBlockSize:
      if (!s->active && value > 0 && value <= Vst3Plugin::kMaxBlockSize) {
        s->blockSize = static_cast<int32_t>(value);
        s->configured = false;
      }
      return 0;
    case effSetProcessPrecision: {
      const Precision wanted = value == 1 ? Precision::Double : Precision::Single;
      if (s->active) return 0;
      if (wanted != s->precision) s->configured = false;
      s->precision = wanted;
      ensureConfigured(*s);
      return s->configured ? 1 : 0;
    }
    case effMainsChanged:
      if (value != 0 && !s->active) {
        ensureConfigured(*s);
        if (!s->configured) return 0;
        p.component()->setActive(1);
        s->active = true;
      } else if (value == 0 && s->active) {
        p.processor()->setProcessing(0);
        p.component()->setActive(0);
        s->active = false;
      }
      return 0;
    case effStartProcess:
      if (s->active) p.processor()->setProcessing(1);
      return 0;
    case effStopProcess:
      if (s->active) p.processor()->setProcessing(0);
      return 0;
    case effGetChunk: {
      if (ptr == nullptr) return 0;
      flushPending(*s);
      s->chunk = p.state();
      *static_cast<void**>(ptr) = s->chunk.data();
      return static_cast<intptr_t>(s->chunk.size());
    }
    case effSetChunk: {
      if (ptr == nullptr || value < 0) return 0;
      flushPending(*s);
      const auto* bytes = static_cast<const uint8_t*>(ptr);
      return p.setState(std::vector<uint8_t>(bytes, bytes + value)) ? 1 : 0;
    }
    case effProcessEvents:
      return s->held.hold(static_cast<const VstEvents*>(ptr));
    case effEditGetRect:
      return editorRect(*s, ptr);
    case effEditOpen:
      return openView(*s, ptr);
    case effEditClose:
      closeView(*s);
      return 0;
    case effEditIdle:
#if !defined(_WIN32)
      if (s->view != nullptr) s->runLoop.run(kRunLoopServeMs);
#endif
      return 0;
    case effGetTailSize:
      return p.tailFrames();
    default:
      return 0;
  }
}

// A block longer than the announced size goes to the plug-in in pieces of at most that size,
// which is all a VST 3 plug-in takes.
template <typename Sample>
void processInto(AEffect* e, Sample** outputs, int32_t frames) {
  Vst3Effect* s = self(e);
  if (s == nullptr || outputs == nullptr || outputs[0] == nullptr || outputs[1] == nullptr ||
      frames < 0)
    return;
  s->gate.enter();
  queuePending(*s);
  int32_t start = 0;
  do {
    const int32_t piece = std::min(frames - start, s->blockSize);
    queueMidi(*s, start, piece, start + piece >= frames);
    Sample* channels[2] = {outputs[0] + start, outputs[1] + start};
    s->plugin.processInto(channels, piece);
    start += piece;
  } while (start < frames);
  s->held.clear();
  s->gate.leave();
}

void processReplacing(AEffect* e, float** /*inputs*/, float** outputs, int32_t frames) {
  processInto(e, outputs, frames);
}

void processDoubleReplacing(AEffect* e, double** /*inputs*/, double** outputs, int32_t frames) {
  processInto(e, outputs, frames);
}

void setParameter(AEffect* e, int32_t index, float value) {
  if (Vst3Effect* s = self(e)) setPending(*s, index, value);
}

float getParameter(AEffect* e, int32_t index) {
  Vst3Effect* s = self(e);
  return s != nullptr ? parameterValue(*s, index) : 0.0f;
}

}  // namespace

void setVst3EffectModule(const Vst3Module* module) {
  currentModule = module;
}

AEffect* vst3EffectMain(audioMasterCallback /*master*/) {
  if (currentModule == nullptr) return nullptr;
  auto* s = new Vst3Effect;
  if (!s->plugin.create(*currentModule)) {
    delete s;
    return nullptr;
  }
  const PluginIdentity id = s->plugin.identity();
  s->face = {id.effectName, id.vendor, id.numOutputs};
  s->pendingCount = id.numParams;
  s->pending = std::make_unique<PendingValue[]>(static_cast<size_t>(std::max(id.numParams, 1)));
  AEffect& e = s->effect;
  e.magic = kEffectMagic;
  e.dispatcher = dispatcher;
  e.setParameter = setParameter;
  e.getParameter = getParameter;
  e.processReplacing = processReplacing;
  e.processDoubleReplacing =
      (id.flags & effFlagsCanDoubleReplacing) != 0 ? processDoubleReplacing : nullptr;
  e.numPrograms = id.numPrograms;
  e.numParams = id.numParams;
  e.numOutputs = id.numOutputs;
  e.flags = id.flags;
  vst3::IPlugView* view =
      s->plugin.controller() != nullptr ? s->plugin.controller()->createView("editor") : nullptr;
  if (view != nullptr) {
    if (view->isPlatformTypeSupported(kPlatformType) == vst3::kResultOk)
      e.flags |= effFlagsHasEditor;
    view->release();
  }
  e.object = s;
  e.version = 1;
  return &e;
}
