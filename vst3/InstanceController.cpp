// The instance as its own edit controller: parameters, MIDI mapping, the program list, and
// the editor's edits passed on to the host.
#include <cmath>

#include "params/ParamTable.h"
#include "params/Programs.h"
#include "vst3/EditorView.h"
#include "vst3/MappedControllers.h"
#include "vst3/ParamInfos.h"
#include "vst3/Vst3Instance.h"
#include "vst3/WideText.h"

namespace brisalonde_vst3 {

namespace {

constexpr size_t kTextSize = 128;

size_t controllerIndex(const MappedController& c) {
  return static_cast<size_t>(&c - kMappedControllers);
}

}  // namespace

int32_t Vst3Instance::getParameterCount() {
  return parameterCount();
}

vst3::tresult Vst3Instance::getParameterInfo(int32_t paramIndex, vst3::ParameterInfo& info) {
  return describeParameter(paramIndex, info) ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult Vst3Instance::getParamStringByValue(vst3::ParamID id, vst3::ParamValue value,
                                                  vst3::String128 string) {
  char text[kTextSize];
  if (string == nullptr || !parameterText(id, value, text, sizeof text))
    return vst3::kInvalidArgument;
  copyWide(string, kTextSize, text);
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::getParamValueByString(vst3::ParamID id, vst3::char16* string,
                                                  vst3::ParamValue& value) {
  char text[kTextSize];
  if (!narrowText(string, kTextSize, text, sizeof text)) return vst3::kInvalidArgument;
  return parameterFromText(id, text, value) ? vst3::kResultOk : vst3::kResultFalse;
}

vst3::ParamValue Vst3Instance::normalizedParamToPlain(vst3::ParamID id, vst3::ParamValue value) {
  return plainOfNormalized(id, value);
}

vst3::ParamValue Vst3Instance::plainParamToNormalized(vst3::ParamID id, vst3::ParamValue plain) {
  return normalizedOfPlain(id, plain);
}

vst3::ParamValue Vst3Instance::getParamNormalized(vst3::ParamID id) {
  if (id < static_cast<vst3::ParamID>(kNumParams)) {
    const double hostSet = hostSetValues_[id].load(std::memory_order_relaxed);
    return std::isnan(hostSet) ? core_.paramValues[id].load(std::memory_order_relaxed) : hostSet;
  }
  if (id == kProgramParamId) return programParamValue(core_.currentProgram.load());
  if (const MappedController* c = controllerOfParam(id))
    return controllerValues_[controllerIndex(*c)].load();
  return 0.0;
}

vst3::tresult Vst3Instance::setParamNormalized(vst3::ParamID id, vst3::ParamValue value) {
  // The host tells the controller what it sends the processor; the processor alone changes
  // the sound, on the frame the host gives. Nothing is sent back to the host from here.
  if (!isKnownParameter(id) || !std::isfinite(value)) return vst3::kInvalidArgument;
  if (id < static_cast<vst3::ParamID>(kNumParams))
    hostSetValues_[id].store(quantize(value, kParamTable[id].steps), std::memory_order_relaxed);
  if (const MappedController* c = controllerOfParam(id))
    controllerValues_[controllerIndex(*c)].store(value < 0 ? 0 : value > 1 ? 1 : value);
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::setComponentHandler(vst3::IComponentHandler* handler) {
  if (handler == handler_) return vst3::kResultOk;
  if (handler != nullptr) handler->addRef();
  if (handler_ != nullptr) handler_->release();
  handler_ = handler;
  return vst3::kResultOk;
}

vst3::IPlugView* Vst3Instance::createView(vst3::FIDString name) {
  if (name == nullptr || std::string_view(name) != vst3::kEditorViewType) return nullptr;
  return new (std::nothrow) EditorView(*this);
}

vst3::tresult Vst3Instance::getMidiControllerAssignment(int32_t busIndex, int16_t channel,
                                                        vst3::CtrlNumber number,
                                                        vst3::ParamID& id) {
  // Called on the audio thread by some hosts: a table look-up only.
  const MappedController* c = controllerOfNumber(number);
  if (busIndex != 0 || channel < 0 || channel > 15 || c == nullptr) return vst3::kResultFalse;
  id = c->id;
  return vst3::kResultTrue;
}

int32_t Vst3Instance::getUnitCount() {
  return 1;
}

vst3::tresult Vst3Instance::getUnitInfo(int32_t unitIndex, vst3::UnitInfo& info) {
  if (unitIndex != 0) return vst3::kInvalidArgument;
  info = vst3::UnitInfo{};
  info.id = vst3::kRootUnitId;
  info.parentUnitId = vst3::kNoParentUnitId;
  copyWide(info.name, kTextSize, kClassName);
  info.programListId = kProgramListId;
  return vst3::kResultOk;
}

int32_t Vst3Instance::getProgramListCount() {
  return 1;
}

vst3::tresult Vst3Instance::getProgramListInfo(int32_t listIndex, vst3::ProgramListInfo& info) {
  if (listIndex != 0) return vst3::kInvalidArgument;
  info = vst3::ProgramListInfo{};
  info.id = kProgramListId;
  copyWide(info.name, kTextSize, kProgramListName);
  info.programCount = kNumPrograms;
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::getProgramName(vst3::ProgramListID listId, int32_t programIndex,
                                           vst3::String128 name) {
  if (listId != kProgramListId || !isValidProgram(programIndex) || name == nullptr)
    return vst3::kInvalidArgument;
  copyWide(name, kTextSize, kProgramNames[programIndex]);
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::getProgramInfo(vst3::ProgramListID, int32_t, const vst3::char8*,
                                           vst3::String128) {
  return vst3::kResultFalse;
}

vst3::tresult Vst3Instance::hasProgramPitchNames(vst3::ProgramListID, int32_t) {
  return vst3::kResultFalse;
}

vst3::tresult Vst3Instance::getProgramPitchName(vst3::ProgramListID, int32_t, int16_t,
                                                vst3::String128) {
  return vst3::kResultFalse;
}

vst3::UnitID Vst3Instance::getSelectedUnit() {
  return vst3::kRootUnitId;
}

vst3::tresult Vst3Instance::selectUnit(vst3::UnitID unitId) {
  return unitId == vst3::kRootUnitId ? vst3::kResultOk : vst3::kResultFalse;
}

vst3::tresult Vst3Instance::getUnitByBus(vst3::MediaType, vst3::BusDirection, int32_t, int32_t,
                                         vst3::UnitID& unitId) {
  unitId = vst3::kRootUnitId;
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::setUnitProgramData(int32_t, int32_t, vst3::IBStream*) {
  return vst3::kNotImplemented;
}

void Vst3Instance::beginEdit(int32_t id) {
  if (handler_ != nullptr) handler_->beginEdit(static_cast<vst3::ParamID>(id));
}

void Vst3Instance::automate(int32_t id, double value) {
  hostSetValues_[id].store(std::nan(""), std::memory_order_relaxed);  // the editor's is newer
  if (handler_ != nullptr) handler_->performEdit(static_cast<vst3::ParamID>(id), value);
}

void Vst3Instance::endEdit(int32_t id) {
  if (handler_ != nullptr) handler_->endEdit(static_cast<vst3::ParamID>(id));
}

void Vst3Instance::updateDisplay() {
  // A program chosen on the editor: the processor reports the new values with its next
  // block, and the host is asked to read them now (from the editor's thread, never from
  // inside a host call).
  forgetHostSetValues();
  reportAll_.store(true);
  if (handler_ != nullptr) handler_->restartComponent(vst3::kParamValuesChanged);
}

}  // namespace brisalonde_vst3
