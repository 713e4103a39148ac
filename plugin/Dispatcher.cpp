// The host's opcodes, answered from constants or routed to the parts that own them.
#include "plugin/Dispatcher.h"

#include <cstring>

#include "core/CoreAudio.h"
#include "core/HostText.h"
#include "editor/EditorHost.h"
#include "plugin/EventInput.h"
#include "plugin/ParamAccess.h"
#include "plugin/PluginInstance.h"
#include "plugin/ProgramState.h"

namespace {

constexpr const char* kEffectName = "Brisalonde VST2";
constexpr const char* kVendorString = "Brisalonde DSP";
constexpr const char* kProductString = "Brisalonde";
constexpr int32_t kNumMidiInputChannels = 16;

intptr_t writeName(void* ptr, size_t size, const char* text) {
  if (ptr != nullptr) copyHostText(static_cast<char*>(ptr), size, text);
  return 1;
}

intptr_t getOutputProperties(int32_t index, void* ptr) {
  if (ptr == nullptr || static_cast<uint32_t>(index) > 1u) return 0;
  auto* pin = static_cast<VstPinProperties*>(ptr);
  std::memset(pin, 0, sizeof *pin);
  copyHostText(pin->label, sizeof pin->label, index == 0 ? "Left" : "Right");
  pin->flags = index == 0 ? (kVstPinIsActive | kVstPinIsStereo) : kVstPinIsActive;
  pin->arrangementType = kSpeakerArrStereo;
  return 1;
}

intptr_t canDo(const void* ptr) {
  if (ptr == nullptr) return 0;
  const char* text = static_cast<const char*>(ptr);
  return std::strcmp(text, "receiveVstEvents") == 0 || std::strcmp(text, "receiveVstMidiEvent") == 0
             ? 1
             : 0;
}

intptr_t processEvents(PluginInstance& p, const void* ptr) {
  if (ptr == nullptr) return 0;
  const auto* events = static_cast<const VstEvents*>(ptr);
  if (static_cast<uint32_t>(events->numEvents) > static_cast<uint32_t>(kMidiQueueCapacity))
    return 0;
  enqueueEvents(p.midiQueue, events);
  return 1;
}

}  // namespace

intptr_t dispatcherEntry(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                         float opt) {
  PluginInstance* instance = instanceOf(effect);
  if (instance == nullptr) return 0;
  PluginInstance& p = *instance;
  switch (opcode) {
    case effClose:
      closeEditor(p.editor);
      delete instance;
      return 0;
    case effSetProgram:
      setProgram(p, value);
      return 0;
    case effGetProgram:
      return p.currentProgram.load();
    case effSetProgramName:
      setProgramName(p, static_cast<const char*>(ptr));
      return 0;
    case effGetProgramName:
      getProgramName(p, static_cast<char*>(ptr));
      return 1;
    case effGetParamLabel:
      getParamLabel(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamDisplay:
      getParamDisplay(p, index, static_cast<char*>(ptr));
      return 0;
    case effGetParamName:
      getParamName(index, static_cast<char*>(ptr));
      return 0;
    case effSetSampleRate:
      acceptSampleRate(p, static_cast<double>(opt));
      return 0;
    case effMainsChanged:
      resetCore(p);
      return 0;
    case effEditGetRect:
      if (ptr == nullptr) return 0;
      *static_cast<ERect**>(ptr) = &p.editorRect;
      return 1;
    case effEditOpen:
      if (ptr == nullptr) return 0;
      closeEditor(p.editor);
      return openEditor(p.editor, p.editorLink, ptr);
    case effEditClose:
      closeEditor(p.editor);
      return 0;
    case effEditIdle:
      idleEditor(p.editor);
      return 0;
    case effGetChunk:
      return getChunk(p, static_cast<void**>(ptr));
    case effSetChunk:
      return setChunk(p, value, ptr);
    case effProcessEvents:
      return processEvents(p, ptr);
    case effCanBeAutomated:
      return canBeAutomated(index);
    case effString2Parameter:
      return string2Parameter(p, index, static_cast<const char*>(ptr));
    case effGetProgramNameIndexed:
      return getProgramNameIndexed(index, static_cast<char*>(ptr));
    case effGetOutputProperties:
      return getOutputProperties(index, ptr);
    case effGetPlugCategory:
      return kPlugCategSynth;
    case effGetEffectName:
      return writeName(ptr, kVstMaxEffectNameLen, kEffectName);
    case effGetVendorString:
      return writeName(ptr, kVstMaxVendorStrLen, kVendorString);
    case effGetProductString:
      return writeName(ptr, kVstMaxProductStrLen, kProductString);
    case effGetVendorVersion:
      return kPluginVersion;
    case effCanDo:
      return canDo(ptr);
    case effGetTailSize:
      return static_cast<intptr_t>(kTailSeconds * p.hostSampleRate);
    case effGetVstVersion:
      return kVstVersion;
    case effBeginSetProgram:
    case effEndSetProgram:
      return 1;
    case effStartProcess:
    case effStopProcess:
      resetCore(p);
      return 1;
    case effSetProcessPrecision:
      return value == kVstProcessPrecision32 || value == kVstProcessPrecision64 ? 1 : 0;
    case effGetNumMidiInputChannels:
      return kNumMidiInputChannels;
    default:
      return 0;
  }
}
