// Scores for the engine's unit tests: timed MIDI events and parameter changes, rendered block
// by block through processBlockDouble and, on request, frame by frame through the reference
// voice.
#pragma once

#include <cstdint>
#include <vector>

#include "params/ParamIds.h"

struct TimedEvent {
  int32_t frame;
  uint8_t status, data1, data2;
};

struct ParamChange {
  int32_t frame;  // applied at the start of the block containing this frame
  ParamId id;
  double value;  // normalized
};

struct Scenario {
  double rate;
  int32_t frames;
  std::vector<ParamChange> params;  // frame 0 changes are in place before the first reset
  std::vector<TimedEvent> events;   // ordered by frame
};

// A note held and released with the starting program.
Scenario heldAndReleased();
// Vibrato, tremolo, glide, retriggers, velocity, colour, wheel, bend and all-notes-off, with
// parameter changes while notes sound.
Scenario everyModulation();
// Retrigger fades that end in a release (all notes off during the fade), on frames of both
// parities within a run, then a fresh attack.
Scenario fadeIntoRelease();
// A note held with the starting program, no vibrato and no tremolo, then notes on consecutive
// frames, until the wheel brings in vibrato and then tremolo comes in: the modulation phases
// must have moved on meanwhile.
Scenario modulationAfterASettledNote();
// Full transpose and vibrato at the highest notes: clamped pitches and harmonic limits that
// move from frame to frame.
Scenario clampedPitches(double rate);

struct Renders {
  std::vector<double> engine;     // processBlockDouble, block by block
  std::vector<double> reference;  // the plain voice, frame by frame; empty when not asked for
};

// Renders the scenario in blocks of `block` frames (parameter changes then land on the start
// of the block that holds their frame, so compare renders with one block size only when the
// scenario changes parameters).
Renders render(const Scenario& s, int32_t block, bool withReference);

// Largest absolute difference of two renders of the same length.
double largestDifference(const std::vector<double>& a, const std::vector<double>& b);
double peakOf(const std::vector<double>& x);
