// Host-side VST 2 declarations that the plug-in itself never needs: the transport record a
// host hands out for audioMasterGetTime, and host opcodes that plug-ins still send.
#pragma once

#include <cstddef>
#include <cstdint>

// Where the host's transport stands; returned by audioMasterGetTime.
struct VstTimeInfo {
  double samplePos;   // frames since the start of the song
  double sampleRate;  // Hz
  double nanoSeconds;
  double ppqPos;  // position in quarter notes
  double tempo;   // quarter notes per minute
  double barStartPos;
  double cycleStartPos;
  double cycleEndPos;
  int32_t timeSigNumerator;
  int32_t timeSigDenominator;
  int32_t smpteOffset;
  int32_t smpteFrameRate;
  int32_t samplesToNextClock;
  int32_t flags;
};
static_assert(offsetof(VstTimeInfo, timeSigNumerator) == 64);
static_assert(sizeof(VstTimeInfo) == 88);

enum VstTimeInfoFlags : int32_t {
  kVstTransportChanged = 1 << 0,
  kVstTransportPlaying = 1 << 1,
  kVstNanosValid = 1 << 8,
  kVstPpqPosValid = 1 << 9,
  kVstTempoValid = 1 << 10,
  kVstBarsValid = 1 << 11,
  kVstTimeSigValid = 1 << 13,
};

// Host opcodes beyond those the plug-in sends itself.
enum HostOnlyOpcodes : int32_t {
  audioMasterWantMidi = 6,  // older plug-ins announce MIDI input with it
  audioMasterGetInputLatency = 18,
  audioMasterGetOutputLatency = 19,
  audioMasterGetLanguage = 38,
  audioMasterGetDirectory = 41,
};

// Process levels answered to audioMasterGetCurrentProcessLevel.
enum VstProcessLevels : int32_t { kVstProcessLevelUser = 1, kVstProcessLevelRealtime = 2 };
