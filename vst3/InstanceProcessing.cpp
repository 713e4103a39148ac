// The instance's audio side: setup, and process() with parameter changes applied on their
// frames by splitting the block there, as MIDI events split it.
#include <cmath>

#include "core/CoreAudio.h"
#include "core/ParamStore.h"
#include "core/ProgramSlot.h"
#include "vst3/ParamInfos.h"
#include "vst3/Vst3Instance.h"

namespace brisalonde_vst3 {

vst3::tresult Vst3Instance::setBusArrangements(vst3::SpeakerArrangement*, int32_t numIns,
                                               vst3::SpeakerArrangement* outputs, int32_t numOuts) {
  const bool stereo =
      numIns == 0 && numOuts == 1 && outputs != nullptr && outputs[0] == vst3::kStereo;
  return stereo ? vst3::kResultTrue : vst3::kResultFalse;
}

vst3::tresult Vst3Instance::getBusArrangement(vst3::BusDirection dir, int32_t index,
                                              vst3::SpeakerArrangement& arr) {
  if (dir != vst3::kOutput || index != 0) return vst3::kInvalidArgument;
  arr = vst3::kStereo;
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::canProcessSampleSize(int32_t size) {
  return size == vst3::kSample32 || size == vst3::kSample64 ? vst3::kResultTrue
                                                            : vst3::kResultFalse;
}

uint32_t Vst3Instance::getLatencySamples() {
  return 0;
}

vst3::tresult Vst3Instance::setupProcessing(vst3::ProcessSetup& setup) {
  if (canProcessSampleSize(setup.symbolicSampleSize) != vst3::kResultTrue ||
      setup.maxSamplesPerBlock < 1 || !acceptSampleRate(core_, setup.sampleRate))
    return vst3::kResultFalse;
  freshStart_.store(true);
  return vst3::kResultOk;
}

vst3::tresult Vst3Instance::setProcessing(vst3::TBool) {
  // As the VST 2 build does when processing starts or stops; real-time safe.
  resetCore(core_);
  freshStart_.store(true);
  return vst3::kResultOk;
}

uint32_t Vst3Instance::getTailSamples() {
  return static_cast<uint32_t>(kTailSeconds * core_.hostSampleRate);  // as VST 2 reports it
}

void Vst3Instance::reportValues(vst3::IParameterChanges* out, int32_t frame) {
  if (out == nullptr) return;
  int32_t index = 0;
  for (int32_t id = 0; id < kNumParams; ++id) {
    if (vst3::IParamValueQueue* queue =
            out->addParameterData(static_cast<vst3::ParamID>(id), index))
      queue->addPoint(frame, core_.paramValues[id].load(std::memory_order_relaxed), index);
  }
  const vst3::ParamID program = kProgramParamId;
  if (vst3::IParamValueQueue* queue = out->addParameterData(program, index))
    queue->addPoint(frame, programParamValue(core_.currentProgram.load()), index);
}

void Vst3Instance::applyPoint(const ParamPoint& point, vst3::IParameterChanges* out) {
  if (point.id == kProgramParamId) {
    const int32_t before = core_.currentProgram.load();
    selectProgram(core_, programOfParamValue(point.value));
    if (core_.currentProgram.load() != before) {
      forgetHostSetValues();
      reportValues(out, point.frame);
    }
    return;
  }
  storeParameter(core_, static_cast<int32_t>(point.id), point.value);
  hostSetValues_[point.id].store(std::nan(""), std::memory_order_relaxed);
}

void Vst3Instance::renderRange(vst3::AudioBusBuffers& bus, bool doubles, int32_t start,
                               int32_t frames) {
  if (frames <= 0) return;
  if (doubles) {
    double* channels[2] = {bus.channelBuffers64[0] + start, bus.channelBuffers64[1] + start};
    renderDouble(core_, channels, frames);
  } else {
    float* channels[2] = {bus.channelBuffers32[0] + start, bus.channelBuffers32[1] + start};
    renderFloat(core_, channels, frames, false);
  }
}

vst3::tresult Vst3Instance::process(vst3::ProcessData& data) {
  const int32_t frames = data.numSamples;
  if (frames < 0) return vst3::kInvalidArgument;
  const bool doubles = data.symbolicSampleSize == vst3::kSample64;
  if (!doubles && data.symbolicSampleSize != vst3::kSample32) return vst3::kInvalidArgument;

  takeParameterPoints(data.inputParameterChanges, frames, points_);
  int32_t next = 0;
  for (; next < points_.count && points_.points[next].frame == 0; ++next)
    applyPoint(points_.points[next], data.outputParameterChanges);
  if (reportAll_.exchange(false)) reportValues(data.outputParameterChanges, 0);
  // The voice starts from the values it finds in its first block, as the VST 2 build starts
  // from those set before it is resumed.
  if (freshStart_.exchange(false)) resetCore(core_);
  // Controllers before notes: at the same frame a pedal or bend takes effect first.
  takeControllerPoints(data.inputParameterChanges, frames, core_.midiQueue);
  takeNoteEvents(data.inputEvents, core_.midiQueue);

  vst3::AudioBusBuffers* bus = data.numOutputs > 0 ? data.outputs : nullptr;
  const bool playable =
      bus != nullptr && bus->numChannels >= 2 &&
      (doubles ? bus->channelBuffers64 != nullptr && bus->channelBuffers64[0] != nullptr &&
                     bus->channelBuffers64[1] != nullptr
               : bus->channelBuffers32 != nullptr && bus->channelBuffers32[0] != nullptr &&
                     bus->channelBuffers32[1] != nullptr);
  int32_t start = 0;
  while (next < points_.count) {
    const int32_t frame = points_.points[next].frame;
    if (playable) renderRange(*bus, doubles, start, frame - start);
    start = frame;
    for (; next < points_.count && points_.points[next].frame == frame; ++next)
      applyPoint(points_.points[next], data.outputParameterChanges);
  }
  if (playable) {
    renderRange(*bus, doubles, start, frames - start);
    bus->silenceFlags = 0;
  }
  return vst3::kResultOk;
}

}  // namespace brisalonde_vst3
