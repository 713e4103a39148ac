// One VST 3 instance: a single object that is both the component (processor) and its edit
// controller. One object shares the core's atomic values between the audio side, the
// controller and the editor without messages between two objects, so what the host sees, what
// the editor shows and what plays are the same values by construction.
#pragma once

#include <atomic>
#include <cstdint>
#include <iterator>

#include "core/HostNotifier.h"
#include "core/InstrumentCore.h"
#include "vst3/BlockInput.h"
#include "vst3/MappedControllers.h"
#include "vst3/Vst3Controller.h"

struct EditorWindow;

namespace brisalonde_vst3 {

// IComponent and IEditController both have setState and getState with the same signature and
// different meanings; each side routes its pair to its own functions.
class ComponentSide : public vst3::IComponent {
 public:
  vst3::tresult VST3_CALL setState(vst3::IBStream* state) final { return loadState(state); }
  vst3::tresult VST3_CALL getState(vst3::IBStream* state) final { return saveState(state); }

 protected:
  virtual vst3::tresult loadState(vst3::IBStream* state) = 0;
  virtual vst3::tresult saveState(vst3::IBStream* state) = 0;
  ~ComponentSide() = default;
};

class ControllerSide : public vst3::IEditController {
 public:
  vst3::tresult VST3_CALL setState(vst3::IBStream* state) final { return loadEditState(state); }
  vst3::tresult VST3_CALL getState(vst3::IBStream* state) final { return saveEditState(state); }

 protected:
  virtual vst3::tresult loadEditState(vst3::IBStream* state) = 0;
  virtual vst3::tresult saveEditState(vst3::IBStream* state) = 0;
  ~ControllerSide() = default;
};

class Vst3Instance final : public ComponentSide,
                           public vst3::IAudioProcessor,
                           public ControllerSide,
                           public vst3::IMidiMapping,
                           public vst3::IUnitInfo,
                           private HostNotifier {
 public:
  Vst3Instance();
  ~Vst3Instance();
  Vst3Instance(const Vst3Instance&) = delete;
  Vst3Instance& operator=(const Vst3Instance&) = delete;

  InstrumentCore& core() { return core_; }
  EditorWindow*& editorSlot() { return editor_; }

  // FUnknown, for every interface above.
  vst3::tresult VST3_CALL queryInterface(const vst3::TUID iid, void** obj) override;
  uint32_t VST3_CALL addRef() override;
  uint32_t VST3_CALL release() override;
  // IPluginBase, for the component and the controller alike: hosts initialize and terminate
  // a single object once for each role.
  vst3::tresult VST3_CALL initialize(vst3::FUnknown* context) override;
  vst3::tresult VST3_CALL terminate() override;

  // IComponent
  vst3::tresult VST3_CALL getControllerClassId(vst3::TUID classId) override;
  vst3::tresult VST3_CALL setIoMode(vst3::IoMode mode) override;
  int32_t VST3_CALL getBusCount(vst3::MediaType type, vst3::BusDirection dir) override;
  vst3::tresult VST3_CALL getBusInfo(vst3::MediaType type, vst3::BusDirection dir, int32_t index,
                                     vst3::BusInfo& bus) override;
  vst3::tresult VST3_CALL getRoutingInfo(vst3::RoutingInfo& inInfo,
                                         vst3::RoutingInfo& outInfo) override;
  vst3::tresult VST3_CALL activateBus(vst3::MediaType type, vst3::BusDirection dir, int32_t index,
                                      vst3::TBool state) override;
  vst3::tresult VST3_CALL setActive(vst3::TBool state) override;

  // IAudioProcessor
  vst3::tresult VST3_CALL setBusArrangements(vst3::SpeakerArrangement* inputs, int32_t numIns,
                                             vst3::SpeakerArrangement* outputs,
                                             int32_t numOuts) override;
  vst3::tresult VST3_CALL getBusArrangement(vst3::BusDirection dir, int32_t index,
                                            vst3::SpeakerArrangement& arr) override;
  vst3::tresult VST3_CALL canProcessSampleSize(int32_t symbolicSampleSize) override;
  uint32_t VST3_CALL getLatencySamples() override;
  vst3::tresult VST3_CALL setupProcessing(vst3::ProcessSetup& setup) override;
  vst3::tresult VST3_CALL setProcessing(vst3::TBool state) override;
  vst3::tresult VST3_CALL process(vst3::ProcessData& data) override;
  uint32_t VST3_CALL getTailSamples() override;

  // IEditController
  vst3::tresult VST3_CALL setComponentState(vst3::IBStream* state) override;
  int32_t VST3_CALL getParameterCount() override;
  vst3::tresult VST3_CALL getParameterInfo(int32_t paramIndex, vst3::ParameterInfo& info) override;
  vst3::tresult VST3_CALL getParamStringByValue(vst3::ParamID id, vst3::ParamValue value,
                                                vst3::String128 string) override;
  vst3::tresult VST3_CALL getParamValueByString(vst3::ParamID id, vst3::char16* string,
                                                vst3::ParamValue& value) override;
  vst3::ParamValue VST3_CALL normalizedParamToPlain(vst3::ParamID id,
                                                    vst3::ParamValue value) override;
  vst3::ParamValue VST3_CALL plainParamToNormalized(vst3::ParamID id,
                                                    vst3::ParamValue plain) override;
  vst3::ParamValue VST3_CALL getParamNormalized(vst3::ParamID id) override;
  vst3::tresult VST3_CALL setParamNormalized(vst3::ParamID id, vst3::ParamValue value) override;
  vst3::tresult VST3_CALL setComponentHandler(vst3::IComponentHandler* handler) override;
  vst3::IPlugView* VST3_CALL createView(vst3::FIDString name) override;

  // IMidiMapping
  vst3::tresult VST3_CALL getMidiControllerAssignment(int32_t busIndex, int16_t channel,
                                                      vst3::CtrlNumber number,
                                                      vst3::ParamID& id) override;

  // IUnitInfo
  int32_t VST3_CALL getUnitCount() override;
  vst3::tresult VST3_CALL getUnitInfo(int32_t unitIndex, vst3::UnitInfo& info) override;
  int32_t VST3_CALL getProgramListCount() override;
  vst3::tresult VST3_CALL getProgramListInfo(int32_t listIndex,
                                             vst3::ProgramListInfo& info) override;
  vst3::tresult VST3_CALL getProgramName(vst3::ProgramListID listId, int32_t programIndex,
                                         vst3::String128 name) override;
  vst3::tresult VST3_CALL getProgramInfo(vst3::ProgramListID listId, int32_t programIndex,
                                         const vst3::char8* attributeId,
                                         vst3::String128 attributeValue) override;
  vst3::tresult VST3_CALL hasProgramPitchNames(vst3::ProgramListID listId,
                                               int32_t programIndex) override;
  vst3::tresult VST3_CALL getProgramPitchName(vst3::ProgramListID listId, int32_t programIndex,
                                              int16_t midiPitch, vst3::String128 name) override;
  vst3::UnitID VST3_CALL getSelectedUnit() override;
  vst3::tresult VST3_CALL selectUnit(vst3::UnitID unitId) override;
  vst3::tresult VST3_CALL getUnitByBus(vst3::MediaType type, vst3::BusDirection dir,
                                       int32_t busIndex, int32_t channel,
                                       vst3::UnitID& unitId) override;
  vst3::tresult VST3_CALL setUnitProgramData(int32_t listOrUnitId, int32_t programIndex,
                                             vst3::IBStream* data) override;

 private:
  vst3::tresult loadState(vst3::IBStream* state) override;
  vst3::tresult saveState(vst3::IBStream* state) override;
  vst3::tresult loadEditState(vst3::IBStream* state) override;
  vst3::tresult saveEditState(vst3::IBStream* state) override;

  // HostNotifier: the editor's edits, on the GUI thread.
  void beginEdit(int32_t id) override;
  void automate(int32_t id, double value) override;
  void endEdit(int32_t id) override;
  void updateDisplay() override;

  // Audio side of process(): the block split at the points, rendered in the asked precision.
  void applyPoint(const ParamPoint& point, vst3::IParameterChanges* out);
  void reportValues(vst3::IParameterChanges* out, int32_t frame);
  void renderRange(vst3::AudioBusBuffers& bus, bool doubles, int32_t start, int32_t frames);

  std::atomic<uint32_t> refs_{1};
  int32_t initializations_ = 0;
  InstrumentCore core_;
  EditorWindow* editor_ = nullptr;
  vst3::IComponentHandler* handler_ = nullptr;
  BlockPoints points_{};
  std::atomic<bool> freshStart_{true};  // the next block starts the voice from its values
  std::atomic<bool> reportAll_{false};  // values changed behind the host's back
  std::atomic<double> controllerValues_[std::size(kMappedControllers)];  // last values seen
  // What the host set on the controller and has not yet sent to the processor (NaN: none).
  // The host reads it back at once; the sound takes it on the frame of the host's point.
  std::atomic<double> hostSetValues_[kNumParams];
  void forgetHostSetValues();
};

}  // namespace brisalonde_vst3
