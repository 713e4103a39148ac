// Hidden controller parameters and the MIDI messages they become.
#include "vst3/MappedControllers.h"

#include <cmath>

namespace brisalonde_vst3 {

const MappedController* controllerOfParam(vst3::ParamID id) {
  for (const MappedController& c : kMappedControllers)
    if (c.id == id) return &c;
  return nullptr;
}

const MappedController* controllerOfNumber(vst3::CtrlNumber number) {
  for (const MappedController& c : kMappedControllers)
    if (c.number == number) return &c;
  return nullptr;
}

double restingValue(const MappedController& controller) {
  return controller.steps == 16383 ? 8192.0 / 16383.0 : 0.0;
}

bool messageOf(const MappedController& controller, double value, MidiMessage& out) {
  if (!std::isfinite(value)) return false;
  const double clamped = value < 0.0 ? 0.0 : value > 1.0 ? 1.0 : value;
  const auto steps = static_cast<int32_t>(std::round(clamped * controller.steps));
  if (controller.steps == 16383) {
    out = {controller.status, static_cast<uint8_t>(steps & 0x7F),
           static_cast<uint8_t>((steps >> 7) & 0x7F)};
  } else {
    out = {controller.status, controller.data1, static_cast<uint8_t>(steps)};
  }
  return true;
}

}  // namespace brisalonde_vst3
