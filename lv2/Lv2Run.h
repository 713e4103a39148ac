// One run() of the DSP side: ports, events, rendering and replies.
#pragma once

#include <cstdint>

struct Lv2Instance;

void runInstance(Lv2Instance& instance, uint32_t frames);
