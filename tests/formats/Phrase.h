// A phrase that exercises the voice and its controllers, played by every format's test.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/formats/FormatDrivers.h"

// Its length at 48 kHz, with the release of the last note.
constexpr int64_t kPhraseFrames = 150000;

std::vector<TimedMidi> testPhrase();
