// The three processing entries of the AEffect record.
#pragma once

#include <cstdint>

#include "plugin/vst2.h"

void processEntry(AEffect* effect, float** inputs, float** outputs, int32_t frames);
void processReplacingEntry(AEffect* effect, float** inputs, float** outputs, int32_t frames);
void processDoubleReplacingEntry(AEffect* effect, double** inputs, double** outputs,
                                 int32_t frames);
