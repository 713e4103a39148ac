// A phrase that exercises the voice and its controllers, and the block layouts it is played
// in: events on many frames, overlapping notes, held pedal, bend, mod wheel, several channels,
// all-notes-off and controller reset.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/lv2/Lv2Host.h"

constexpr double kPhraseRate = 48000.0;
constexpr int64_t kPhraseFrames = 150000;

std::vector<TimedMidi> testPhrase();

// Block lengths that cover the phrase: all 512, or an irregular cycle of short, odd and long
// blocks (1 frame up to longer than 512).
std::vector<uint32_t> regularBlocks();
std::vector<uint32_t> irregularBlocks();

// The events of [start, start + frames), with frames relative to start.
std::vector<TimedMidi> eventsIn(const std::vector<TimedMidi>& phrase, int64_t start,
                                uint32_t frames);
