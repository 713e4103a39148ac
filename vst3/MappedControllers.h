// The MIDI controllers that reach the plug-in as hidden parameters: which controller number
// each takes, and the MIDI message its value becomes, as the VST 2 build receives it.
#pragma once

#include <cstdint>

#include "vst3/PluginIds.h"

namespace brisalonde_vst3 {

struct MappedController {
  vst3::ParamID id;
  vst3::CtrlNumber number;  // as the host's mapping asks for it
  uint8_t status;           // channel 1
  uint8_t data1;            // the controller number; unused for bend
  int32_t steps;            // 16383 for bend, 127 for a controller
};

inline constexpr MappedController kMappedControllers[] = {
    {kPitchBendParamId, vst3::kPitchBend, 0xE0, 0, 16383},
    {kModWheelParamId, vst3::kCtrlModWheel, 0xB0, 1, 127},
    {kSustainParamId, vst3::kCtrlSustainOnOff, 0xB0, 64, 127},
    {kResetControllersParamId, vst3::kCtrlResetAllCtrlers, 0xB0, 121, 127},
    {kAllNotesOffParamId, vst3::kCtrlAllNotesOff, 0xB0, 123, 127},
    {kAllSoundOffParamId, vst3::kCtrlAllSoundsOff, 0xB0, 120, 127},
};

const MappedController* controllerOfParam(vst3::ParamID id);
const MappedController* controllerOfNumber(vst3::CtrlNumber number);

// The value hosts start from: bend centred, the others 0.
double restingValue(const MappedController& controller);

struct MidiMessage {
  uint8_t status, data1, data2;
};
// The message a normalized value makes: round(v * steps) in the data bytes; false for a
// value that is not finite.
bool messageOf(const MappedController& controller, double value, MidiMessage& out);

}  // namespace brisalonde_vst3
