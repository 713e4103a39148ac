// The instance's identity, life cycle, buses and component state.
#include "vst3/Vst3Instance.h"

#include <cmath>

#include "core/CoreAudio.h"
#include "core/StateChunk.h"
#include "core/StateTransfer.h"
#include "editor/EditorHost.h"
#include "vst3/MappedControllers.h"
#include "vst3/StateStream.h"
#include "vst3/WideText.h"

namespace brisalonde_vst3 {

Vst3Instance::Vst3Instance() : core_(*this) {
  for (size_t i = 0; i < std::size(kMappedControllers); ++i)
    controllerValues_[i].store(restingValue(kMappedControllers[i]));
  forgetHostSetValues();
}

void Vst3Instance::forgetHostSetValues() {
  for (std::atomic<double>& value : hostSetValues_)
    value.store(std::nan(""));
}

Vst3Instance::~Vst3Instance() {
  closeEditor(editor_);
  if (handler_ != nullptr) handler_->release();
}

vst3::tresult Vst3Instance::queryInterface(const vst3::TUID iid, void** obj) {
  if (obj == nullptr) return vst3::kInvalidArgument;
  void* found = nullptr;
  if (vst3::kIidFUnknown.matches(iid) || vst3::kIidIPluginBase.matches(iid) ||
      vst3::kIidIComponent.matches(iid)) {
    found = static_cast<vst3::IComponent*>(this);
  } else if (vst3::kIidIAudioProcessor.matches(iid)) {
    found = static_cast<vst3::IAudioProcessor*>(this);
  } else if (vst3::kIidIEditController.matches(iid)) {
    found = static_cast<vst3::IEditController*>(this);
  } else if (vst3::kIidIMidiMapping.matches(iid)) {
    found = static_cast<vst3::IMidiMapping*>(this);
  } else if (vst3::kIidIUnitInfo.matches(iid)) {
    found = static_cast<vst3::IUnitInfo*>(this);
  }
  *obj = found;
  if (found == nullptr) return vst3::kNoInterface;
  addRef();
  return vst3::kResultOk;
}

uint32_t Vst3Instance::addRef() {
  return refs_.fetch_add(1) + 1;
}

uint32_t Vst3Instance::release() {
  const uint32_t left = refs_.fetch_sub(1) - 1;
  if (left == 0) delete this;
  return left;
}

vst3::tresult Vst3Instance::initialize(vst3::FUnknown*) {
  ++initializations_;
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::terminate() {
  if (initializations_ > 0 && --initializations_ == 0) {
    closeEditor(editor_);
    setComponentHandler(nullptr);
  }
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::getControllerClassId(vst3::TUID) {
  return vst3::kNotImplemented;  // this object is its own controller
}

vst3::tresult Vst3Instance::setIoMode(vst3::IoMode) {
  return vst3::kResultOk;
}

int32_t Vst3Instance::getBusCount(vst3::MediaType type, vst3::BusDirection dir) {
  if (type == vst3::kAudio && dir == vst3::kOutput) return 1;
  if (type == vst3::kEvent && dir == vst3::kInput) return 1;
  return 0;
}

vst3::tresult Vst3Instance::getBusInfo(vst3::MediaType type, vst3::BusDirection dir, int32_t index,
                                       vst3::BusInfo& bus) {
  if (index != 0 || getBusCount(type, dir) == 0) return vst3::kInvalidArgument;
  bus = vst3::BusInfo{};
  bus.mediaType = type;
  bus.direction = dir;
  bus.channelCount = type == vst3::kAudio ? 2 : 16;
  copyWide(bus.name, 128, type == vst3::kAudio ? "Output" : "MIDI input");
  bus.busType = vst3::kMain;
  bus.flags = vst3::BusInfo::kDefaultActive;
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::getRoutingInfo(vst3::RoutingInfo&, vst3::RoutingInfo&) {
  return vst3::kNotImplemented;
}

vst3::tresult Vst3Instance::activateBus(vst3::MediaType type, vst3::BusDirection dir, int32_t index,
                                        vst3::TBool) {
  return index == 0 && getBusCount(type, dir) == 1 ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult Vst3Instance::setActive(vst3::TBool state) {
  // Real-time safe: hosts may call it from their audio thread.
  if (state != 0) {
    resetCore(core_);
    freshStart_.store(true);
  }
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::loadState(vst3::IBStream* state) {
  unsigned char record[kStateChunkSize];
  size_t size = 0;
  if (!readRecord(state, record, sizeof record, size)) return vst3::kResultFalse;
  if (!applyState(core_, record, static_cast<intptr_t>(size))) return vst3::kResultFalse;
  forgetHostSetValues();
  reportAll_.store(true);
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::saveState(vst3::IBStream* state) {
  StateChunk record{};
  buildState(core_, record);
  return writeRecord(state, record.bytes, sizeof record.bytes) ? vst3::kResultOk
                                                               : vst3::kResultFalse;
}

// The controller keeps nothing of its own: everything is in the component's record.
vst3::tresult Vst3Instance::loadEditState(vst3::IBStream*) {
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::saveEditState(vst3::IBStream*) {
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::setComponentState(vst3::IBStream* state) {
  // The controller reads the same core the component restored; a record that differs from
  // the core's (a host that restores the controller alone) is taken over, or refused whole.
  return loadState(state);
}

}  // namespace brisalonde_vst3
