// What hosts store of the VST 3 plug-in and must find again: the class id, the ids of the
// parameters beyond the sixteen, the program list and the unit. Never change these.
#pragma once

#include <cstdint>

#include "vst3/Vst3Controller.h"

namespace brisalonde_vst3 {

// Generated once for this product.
inline constexpr uint32_t kClassIdWords[4] = {0x2416227E, 0x976C4F1B, 0xAEEA9F83, 0x97AC7E59};
inline constexpr vst3::Uid kClassId{kClassIdWords[0], kClassIdWords[1], kClassIdWords[2],
                                    kClassIdWords[3]};

inline constexpr const char* kClassName = "Brisalonde";
inline constexpr const char* kVendor = "Brisalonde DSP";
inline constexpr const char* kVersion = "1.2";
inline constexpr const char* kSubCategories = "Instrument|Synth";
inline constexpr const char* kSdkVersion = "VST 3.7";
inline constexpr const char* kFaceLabel = "VST3 / 1.2";  // on the editor's appearance bar
inline constexpr const char* kUrl = "";
inline constexpr const char* kEmail = "";

// Ids 0..15 are the parameters in ParamId order. The others are hidden: the program change,
// and the MIDI controllers the host maps onto parameters.
enum HiddenParamId : vst3::ParamID {
  kProgramParamId = 16,
  kPitchBendParamId = 17,
  kModWheelParamId = 18,
  kSustainParamId = 19,
  kResetControllersParamId = 20,
  kAllNotesOffParamId = 21,
  kAllSoundOffParamId = 22,
};
inline constexpr int32_t kHiddenParamCount = 7;

inline constexpr vst3::ProgramListID kProgramListId = 1;
inline constexpr const char* kProgramListName = "Factory programs";

}  // namespace brisalonde_vst3
