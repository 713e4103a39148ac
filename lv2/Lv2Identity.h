// The plug-in's names in LV2: its URI, the URIs of its own state keys and parameter, and its
// port indices. The bundle generator, the DSP binary and the UI binary all read them here;
// the port symbols and URIs are part of every saved session and never change.
#pragma once

#include <cstdint>

#include "params/ParamIds.h"

#define BRISALONDE_LV2_URI "urn:brisalonde:tqx-520-b"

inline constexpr const char* kLv2PluginUri = BRISALONDE_LV2_URI;
inline constexpr const char* kLv2UiUri = BRISALONDE_LV2_URI "#ui";
// The format and version on the editor's appearance bar.
inline constexpr const char* kLv2FaceLabel = "LV2 / 1.2";
// The skin as an LV2 parameter: atom:Int 0..2, set by patch:Set and kept in the state.
inline constexpr const char* kLv2AppearanceUri = BRISALONDE_LV2_URI "#appearance";
// State keys: the 148-byte state record (atom:Chunk), and the factory program number
// (atom:Int) that the factory presets carry.
inline constexpr const char* kLv2StateRecordUri = BRISALONDE_LV2_URI "#record";
inline constexpr const char* kLv2ProgramUri = BRISALONDE_LV2_URI "#program";

// Port indices: the sixteen controls in ParamId order, then events, audio and notifications.
inline constexpr uint32_t kLv2EventsPort = kNumParams;
inline constexpr uint32_t kLv2LeftPort = kNumParams + 1;
inline constexpr uint32_t kLv2RightPort = kNumParams + 2;
inline constexpr uint32_t kLv2NotifyPort = kNumParams + 3;
inline constexpr uint32_t kLv2NumPorts = kNumParams + 4;

inline constexpr const char* kLv2PortSymbols[kNumParams] = {
    "square",       "triangle",      "sine",         "attack",         "release",   "glide",
    "vibrato_rate", "vibrato_depth", "tremolo_rate", "tremolo_depth",  "transpose", "fine_tune",
    "output",       "velocity",      "legato",       "sine_character",
};
