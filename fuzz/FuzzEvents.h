// Event blocks made from fuzz input: mostly MIDI events with any delta and any bytes, some
// of another type or with a short size field, up to one more than a full queue.
#pragma once

#include "fuzz/FuzzInput.h"
#include "plugin/vst2.h"
#include "tools/host/EventBlock.h"

class FuzzEvents {
 public:
  static constexpr size_t kMostEvents = 4097;

  // Builds a block from the input; valid until the next call.
  VstEvents* read(FuzzInput& input);

 private:
  EventBlock block_{kMostEvents};
};
