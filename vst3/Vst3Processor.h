// Our declarations of the VST 3 binary interface, part 3: the component with its buses and
// state, and the audio processor with the records of one processing call.
#pragma once

#include "vst3/Vst3Base.h"

namespace vst3 {

using MediaType = int32_t;
using BusDirection = int32_t;
using BusType = int32_t;
using IoMode = int32_t;
using SpeakerArrangement = uint64_t;
using String128 = char16[128];

enum MediaTypes : int32_t { kAudio = 0, kEvent = 1 };
enum BusDirections : int32_t { kInput = 0, kOutput = 1 };
enum BusTypes : int32_t { kMain = 0, kAux = 1 };
inline constexpr SpeakerArrangement kSpeakerL = 1u << 0;
inline constexpr SpeakerArrangement kSpeakerR = 1u << 1;
inline constexpr SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;

struct BusInfo {
  enum Flags : uint32_t { kDefaultActive = 1 };
  MediaType mediaType;
  BusDirection direction;
  int32_t channelCount;
  String128 name;
  BusType busType;
  uint32_t flags;
};
static_assert(offsetof(BusInfo, busType) == 268);
static_assert(sizeof(BusInfo) == 276);

struct RoutingInfo {
  MediaType mediaType;
  int32_t busIndex;
  int32_t channel;
};

class IComponent : public IPluginBase {
 public:
  virtual tresult VST3_CALL getControllerClassId(TUID classId) = 0;
  virtual tresult VST3_CALL setIoMode(IoMode mode) = 0;
  virtual int32_t VST3_CALL getBusCount(MediaType type, BusDirection dir) = 0;
  virtual tresult VST3_CALL getBusInfo(MediaType type, BusDirection dir, int32_t index,
                                       BusInfo& bus) = 0;
  virtual tresult VST3_CALL getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
  virtual tresult VST3_CALL activateBus(MediaType type, BusDirection dir, int32_t index,
                                        TBool state) = 0;
  virtual tresult VST3_CALL setActive(TBool state) = 0;
  virtual tresult VST3_CALL setState(IBStream* state) = 0;
  virtual tresult VST3_CALL getState(IBStream* state) = 0;
};
inline constexpr Uid kIidIComponent{0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802};

enum SymbolicSampleSizes : int32_t { kSample32 = 0, kSample64 = 1 };
enum ProcessModes : int32_t { kRealtime = 0, kPrefetch = 1, kOffline = 2 };

struct ProcessSetup {
  int32_t processMode;
  int32_t symbolicSampleSize;
  int32_t maxSamplesPerBlock;
  double sampleRate;
};
static_assert(offsetof(ProcessSetup, sampleRate) == 16);
static_assert(sizeof(ProcessSetup) == 24);

struct AudioBusBuffers {
  int32_t numChannels;
  uint64_t silenceFlags;
  union {
    float** channelBuffers32;
    double** channelBuffers64;
  };
};
static_assert(offsetof(AudioBusBuffers, silenceFlags) == 8);
static_assert(offsetof(AudioBusBuffers, channelBuffers32) == 16);
static_assert(sizeof(AudioBusBuffers) == 24);

class IParameterChanges;
class IEventList;
struct ProcessContext;  // transport; passed through, never read here

struct ProcessData {
  int32_t processMode;
  int32_t symbolicSampleSize;
  int32_t numSamples;
  int32_t numInputs;
  int32_t numOutputs;
  AudioBusBuffers* inputs;
  AudioBusBuffers* outputs;
  IParameterChanges* inputParameterChanges;
  IParameterChanges* outputParameterChanges;
  IEventList* inputEvents;
  IEventList* outputEvents;
  ProcessContext* processContext;
};
static_assert(offsetof(ProcessData, inputs) == 24);
static_assert(offsetof(ProcessData, inputParameterChanges) == 40);
static_assert(offsetof(ProcessData, inputEvents) == 56);
static_assert(sizeof(ProcessData) == 80);

class IAudioProcessor : public FUnknown {
 public:
  virtual tresult VST3_CALL setBusArrangements(SpeakerArrangement* inputs, int32_t numIns,
                                               SpeakerArrangement* outputs, int32_t numOuts) = 0;
  virtual tresult VST3_CALL getBusArrangement(BusDirection dir, int32_t index,
                                              SpeakerArrangement& arr) = 0;
  virtual tresult VST3_CALL canProcessSampleSize(int32_t symbolicSampleSize) = 0;
  virtual uint32_t VST3_CALL getLatencySamples() = 0;
  virtual tresult VST3_CALL setupProcessing(ProcessSetup& setup) = 0;
  virtual tresult VST3_CALL setProcessing(TBool state) = 0;
  virtual tresult VST3_CALL process(ProcessData& data) = 0;
  virtual uint32_t VST3_CALL getTailSamples() = 0;
};
inline constexpr Uid kIidIAudioProcessor{0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D};

inline constexpr uint32_t kNoTail = 0;

}  // namespace vst3
