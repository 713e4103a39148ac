// The host-side VST 3 objects of our hosts.
#include "tools/host/Vst3HostObjects.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "vst3/Vst3Factory.h"
#include "vst3/Vst3View.h"

namespace {

std::vector<std::string>* queryLog = nullptr;

struct KnownInterface {
  const vst3::Uid* iid;
  const char* name;
};
const KnownInterface kKnownInterfaces[] = {
    {&vst3::kIidFUnknown, "FUnknown"},
    {&vst3::kIidIPluginBase, "IPluginBase"},
    {&vst3::kIidIBStream, "IBStream"},
    {&vst3::kIidIPluginFactory, "IPluginFactory"},
    {&vst3::kIidIPluginFactory2, "IPluginFactory2"},
    {&vst3::kIidIPluginFactory3, "IPluginFactory3"},
    {&vst3::kIidIComponent, "IComponent"},
    {&vst3::kIidIAudioProcessor, "IAudioProcessor"},
    {&vst3::kIidIEventList, "IEventList"},
    {&vst3::kIidIParamValueQueue, "IParamValueQueue"},
    {&vst3::kIidIParameterChanges, "IParameterChanges"},
    {&vst3::kIidIComponentHandler, "IComponentHandler"},
    {&vst3::kIidIEditController, "IEditController"},
    {&vst3::kIidIEditController2, "IEditController2"},
    {&vst3::kIidIMidiMapping, "IMidiMapping"},
    {&vst3::kIidIEditControllerHostEditing, "IEditControllerHostEditing"},
    {&vst3::kIidIUnitInfo, "IUnitInfo"},
    {&vst3::kIidIMessage, "IMessage"},
    {&vst3::kIidIConnectionPoint, "IConnectionPoint"},
    {&vst3::kIidIHostApplication, "IHostApplication"},
    {&vst3::kIidIPlugView, "IPlugView"},
    {&vst3::kIidIPlugFrame, "IPlugFrame"},
    {&vst3::kIidIEventHandler, "IEventHandler"},
    {&vst3::kIidITimerHandler, "ITimerHandler"},
    {&vst3::kIidIRunLoop, "IRunLoop"},
};

}  // namespace

std::string vst3InterfaceName(const void* iid) {
  if (iid == nullptr) return "(null)";
  for (const KnownInterface& known : kKnownInterfaces)
    if (known.iid->matches(iid)) return known.name;
  std::string text;
  char two[3];
  for (int i = 0; i < 16; ++i) {
    std::snprintf(two, sizeof two, "%02X", static_cast<const unsigned char*>(iid)[i]);
    text += two;
  }
  return text;
}

void setVst3QueryLog(std::vector<std::string>* log) {
  queryLog = log;
}

void noteVst3Query(const char* side, const void* iid) {
  if (queryLog != nullptr) queryLog->push_back(std::string(side) + ": " + vst3InterfaceName(iid));
}

vst3::tresult Vst3HostApplication::getName(vst3::String128 name) {
  if (name == nullptr) return vst3::kInvalidArgument;
  vst3Widen("Brisalonde host", name, 128);
  return vst3::kResultOk;
}

vst3::tresult Vst3HostApplication::createInstance(vst3::TUID, vst3::TUID, void** obj) {
  if (obj != nullptr) *obj = nullptr;
  return vst3::kResultFalse;  // no messages: our host connects no separate objects by message
}

vst3::tresult Vst3MemoryStream::read(void* buffer, int32_t numBytes, int32_t* numBytesRead) {
  if (numBytesRead != nullptr) *numBytesRead = 0;
  if (buffer == nullptr || numBytes < 0) return vst3::kInvalidArgument;
  const int64_t left = std::max<int64_t>(0, static_cast<int64_t>(bytes_.size()) - position_);
  const int32_t count = static_cast<int32_t>(std::min<int64_t>({left, numBytes, readLimit_}));
  if (count > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(count));
  position_ += count;
  if (numBytesRead != nullptr) *numBytesRead = count;
  return vst3::kResultOk;
}

vst3::tresult Vst3MemoryStream::write(void* buffer, int32_t numBytes, int32_t* numBytesWritten) {
  if (numBytesWritten != nullptr) *numBytesWritten = 0;
  if (buffer == nullptr || numBytes < 0) return vst3::kInvalidArgument;
  const size_t end = static_cast<size_t>(position_) + static_cast<size_t>(numBytes);
  if (bytes_.size() < end) bytes_.resize(end);
  std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(numBytes));
  position_ = static_cast<int64_t>(end);
  if (numBytesWritten != nullptr) *numBytesWritten = numBytes;
  return vst3::kResultOk;
}

vst3::tresult Vst3MemoryStream::seek(int64_t pos, int32_t mode, int64_t* result) {
  int64_t base = 0;
  if (mode == kIBSeekCur)
    base = position_;
  else if (mode == kIBSeekEnd)
    base = static_cast<int64_t>(bytes_.size());
  else if (mode != kIBSeekSet)
    return vst3::kInvalidArgument;
  if (base + pos < 0) return vst3::kInvalidArgument;
  position_ = base + pos;
  if (result != nullptr) *result = position_;
  return vst3::kResultOk;
}

vst3::tresult Vst3MemoryStream::tell(int64_t* pos) {
  if (pos == nullptr) return vst3::kInvalidArgument;
  *pos = position_;
  return vst3::kResultOk;
}

vst3::tresult Vst3EventList::getEvent(int32_t index, vst3::Event& e) {
  if (index < 0 || static_cast<size_t>(index) >= events_.size()) return vst3::kInvalidArgument;
  e = events_[static_cast<size_t>(index)];
  return vst3::kResultOk;
}

vst3::tresult Vst3EventList::addEvent(vst3::Event& e) {
  if (events_.size() == kCapacity) return vst3::kResultFalse;
  events_.push_back(e);
  return vst3::kResultOk;
}

vst3::tresult Vst3ParamValueQueue::getPoint(int32_t index, int32_t& sampleOffset,
                                            vst3::ParamValue& value) {
  if (index < 0 || static_cast<size_t>(index) >= points_.size()) return vst3::kInvalidArgument;
  sampleOffset = points_[static_cast<size_t>(index)].offset;
  value = points_[static_cast<size_t>(index)].value;
  return vst3::kResultOk;
}

vst3::tresult Vst3ParamValueQueue::addPoint(int32_t sampleOffset, vst3::ParamValue value,
                                            int32_t& index) {
  if (points_.size() == kCapacity) return vst3::kResultFalse;
  // A second point at the same offset replaces the first, as hosts keep one value per frame.
  if (!points_.empty() && points_.back().offset == sampleOffset) {
    points_.back().value = value;
  } else {
    points_.push_back({sampleOffset, value});
  }
  index = static_cast<int32_t>(points_.size()) - 1;
  return vst3::kResultOk;
}

bool Vst3ParameterChanges::add(vst3::ParamID id, int32_t sampleOffset, double value) {
  int32_t index = 0;
  vst3::IParamValueQueue* queue = addParameterData(id, index);
  return queue != nullptr && queue->addPoint(sampleOffset, value, index) == vst3::kResultOk;
}

vst3::IParamValueQueue* Vst3ParameterChanges::getParameterData(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= used_) return nullptr;
  return &queues_[static_cast<size_t>(index)];
}

vst3::IParamValueQueue* Vst3ParameterChanges::addParameterData(const vst3::ParamID& id,
                                                               int32_t& index) {
  for (size_t i = 0; i < used_; ++i) {
    if (queues_[i].getParameterId() == id) {
      index = static_cast<int32_t>(i);
      return &queues_[i];
    }
  }
  if (used_ == queues_.size()) return nullptr;
  queues_[used_].reset(id);
  index = static_cast<int32_t>(used_);
  return &queues_[used_++];
}

vst3::tresult Vst3ComponentHandler::beginEdit(vst3::ParamID id) {
  calls.push_back({'b', id, 0.0});
  return vst3::kResultOk;
}

vst3::tresult Vst3ComponentHandler::performEdit(vst3::ParamID id, vst3::ParamValue value) {
  calls.push_back({'p', id, value});
  return vst3::kResultOk;
}

vst3::tresult Vst3ComponentHandler::endEdit(vst3::ParamID id) {
  calls.push_back({'e', id, 0.0});
  return vst3::kResultOk;
}

vst3::tresult Vst3ComponentHandler::restartComponent(int32_t flags) {
  calls.push_back({'r', 0, static_cast<double>(flags)});
  return vst3::kResultOk;
}

std::string vst3Narrow(const vst3::char16* text, size_t capacity) {
  std::string out;
  if (text == nullptr) return out;
  for (size_t i = 0; i < capacity && text[i] != 0; ++i)
    out += text[i] < 0x100 ? static_cast<char>(text[i]) : '?';
  return out;
}

void vst3Widen(const std::string& text, vst3::char16* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  size_t i = 0;
  for (; i + 1 < capacity && i < text.size(); ++i)
    out[i] = static_cast<unsigned char>(text[i]);
  for (; i < capacity; ++i)
    out[i] = 0;
}
