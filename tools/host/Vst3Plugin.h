// One VST 3 instrument driven the way hosts drive it: the component created from the module's
// factory and initialized with our host context, its controller (the same object or a second
// one, connected), set up for processing, activated, fed MIDI as note events and mapped
// controller changes at their frames, and its state moved through streams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/EventBlock.h"
#include "tools/host/HostContext.h"
#include "tools/host/HostedPlugin.h"  // Precision, PluginIdentity
#include "tools/host/Vst3HostObjects.h"
#include "tools/host/Vst3Module.h"

class Vst3Plugin {
 public:
  static constexpr int32_t kMaxBlockSize = 1 << 16;

  Vst3Plugin() = default;
  ~Vst3Plugin();  // stops, deactivates and terminates an instance that is still open
  Vst3Plugin(const Vst3Plugin&) = delete;
  Vst3Plugin& operator=(const Vst3Plugin&) = delete;

  // Creates and initializes the first audio module class of the module's factory.
  bool create(const Vst3Module& module);
  bool isOpen() const { return component_ != nullptr; }
  const std::string& error() const { return error_; }
  std::string className() const { return className_; }

  vst3::IComponent* component() const { return component_; }
  vst3::IAudioProcessor* processor() const { return processor_; }
  vst3::IEditController* controller() const { return controller_; }
  Vst3ComponentHandler& handler() { return handler_; }

  // While inactive: activates the buses, sets the stereo arrangement and sets up processing;
  // false (with error()) when the plug-in refuses the precision or the setup.
  bool configure(double sampleRate, int32_t blockSize, Precision precision);
  void resume();   // setActive(1), then setProcessing(1)
  void suspend();  // setProcessing(0), then setActive(0)
  void close();    // terminates and releases the objects

  // Parameters, through the controller.
  int32_t parameterCount();
  bool parameterInfo(int32_t index, vst3::ParameterInfo& info);
  std::string parameterTitle(int32_t index);
  std::string parameterText(vst3::ParamID id, double normalized);
  bool parameterFromText(vst3::ParamID id, const std::string& text, double& normalized);
  double parameterValue(vst3::ParamID id);
  // As a host applies an edit: the controller's value now, the processor's in the next block.
  void setParameterValue(vst3::ParamID id, double normalized);
  // The id of visible parameter `index` (0..numParams-1); false when there is none.
  bool parameterId(int32_t index, vst3::ParamID& id) { return visibleId(index, id); }
  // The id of the program-change parameter; UINT32_MAX when there is none.
  vst3::ParamID programParameterId() { return programParameter(); }
  // A point in the next block's parameter changes; false when there is no room.
  bool queueParameter(vst3::ParamID id, int32_t frame, double normalized);

  // The questions the render tool asks of any plug-in, as HostedPlugin answers them: the
  // visible parameters by index (0..numParams-1), programs, texts, state.
  PluginIdentity identity();
  std::string parameterName(int32_t index);
  std::string parameterLabel(int32_t index);
  std::string parameterDisplay(int32_t index);
  float parameter(int32_t index);
  void setParameter(int32_t index, float normalized);
  bool setParameterText(int32_t index, const std::string& text);
  std::string currentProgramName();
  int32_t currentProgram();
  int32_t tailFrames();  // VST 2's convention: 1 for no tail
  std::vector<uint8_t> chunk() { return state(); }
  bool setChunk(const std::vector<uint8_t>& bytes) { return setState(bytes); }
  void sendEvents(EventBlock& block);  // MIDI events of a VST 2 block, on their frames
  HostContext& context() { return context_; }
  const std::string& path() const { return path_; }

  // Programs: the list behind the program-change parameter.
  int32_t programCount();
  std::string programName(int32_t index);
  bool setProgram(int32_t index);

  // MIDI for the next block: notes become note events, controllers and bend the parameters
  // the plug-in maps them to (value/127 and bend/16383), others are dropped.
  void addMidi(int32_t frame, const uint8_t* bytes, size_t size);
  void process(int32_t frames);  // at most the configured block size
  // The same into the caller's two channels, in the configured precision (else nothing).
  void processInto(float** outputs, int32_t frames);
  void processInto(double** outputs, int32_t frames);
  int32_t outputCount() const { return 2; }
  const float* floatOutput(int32_t channel) const;
  const double* doubleOutput(int32_t channel) const;
  Precision precision() const { return precision_; }
  uint32_t tailSamples();

  // The component's state; empty when getState fails.
  std::vector<uint8_t> state();
  // Restores the component from `bytes` placed at `offset` in a stream that delivers at most
  // `readLimit` bytes per read, then brings the controller in line; false when refused.
  bool setState(const std::vector<uint8_t>& bytes, int64_t offset = 0,
                int32_t readLimit = INT32_MAX);

 private:
  bool fail(const std::string& reason);
  void run(vst3::AudioBusBuffers& output, int32_t frames);
  template <typename Interface>
  Interface* query(vst3::FUnknown* object, const vst3::Uid& iid);
  vst3::ParamID programParameter();
  bool visibleId(int32_t index, vst3::ParamID& id);

  vst3::IComponent* component_ = nullptr;
  vst3::IAudioProcessor* processor_ = nullptr;
  vst3::IEditController* controller_ = nullptr;
  bool separateController_ = false;
  vst3::IConnectionPoint* componentPoint_ = nullptr;
  vst3::IConnectionPoint* controllerPoint_ = nullptr;
  vst3::IMidiMapping* mapping_ = nullptr;
  vst3::IUnitInfo* units_ = nullptr;
  Vst3HostApplication application_;
  Vst3ComponentHandler handler_;
  Vst3EventList events_;
  Vst3ParameterChanges changes_;
  Vst3ParameterChanges outputChanges_;
  std::string error_;
  std::string className_;
  std::string vendor_;
  std::string path_;
  HostContext context_;
  std::vector<vst3::ParamID> visibleIds_;
  bool active_ = false;
  bool processing_ = false;
  Precision precision_ = Precision::Single;
  int32_t blockSize_ = 0;
  std::vector<float> floatStorage_;
  std::vector<double> doubleStorage_;
  float* floatChannels_[2] = {};
  double* doubleChannels_[2] = {};
};
