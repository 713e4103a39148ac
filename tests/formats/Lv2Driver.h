// The LV2 driver's block loop, for tests that set an instance up themselves (a state, a
// preset, control ports) before playing. Linux only.
#pragma once

#include <vector>

#include "tests/formats/FormatDrivers.h"
#include "tools/lv2host/Lv2Instrument.h"

// Plays the performance's MIDI in its blocks through an activated instance, opened with a
// block size of at least the largest; its program, precision and parameters are not used.
std::vector<double> playOn(Lv2Instrument& plugin, const Performance& performance);

// An instance of the bundle's plug-in, opened for blocks up to `maxBlock`; a test failure is
// recorded when it cannot be.
bool openLv2(Lv2Instrument& plugin, double sampleRate, int32_t maxBlock);
