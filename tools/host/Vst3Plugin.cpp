// Driving a VST 3 instrument as a host.
#include "tools/host/Vst3Plugin.h"

#include <algorithm>
#include <cmath>
#include <cstring>

template <typename Interface>
Interface* Vst3Plugin::query(vst3::FUnknown* object, const vst3::Uid& iid) {
  noteVst3Query("plug-in", iid.bytes);
  void* result = nullptr;
  if (object == nullptr || object->queryInterface(iid.bytes, &result) != vst3::kResultOk)
    return nullptr;
  return static_cast<Interface*>(result);
}

Vst3Plugin::~Vst3Plugin() {
  close();
}

bool Vst3Plugin::fail(const std::string& reason) {
  error_ = reason;
  return false;
}

bool Vst3Plugin::create(const Vst3Module& module) {
  close();
  path_ = module.binaryPath();
  vst3::IPluginFactory* factory = module.factory();
  if (factory == nullptr) return fail("no factory");
  const int32_t count = factory->countClasses();
  for (int32_t i = 0; i < count && component_ == nullptr; ++i) {
    vst3::PClassInfo info{};
    if (factory->getClassInfo(i, &info) != vst3::kResultOk) continue;
    if (std::strncmp(info.category, vst3::kAudioModuleClass, sizeof info.category) != 0) continue;
    className_.assign(info.name, strnlen(info.name, sizeof info.name));
    vendor_.clear();
    if (auto* factory2 = query<vst3::IPluginFactory2>(factory, vst3::kIidIPluginFactory2)) {
      vst3::PClassInfo2 info2{};
      if (factory2->getClassInfo2(i, &info2) == vst3::kResultOk)
        vendor_.assign(info2.vendor, strnlen(info2.vendor, sizeof info2.vendor));
      factory2->release();
    }
    noteVst3Query("plug-in", vst3::kIidIComponent.bytes);
    void* object = nullptr;
    if (factory->createInstance(info.cid, vst3::kIidIComponent.bytes, &object) != vst3::kResultOk ||
        object == nullptr)
      return fail(module.binaryPath() + ": cannot create " + className_);
    component_ = static_cast<vst3::IComponent*>(object);
    if (component_->initialize(&application_) != vst3::kResultOk) {
      component_->release();
      component_ = nullptr;
      return fail(module.binaryPath() + ": " + className_ + " refused initialize");
    }
    processor_ = query<vst3::IAudioProcessor>(component_, vst3::kIidIAudioProcessor);
    controller_ = query<vst3::IEditController>(component_, vst3::kIidIEditController);
    if (controller_ == nullptr) {
      vst3::TUID controllerId{};
      if (component_->getControllerClassId(controllerId) == vst3::kResultOk) {
        void* made = nullptr;
        if (factory->createInstance(controllerId, vst3::kIidIEditController.bytes, &made) ==
                vst3::kResultOk &&
            made != nullptr) {
          controller_ = static_cast<vst3::IEditController*>(made);
          separateController_ = true;
        }
      }
    }
    if (controller_ != nullptr) {
      // A single object is initialized once more as its controller, as hosts do.
      controller_->initialize(&application_);
      controller_->setComponentHandler(&handler_);
      if (separateController_) {
        componentPoint_ = query<vst3::IConnectionPoint>(component_, vst3::kIidIConnectionPoint);
        controllerPoint_ = query<vst3::IConnectionPoint>(controller_, vst3::kIidIConnectionPoint);
        if (componentPoint_ != nullptr && controllerPoint_ != nullptr) {
          componentPoint_->connect(controllerPoint_);
          controllerPoint_->connect(componentPoint_);
        }
      }
      mapping_ = query<vst3::IMidiMapping>(controller_, vst3::kIidIMidiMapping);
      units_ = query<vst3::IUnitInfo>(controller_, vst3::kIidIUnitInfo);
      const std::vector<uint8_t> initial = state();
      Vst3MemoryStream stream(initial);
      controller_->setComponentState(&stream);
    }
  }
  if (component_ == nullptr) return fail(module.binaryPath() + ": no audio module class");
  if (processor_ == nullptr) return fail(module.binaryPath() + ": no IAudioProcessor");
  visibleIds_.clear();
  for (int32_t i = 0; i < parameterCount(); ++i) {
    vst3::ParameterInfo info{};
    if (parameterInfo(i, info) && (info.flags & vst3::ParameterInfo::kIsHidden) == 0)
      visibleIds_.push_back(info.id);
  }
  return true;
}

bool Vst3Plugin::configure(double sampleRate, int32_t blockSize, Precision precision) {
  if (processor_ == nullptr) return fail("not open");
  if (blockSize < 1 || blockSize > kMaxBlockSize) return fail("block size out of range");
  const int32_t size = precision == Precision::Double ? vst3::kSample64 : vst3::kSample32;
  if (processor_->canProcessSampleSize(size) != vst3::kResultOk)
    return fail("the plug-in cannot process in this precision");
  for (int32_t i = 0; i < component_->getBusCount(vst3::kEvent, vst3::kInput); ++i)
    component_->activateBus(vst3::kEvent, vst3::kInput, i, 1);
  for (int32_t i = 0; i < component_->getBusCount(vst3::kAudio, vst3::kOutput); ++i)
    component_->activateBus(vst3::kAudio, vst3::kOutput, i, 1);
  vst3::SpeakerArrangement stereo = vst3::kStereo;
  processor_->setBusArrangements(nullptr, 0, &stereo, 1);
  vst3::ProcessSetup setup{vst3::kRealtime, size, blockSize, sampleRate};
  if (processor_->setupProcessing(setup) != vst3::kResultOk)
    return fail("the plug-in refused the processing setup");
  precision_ = precision;
  blockSize_ = blockSize;
  floatStorage_.assign(static_cast<size_t>(blockSize) * 2, 0.0f);
  doubleStorage_.assign(static_cast<size_t>(blockSize) * 2, 0.0);
  for (int c = 0; c < 2; ++c) {
    floatChannels_[c] = floatStorage_.data() + c * blockSize;
    doubleChannels_[c] = doubleStorage_.data() + c * blockSize;
  }
  return true;
}

void Vst3Plugin::resume() {
  if (component_ == nullptr || active_) return;
  component_->setActive(1);
  active_ = true;
  processor_->setProcessing(1);
  processing_ = true;
}

void Vst3Plugin::suspend() {
  if (processing_) processor_->setProcessing(0);
  processing_ = false;
  if (active_) component_->setActive(0);
  active_ = false;
}

void Vst3Plugin::close() {
  if (component_ == nullptr) return;
  suspend();
  if (componentPoint_ != nullptr && controllerPoint_ != nullptr) {
    componentPoint_->disconnect(controllerPoint_);
    controllerPoint_->disconnect(componentPoint_);
  }
  for (vst3::FUnknown* held :
       {static_cast<vst3::FUnknown*>(componentPoint_),
        static_cast<vst3::FUnknown*>(controllerPoint_), static_cast<vst3::FUnknown*>(mapping_),
        static_cast<vst3::FUnknown*>(units_), static_cast<vst3::FUnknown*>(processor_)})
    if (held != nullptr) held->release();
  if (controller_ != nullptr) {
    controller_->setComponentHandler(nullptr);
    controller_->terminate();
    controller_->release();
  }
  component_->terminate();
  component_->release();
  component_ = nullptr;
  processor_ = nullptr;
  controller_ = nullptr;
  componentPoint_ = controllerPoint_ = nullptr;
  mapping_ = nullptr;
  units_ = nullptr;
  separateController_ = false;
}

int32_t Vst3Plugin::parameterCount() {
  return controller_ == nullptr ? 0 : controller_->getParameterCount();
}

bool Vst3Plugin::parameterInfo(int32_t index, vst3::ParameterInfo& info) {
  info = vst3::ParameterInfo{};
  return controller_ != nullptr && controller_->getParameterInfo(index, info) == vst3::kResultOk;
}

std::string Vst3Plugin::parameterTitle(int32_t index) {
  vst3::ParameterInfo info{};
  return parameterInfo(index, info) ? vst3Narrow(info.title, 128) : std::string();
}

std::string Vst3Plugin::parameterText(vst3::ParamID id, double normalized) {
  vst3::String128 text{};
  if (controller_ == nullptr ||
      controller_->getParamStringByValue(id, normalized, text) != vst3::kResultOk)
    return std::string();
  return vst3Narrow(text, 128);
}

bool Vst3Plugin::parameterFromText(vst3::ParamID id, const std::string& text, double& normalized) {
  vst3::String128 wide{};
  vst3Widen(text, wide, 128);
  return controller_ != nullptr &&
         controller_->getParamValueByString(id, wide, normalized) == vst3::kResultOk;
}

double Vst3Plugin::parameterValue(vst3::ParamID id) {
  return controller_ == nullptr ? 0.0 : controller_->getParamNormalized(id);
}

void Vst3Plugin::setParameterValue(vst3::ParamID id, double normalized) {
  if (controller_ != nullptr) controller_->setParamNormalized(id, normalized);
  queueParameter(id, 0, normalized);
}

bool Vst3Plugin::queueParameter(vst3::ParamID id, int32_t frame, double normalized) {
  return changes_.add(id, frame, normalized);
}

vst3::ParamID Vst3Plugin::programParameter() {
  const int32_t count = parameterCount();
  for (int32_t i = 0; i < count; ++i) {
    vst3::ParameterInfo info{};
    if (parameterInfo(i, info) && (info.flags & vst3::ParameterInfo::kIsProgramChange) != 0)
      return info.id;
  }
  return UINT32_MAX;
}

int32_t Vst3Plugin::programCount() {
  vst3::ProgramListInfo list{};
  if (units_ == nullptr || units_->getProgramListCount() < 1 ||
      units_->getProgramListInfo(0, list) != vst3::kResultOk)
    return 0;
  return list.programCount;
}

std::string Vst3Plugin::programName(int32_t index) {
  vst3::ProgramListInfo list{};
  vst3::String128 name{};
  if (units_ == nullptr || units_->getProgramListInfo(0, list) != vst3::kResultOk ||
      units_->getProgramName(list.id, index, name) != vst3::kResultOk)
    return std::string();
  return vst3Narrow(name, 128);
}

bool Vst3Plugin::setProgram(int32_t index) {
  const int32_t count = programCount();
  const vst3::ParamID id = programParameter();
  if (index < 0 || index >= count || id == UINT32_MAX) return false;
  setParameterValue(id, count > 1 ? static_cast<double>(index) / (count - 1) : 0.0);
  return true;
}

void Vst3Plugin::addMidi(int32_t frame, const uint8_t* bytes, size_t size) {
  if (bytes == nullptr || size == 0) return;
  const uint8_t status = bytes[0] & 0xF0;
  const int16_t channel = bytes[0] & 0x0F;
  const uint8_t data1 = size > 1 ? bytes[1] & 0x7F : 0;
  const uint8_t data2 = size > 2 ? bytes[2] & 0x7F : 0;
  vst3::Event event{};
  event.sampleOffset = frame;
  if (status == 0x90 && data2 > 0) {
    event.type = vst3::Event::kNoteOnEvent;
    event.noteOn = {channel, static_cast<int16_t>(data1), 0.0f, data2 / 127.0f, 0, -1};
    events_.addEvent(event);
  } else if (status == 0x80 || status == 0x90) {
    event.type = vst3::Event::kNoteOffEvent;
    event.noteOff = {channel, static_cast<int16_t>(data1), data2 / 127.0f, -1, 0.0f};
    events_.addEvent(event);
  } else if ((status == 0xB0 || status == 0xE0) && mapping_ != nullptr) {
    const bool bend = status == 0xE0;
    const vst3::CtrlNumber number =
        static_cast<vst3::CtrlNumber>(bend ? int{vst3::kPitchBend} : int{data1});
    vst3::ParamID id = 0;
    if (mapping_->getMidiControllerAssignment(0, channel, number, id) != vst3::kResultOk) return;
    const double value = bend ? ((data2 << 7) | data1) / 16383.0 : data2 / 127.0;
    queueParameter(id, frame, value);
  }
}

void Vst3Plugin::process(int32_t frames) {
  if (precision_ == Precision::Double)
    processInto(doubleChannels_, frames);
  else
    processInto(floatChannels_, frames);
}

void Vst3Plugin::processInto(float** outputs, int32_t frames) {
  if (precision_ != Precision::Single) return;
  vst3::AudioBusBuffers output{};
  output.channelBuffers32 = outputs;
  run(output, frames);
}

void Vst3Plugin::processInto(double** outputs, int32_t frames) {
  if (precision_ != Precision::Double) return;
  vst3::AudioBusBuffers output{};
  output.channelBuffers64 = outputs;
  run(output, frames);
}

void Vst3Plugin::run(vst3::AudioBusBuffers& output, int32_t frames) {
  if (processor_ == nullptr || frames < 0 || frames > blockSize_) return;
  output.numChannels = 2;
  vst3::ProcessData data{};
  data.processMode = vst3::kRealtime;
  data.symbolicSampleSize = precision_ == Precision::Double ? vst3::kSample64 : vst3::kSample32;
  data.numSamples = frames;
  data.numOutputs = 1;
  data.outputs = &output;
  data.inputParameterChanges = &changes_;
  data.outputParameterChanges = &outputChanges_;
  data.inputEvents = &events_;
  outputChanges_.clear();
  processor_->process(data);
  events_.clear();
  changes_.clear();
}

const float* Vst3Plugin::floatOutput(int32_t channel) const {
  return precision_ == Precision::Single && channel >= 0 && channel < 2 ? floatChannels_[channel]
                                                                        : nullptr;
}

const double* Vst3Plugin::doubleOutput(int32_t channel) const {
  return precision_ == Precision::Double && channel >= 0 && channel < 2 ? doubleChannels_[channel]
                                                                        : nullptr;
}

uint32_t Vst3Plugin::tailSamples() {
  return processor_ == nullptr ? 0 : processor_->getTailSamples();
}

std::vector<uint8_t> Vst3Plugin::state() {
  Vst3MemoryStream stream;
  if (component_ == nullptr || component_->getState(&stream) != vst3::kResultOk) return {};
  return stream.bytes();
}

bool Vst3Plugin::setState(const std::vector<uint8_t>& bytes, int64_t offset, int32_t readLimit) {
  if (component_ == nullptr || offset < 0) return false;
  std::vector<uint8_t> placed(static_cast<size_t>(offset), 0xA5);
  placed.insert(placed.end(), bytes.begin(), bytes.end());
  Vst3MemoryStream stream(placed, offset);
  stream.setReadLimit(readLimit);
  if (component_->setState(&stream) != vst3::kResultOk) return false;
  if (controller_ != nullptr) {
    Vst3MemoryStream again(placed, offset);
    again.setReadLimit(readLimit);
    controller_->setComponentState(&again);
  }
  return true;
}

bool Vst3Plugin::visibleId(int32_t index, vst3::ParamID& id) {
  if (index < 0 || static_cast<size_t>(index) >= visibleIds_.size()) return false;
  id = visibleIds_[static_cast<size_t>(index)];
  return true;
}

PluginIdentity Vst3Plugin::identity() {
  PluginIdentity id;
  id.effectName = className_;
  id.product = className_;
  id.vendor = vendor_;
  id.numPrograms = programCount();
  id.numParams = static_cast<int32_t>(visibleIds_.size());
  id.numOutputs = outputCount();
  id.flags = effFlagsIsSynth | effFlagsCanReplacing | effFlagsProgramChunks;
  if (processor_ != nullptr && processor_->canProcessSampleSize(vst3::kSample64) == vst3::kResultOk)
    id.flags |= effFlagsCanDoubleReplacing;
  return id;
}

std::string Vst3Plugin::parameterName(int32_t index) {
  for (int32_t i = 0; i < parameterCount(); ++i) {
    vst3::ParameterInfo info{};
    vst3::ParamID id = 0;
    if (visibleId(index, id) && parameterInfo(i, info) && info.id == id)
      return vst3Narrow(info.title, 128);
  }
  return std::string();
}

std::string Vst3Plugin::parameterLabel(int32_t index) {
  for (int32_t i = 0; i < parameterCount(); ++i) {
    vst3::ParameterInfo info{};
    vst3::ParamID id = 0;
    if (visibleId(index, id) && parameterInfo(i, info) && info.id == id)
      return vst3Narrow(info.units, 128);
  }
  return std::string();
}

std::string Vst3Plugin::parameterDisplay(int32_t index) {
  vst3::ParamID id = 0;
  return visibleId(index, id) ? parameterText(id, parameterValue(id)) : std::string();
}

float Vst3Plugin::parameter(int32_t index) {
  vst3::ParamID id = 0;
  return visibleId(index, id) ? static_cast<float>(parameterValue(id)) : 0.0f;
}

void Vst3Plugin::setParameter(int32_t index, float normalized) {
  vst3::ParamID id = 0;
  if (visibleId(index, id)) setParameterValue(id, static_cast<double>(normalized));
}

bool Vst3Plugin::setParameterText(int32_t index, const std::string& text) {
  vst3::ParamID id = 0;
  double value = 0.0;
  if (!visibleId(index, id) || !parameterFromText(id, text, value)) return false;
  setParameterValue(id, value);
  return true;
}

int32_t Vst3Plugin::currentProgram() {
  const vst3::ParamID id = programParameter();
  const int32_t count = programCount();
  if (id == UINT32_MAX || count < 1) return 0;
  return static_cast<int32_t>(std::lround(parameterValue(id) * (count - 1)));
}

std::string Vst3Plugin::currentProgramName() {
  return programName(currentProgram());
}

int32_t Vst3Plugin::tailFrames() {
  const uint32_t tail = tailSamples();
  return tail == vst3::kNoTail ? 1 : static_cast<int32_t>(std::min<uint32_t>(tail, INT32_MAX));
}

void Vst3Plugin::sendEvents(EventBlock& block) {
  const VstEvents* events = block.events();
  if (events == nullptr) return;
  // numEvents pointers behind a record that declares two: read through a pointer.
  const VstEvent* const* list = events->events;
  for (int32_t i = 0; i < events->numEvents; ++i) {
    const VstEvent* e = list[i];
    if (e == nullptr || e->type != kVstMidiType) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(e);
    const auto* bytes = reinterpret_cast<const uint8_t*>(midi->midiData);
    addMidi(midi->deltaFrames, bytes, 3);
  }
}
