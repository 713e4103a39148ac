// One plug-in instance driven the way hosts drive it: created through the module's entry
// point and opened, configured while suspended (rate, block size, precision, program, state,
// parameters), resumed, fed events before each audio block, suspended and closed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/vst2.h"
#include "tools/host/EventBlock.h"
#include "tools/host/HostContext.h"
#include "tools/host/PluginModule.h"

enum class Precision { Single, Double };

// What a plug-in says about itself.
struct PluginIdentity {
  std::string effectName;
  std::string vendor;
  std::string product;
  int32_t vendorVersion = 0;
  int32_t uniqueId = 0;
  int32_t version = 0;
  int32_t numPrograms = 0;
  int32_t numParams = 0;
  int32_t numInputs = 0;
  int32_t numOutputs = 0;
  int32_t flags = 0;

  bool isSynth() const { return (flags & effFlagsIsSynth) != 0; }
  bool canReplace() const { return (flags & effFlagsCanReplacing) != 0; }
  bool canDoublePrecision() const { return (flags & effFlagsCanDoubleReplacing) != 0; }
  bool keepsStateInChunks() const { return (flags & effFlagsProgramChunks) != 0; }
};

class HostedPlugin {
 public:
  static constexpr int32_t kMaxChannels = 64;
  static constexpr int32_t kMaxBlockSize = 1 << 16;

  HostedPlugin() = default;
  ~HostedPlugin();  // suspends and closes an instance that is still open
  HostedPlugin(const HostedPlugin&) = delete;
  HostedPlugin& operator=(const HostedPlugin&) = delete;

  // Creates an instance through the module's entry point and sends effOpen. On failure
  // returns false and error() names the file and the reason.
  bool create(const PluginModule& module);
  bool isOpen() const { return effect_ != nullptr; }
  AEffect* effect() const { return effect_; }
  HostContext& context() { return context_; }
  const std::string& error() const { return error_; }
  const std::string& path() const { return path_; }

  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);

  // Questions; texts come trimmed, empty where the plug-in has none.
  PluginIdentity identity();
  std::string parameterName(int32_t index);
  std::string parameterLabel(int32_t index);
  std::string parameterDisplay(int32_t index);
  float parameter(int32_t index);
  std::string programName(int32_t index);  // through effGetProgramNameIndexed
  std::string currentProgramName();
  int32_t currentProgram();
  int32_t tailFrames();  // as reported: 0 means "not reported", 1 means "no tail"

  // Setup, while suspended. configure sends the rate, the block size and the precision;
  // false (with error()) when the plug-in cannot process in that precision.
  bool configure(double sampleRate, int32_t blockSize, Precision precision);
  void setProgram(int32_t index);
  void setParameter(int32_t index, float normalized);
  bool setParameterText(int32_t index, const std::string& text);
  std::vector<uint8_t> chunk();  // the whole state; empty when the plug-in gives none
  bool setChunk(const std::vector<uint8_t>& bytes);

  void resume();   // effMainsChanged on, then effStartProcess
  void suspend();  // effStopProcess, then effMainsChanged off
  void close();    // effClose; the record is gone afterwards

  // Processing, between resume and suspend: events for the coming block, then the block.
  void sendEvents(EventBlock& block);
  void process(int32_t frames);  // at most the configured block size
  int32_t outputCount() const { return numOutputs_; }
  // A channel's samples in the configured precision; null for the other precision.
  const float* floatOutput(int32_t channel) const { return pick(floatOutputs_, channel); }
  const double* doubleOutput(int32_t channel) const { return pick(doubleOutputs_, channel); }
  Precision precision() const { return precision_; }

 private:
  std::string queryText(int32_t opcode, int32_t index);
  template <typename T>
  static const T* pick(const std::vector<T*>& list, int32_t i) {
    return i >= 0 && static_cast<size_t>(i) < list.size() ? list[static_cast<size_t>(i)] : nullptr;
  }
  bool fail(const std::string& reason);
  void allocateBuffers();

  AEffect* effect_ = nullptr;
  HostContext context_;
  std::string error_;
  std::string path_;
  bool running_ = false;
  Precision precision_ = Precision::Single;
  int32_t blockSize_ = 0;
  int32_t numInputs_ = 0;
  int32_t numOutputs_ = 0;
  std::vector<float> floatStorage_;
  std::vector<double> doubleStorage_;
  std::vector<float*> floatInputs_, floatOutputs_;
  std::vector<double*> doubleInputs_, doubleOutputs_;
};
