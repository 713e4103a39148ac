// Reading a Standard MIDI File (format 0 or 1) into what a render needs: the channel
// messages of all tracks merged in playing order, and the tempo changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One channel message at its tick. A note-on with velocity 0 arrives as a note-off.
struct MidiMessage {
  uint64_t tick = 0;
  uint16_t track = 0;
  uint8_t size = 0;  // 2 or 3
  uint8_t bytes[3] = {};
};

struct TempoChange {
  uint64_t tick = 0;
  uint32_t microsPerQuarter = 500000;
};

struct MidiFile {
  int format = 0;
  int trackCount = 0;
  // Ticks per quarter note; or, for time-code files, frames per second (24, 25, 29 for
  // 29.97, 30) times ticks per frame, and then tempo changes do not apply.
  uint32_t ticksPerQuarter = 0;
  uint32_t smpteFramesPerSecond = 0;  // 0 for tempo-based files
  uint32_t ticksPerFrame = 0;
  std::vector<MidiMessage> messages;  // sorted by tick, then track, then file order
  std::vector<TempoChange> tempos;    // sorted by tick; the last one of a tick wins
  uint64_t endTick = 0;               // the latest end of track
};

// Parses the bytes of a whole file. On failure returns false and `error` says what is
// wrong and where (byte offset).
bool parseMidiFile(const uint8_t* data, size_t size, MidiFile& file, std::string& error);

// Reads and parses a file; the error names the file.
bool readMidiFile(const std::string& path, MidiFile& file, std::string& error);
