// The current program: loading a factory program, selecting one, and its name.
#pragma once

#include <cstdint>

struct InstrumentCore;

// Stores factory program `index` (0..4) and its name; other indices do nothing.
void loadProgram(InstrumentCore& core, int32_t index);

// Loads `index` unless it is the current program: selecting it again keeps the edits made
// since.
void selectProgram(InstrumentCore& core, intptr_t index);

// The host's name for the current program; a null text changes nothing.
void renameProgram(InstrumentCore& core, const char* text);

// The factory name of program `index` (0..4) as the current program's name.
void setFactoryName(InstrumentCore& core, int32_t index);
