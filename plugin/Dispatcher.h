// The dispatcher: every opcode the host sends apart from processing and direct parameters.
#pragma once

#include <cstdint>

#include "plugin/vst2.h"

intptr_t dispatcherEntry(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                         float opt);
