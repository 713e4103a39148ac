// Turning a block's events and parameter changes into core input.
#include "vst3/BlockInput.h"

#include <cmath>

#include "params/ParamTable.h"
#include "vst3/MappedControllers.h"
#include "vst3/PluginIds.h"

namespace brisalonde_vst3 {

namespace {

constexpr int32_t kMaxEventsRead = kMidiQueueCapacity;

int32_t clampFrame(int32_t frame, int32_t frames) {
  return frame < 0 ? 0 : frame > frames ? frames : frame;
}

uint8_t velocitySteps(float velocity) {
  if (!(velocity > 0.0f)) return 0;  // also for NaN
  if (velocity >= 1.0f) return 127;
  return static_cast<uint8_t>(std::lround(velocity * 127.0f));
}

// Insertion by frame after the points of the same frame: the list stays in arrival order
// within a frame. Blocks carry few points, and no allocation is allowed here.
void insertPoint(BlockPoints& points, const ParamPoint& point) {
  if (points.count == BlockPoints::kCapacity) return;
  int32_t i = points.count++;
  for (; i > 0 && points.points[i - 1].frame > point.frame; --i)
    points.points[i] = points.points[i - 1];
  points.points[i] = point;
}

// Calls `use(id, frame, value)` for every point of every queue, frames clamped.
template <typename Use>
void forEachPoint(vst3::IParameterChanges* changes, int32_t frames, Use&& use) {
  if (changes == nullptr) return;
  const int32_t queues = changes->getParameterCount();
  for (int32_t q = 0; q < queues; ++q) {
    vst3::IParamValueQueue* values = changes->getParameterData(q);
    if (values == nullptr) continue;
    const vst3::ParamID id = values->getParameterId();
    const int32_t count = values->getPointCount();
    for (int32_t i = 0; i < count; ++i) {
      int32_t frame = 0;
      double value = 0.0;
      if (values->getPoint(i, frame, value) == vst3::kResultOk)
        use(id, clampFrame(frame, frames), value);
    }
  }
}

}  // namespace

void takeParameterPoints(vst3::IParameterChanges* changes, int32_t frames, BlockPoints& points) {
  points.count = 0;
  forEachPoint(changes, frames, [&](vst3::ParamID id, int32_t frame, double value) {
    if (id < static_cast<vst3::ParamID>(kNumParams) || id == kProgramParamId)
      insertPoint(points, {frame, id, value});
  });
}

void takeControllerPoints(vst3::IParameterChanges* changes, int32_t frames, MidiEventQueue& queue) {
  MidiEventWriter writer(queue);
  forEachPoint(changes, frames, [&](vst3::ParamID id, int32_t frame, double value) {
    MidiMessage message{};
    const MappedController* controller = controllerOfParam(id);
    if (controller != nullptr && messageOf(*controller, value, message))
      writer.append(frame, message.status, message.data1, message.data2);
  });
}

void takeNoteEvents(vst3::IEventList* events, MidiEventQueue& queue) {
  if (events == nullptr) return;
  int32_t count = events->getEventCount();
  if (count > kMaxEventsRead) count = kMaxEventsRead;
  MidiEventWriter writer(queue);
  for (int32_t i = 0; i < count; ++i) {
    vst3::Event e{};
    if (events->getEvent(i, e) != vst3::kResultOk || e.busIndex != 0) continue;
    if (e.type == vst3::Event::kNoteOnEvent) {
      const vst3::NoteOnEvent& n = e.noteOn;
      if (n.channel < 0 || n.channel > 15 || n.pitch < 0 || n.pitch > 127) continue;
      writer.append(e.sampleOffset, static_cast<uint8_t>(0x90 | n.channel),
                    static_cast<uint8_t>(n.pitch), velocitySteps(n.velocity));
    } else if (e.type == vst3::Event::kNoteOffEvent) {
      const vst3::NoteOffEvent& n = e.noteOff;
      if (n.channel < 0 || n.channel > 15 || n.pitch < 0 || n.pitch > 127) continue;
      writer.append(e.sampleOffset, static_cast<uint8_t>(0x80 | n.channel),
                    static_cast<uint8_t>(n.pitch), velocitySteps(n.velocity));
    }
  }
}

}  // namespace brisalonde_vst3
