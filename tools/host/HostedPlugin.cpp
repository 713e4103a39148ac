// Driving one plug-in instance. Every call into the plug-in is marked for the crash guard,
// and every text the plug-in writes lands in a buffer far larger than the conventional size,
// because plug-ins do not all respect it.
#include "tools/host/HostedPlugin.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "tools/host/CrashGuard.h"

namespace {

constexpr size_t kTextBufferSize = 512;
constexpr int32_t kChunkIsBank = 0;  // effGetChunk/effSetChunk index: the whole bank state

// Names for the crash report of the opcodes this host sends.
struct OpcodeName {
  int32_t opcode;
  const char* name;
};
constexpr OpcodeName kOpcodeNames[] = {
    {effOpen, "effOpen"},
    {effClose, "effClose"},
    {effSetProgram, "effSetProgram"},
    {effGetProgram, "effGetProgram"},
    {effGetProgramName, "effGetProgramName"},
    {effGetParamLabel, "effGetParamLabel"},
    {effGetParamDisplay, "effGetParamDisplay"},
    {effGetParamName, "effGetParamName"},
    {effSetSampleRate, "effSetSampleRate"},
    {effSetBlockSize, "effSetBlockSize"},
    {effMainsChanged, "effMainsChanged"},
    {effGetChunk, "effGetChunk"},
    {effSetChunk, "effSetChunk"},
    {effProcessEvents, "effProcessEvents"},
    {effString2Parameter, "effString2Parameter"},
    {effGetProgramNameIndexed, "effGetProgramNameIndexed"},
    {effGetEffectName, "effGetEffectName"},
    {effGetVendorString, "effGetVendorString"},
    {effGetProductString, "effGetProductString"},
    {effGetVendorVersion, "effGetVendorVersion"},
    {effCanDo, "effCanDo"},
    {effGetTailSize, "effGetTailSize"},
    {effBeginSetProgram, "effBeginSetProgram"},
    {effEndSetProgram, "effEndSetProgram"},
    {effStartProcess, "effStartProcess"},
    {effStopProcess, "effStopProcess"},
    {effSetProcessPrecision, "effSetProcessPrecision"},
};

const char* opcodeName(int32_t opcode) {
  for (const OpcodeName& entry : kOpcodeNames)
    if (entry.opcode == opcode) return entry.name;
  return nullptr;
}

std::string trimmed(const char* text, size_t size) {
  std::string s(text, strnlen(text, size));
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.pop_back();
  size_t start = 0;
  while (start < s.size() && s[start] == ' ')
    ++start;
  return s.substr(start);
}

}  // namespace

HostedPlugin::~HostedPlugin() {
  close();
}

bool HostedPlugin::fail(const std::string& reason) {
  error_ = path_ + ": " + reason;
  return false;
}

bool HostedPlugin::create(const PluginModule& module) {
  close();
  path_ = module.path();
  if (module.entry() == nullptr) return fail("no plug-in binary is loaded");

  AEffect* effect = nullptr;
  {
    crashguard::Stage stage("VSTPluginMain");
    bindCreatingContext(&context_);
    effect = module.entry()(hostCallback);
    bindCreatingContext(nullptr);
  }
  if (effect == nullptr)
    return fail("the plug-in refused to start (its entry point returned no instance)");
  if (effect->magic != kEffectMagic)
    return fail("not a VST 2 plug-in (its record lacks the VstP mark)");
  if (effect->dispatcher == nullptr) return fail("the plug-in's record has no dispatcher");
  if (effect->numInputs < 0 || effect->numInputs > kMaxChannels || effect->numOutputs < 0 ||
      effect->numOutputs > kMaxChannels)
    return fail("the plug-in reports " + std::to_string(effect->numInputs) + " inputs and " +
                std::to_string(effect->numOutputs) + " outputs");
  effect_ = effect;
  if (!bindEffect(effect_, &context_)) {
    error_ = path_ + ": too many plug-in instances in this host";
    close();
    return false;
  }
  dispatch(effOpen);
  return true;
}

intptr_t HostedPlugin::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt) {
  if (effect_ == nullptr) return 0;
  const char* name = opcodeName(opcode);
  crashguard::Stage stage(name != nullptr ? name : "the dispatcher", name != nullptr ? -1 : opcode);
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string HostedPlugin::queryText(int32_t opcode, int32_t index) {
  char buffer[kTextBufferSize] = {};
  dispatch(opcode, index, 0, buffer);
  buffer[kTextBufferSize - 1] = '\0';
  return trimmed(buffer, kTextBufferSize);
}

PluginIdentity HostedPlugin::identity() {
  PluginIdentity id;
  if (effect_ == nullptr) return id;
  id.effectName = queryText(effGetEffectName, 0);
  id.vendor = queryText(effGetVendorString, 0);
  id.product = queryText(effGetProductString, 0);
  id.vendorVersion = static_cast<int32_t>(dispatch(effGetVendorVersion));
  id.uniqueId = effect_->uniqueID;
  id.version = effect_->version;
  id.numPrograms = effect_->numPrograms;
  id.numParams = effect_->numParams;
  id.numInputs = effect_->numInputs;
  id.numOutputs = effect_->numOutputs;
  id.flags = effect_->flags;
  return id;
}

std::string HostedPlugin::parameterName(int32_t index) {
  return queryText(effGetParamName, index);
}
std::string HostedPlugin::parameterLabel(int32_t index) {
  return queryText(effGetParamLabel, index);
}
std::string HostedPlugin::parameterDisplay(int32_t index) {
  return queryText(effGetParamDisplay, index);
}
std::string HostedPlugin::programName(int32_t index) {
  char buffer[kTextBufferSize] = {};
  if (dispatch(effGetProgramNameIndexed, index, -1, buffer) == 0) return {};
  buffer[kTextBufferSize - 1] = '\0';
  return trimmed(buffer, kTextBufferSize);
}
std::string HostedPlugin::currentProgramName() {
  return queryText(effGetProgramName, 0);
}
int32_t HostedPlugin::currentProgram() {
  return static_cast<int32_t>(dispatch(effGetProgram));
}
int32_t HostedPlugin::tailFrames() {
  const intptr_t tail = dispatch(effGetTailSize);
  return tail < 0 ? 0 : static_cast<int32_t>(std::min<intptr_t>(tail, INT32_MAX));
}

float HostedPlugin::parameter(int32_t index) {
  if (effect_ == nullptr || effect_->getParameter == nullptr) return 0.0f;
  crashguard::Stage stage("getParameter");
  return effect_->getParameter(effect_, index);
}

void HostedPlugin::setParameter(int32_t index, float normalized) {
  if (effect_ == nullptr || effect_->setParameter == nullptr) return;
  crashguard::Stage stage("setParameter");
  effect_->setParameter(effect_, index, normalized);
}

bool HostedPlugin::setParameterText(int32_t index, const std::string& text) {
  std::vector<char> writable(text.begin(), text.end());
  writable.push_back('\0');
  return dispatch(effString2Parameter, index, 0, writable.data()) != 0;
}

void HostedPlugin::setProgram(int32_t index) {
  dispatch(effBeginSetProgram);
  dispatch(effSetProgram, 0, index);
  dispatch(effEndSetProgram);
}

std::vector<uint8_t> HostedPlugin::chunk() {
  void* data = nullptr;
  const intptr_t size = dispatch(effGetChunk, kChunkIsBank, 0, &data);
  if (size <= 0 || data == nullptr) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

bool HostedPlugin::setChunk(const std::vector<uint8_t>& bytes) {
  // The plug-in may keep the pointer until the call returns only; a copy keeps ours const.
  std::vector<uint8_t> copy(bytes);
  return dispatch(effSetChunk, kChunkIsBank, static_cast<intptr_t>(copy.size()), copy.data()) != 0;
}

bool HostedPlugin::configure(double sampleRate, int32_t blockSize, Precision precision) {
  if (effect_ == nullptr) return fail("no instance is open");
  if (blockSize < 1 || blockSize > kMaxBlockSize)
    return fail("block size " + std::to_string(blockSize) + " is out of range");
  if (precision == Precision::Double && ((effect_->flags & effFlagsCanDoubleReplacing) == 0 ||
                                         effect_->processDoubleReplacing == nullptr))
    return fail("the plug-in cannot process in double precision");
  if (precision == Precision::Single && effect_->processReplacing == nullptr &&
      effect_->process == nullptr)
    return fail("the plug-in has no processing entry point");
  context_.sampleRate = sampleRate;
  context_.blockSize = blockSize;
  context_.timeInfo.sampleRate = sampleRate;
  precision_ = precision;
  blockSize_ = blockSize;
  numInputs_ = effect_->numInputs;
  numOutputs_ = effect_->numOutputs;
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  dispatch(effSetBlockSize, 0, blockSize);
  dispatch(effSetProcessPrecision, 0,
           precision == Precision::Double ? kVstProcessPrecision64 : kVstProcessPrecision32);
  allocateBuffers();
  return true;
}

void HostedPlugin::allocateBuffers() {
  const size_t channels = static_cast<size_t>(numInputs_ + numOutputs_);
  const size_t frames = static_cast<size_t>(blockSize_);
  // Reserved, so that the pointer arrays handed to the plug-in are never null.
  for (std::vector<float*>* list : {&floatInputs_, &floatOutputs_}) {
    list->clear();
    list->reserve(kMaxChannels);
  }
  for (std::vector<double*>* list : {&doubleInputs_, &doubleOutputs_}) {
    list->clear();
    list->reserve(kMaxChannels);
  }
  floatStorage_.assign(precision_ == Precision::Single ? channels * frames : 0, 0.0f);
  doubleStorage_.assign(precision_ == Precision::Double ? channels * frames : 0, 0.0);
  for (size_t c = 0; c < channels; ++c) {
    const bool input = c < static_cast<size_t>(numInputs_);
    if (precision_ == Precision::Single)
      (input ? floatInputs_ : floatOutputs_).push_back(floatStorage_.data() + c * frames);
    else
      (input ? doubleInputs_ : doubleOutputs_).push_back(doubleStorage_.data() + c * frames);
  }
}

void HostedPlugin::resume() {
  if (effect_ == nullptr || running_) return;
  dispatch(effMainsChanged, 0, 1);
  dispatch(effStartProcess);
  running_ = true;
}

void HostedPlugin::suspend() {
  if (effect_ == nullptr || !running_) return;
  dispatch(effStopProcess);
  dispatch(effMainsChanged, 0, 0);
  running_ = false;
}

void HostedPlugin::close() {
  if (effect_ == nullptr) return;
  suspend();
  dispatch(effClose);
  unbindEffect(effect_);
  effect_ = nullptr;
}

void HostedPlugin::sendEvents(EventBlock& block) {
  if (!block.empty()) dispatch(effProcessEvents, 0, 0, block.events());
}

void HostedPlugin::process(int32_t frames) {
  if (effect_ == nullptr || frames <= 0) return;
  frames = std::min(frames, blockSize_);
  context_.processLevel = kVstProcessLevelRealtime;
  if (precision_ == Precision::Double) {
    crashguard::Stage stage("processDoubleReplacing");
    for (double* in : doubleInputs_)
      std::fill(in, in + frames, 0.0);
    effect_->processDoubleReplacing(effect_, doubleInputs_.data(), doubleOutputs_.data(), frames);
  } else {
    for (float* in : floatInputs_)
      std::fill(in, in + frames, 0.0f);
    const bool replacing =
        effect_->processReplacing != nullptr &&
        ((effect_->flags & effFlagsCanReplacing) != 0 || effect_->process == nullptr);
    if (replacing) {
      crashguard::Stage stage("processReplacing");
      effect_->processReplacing(effect_, floatInputs_.data(), floatOutputs_.data(), frames);
    } else {
      // Only the older adding entry: it mixes into the outputs, so they start from silence.
      for (float* out : floatOutputs_)
        std::fill(out, out + frames, 0.0f);
      crashguard::Stage stage("process");
      effect_->process(effect_, floatInputs_.data(), floatOutputs_.data(), frames);
    }
  }
  context_.processLevel = kVstProcessLevelUser;
}
