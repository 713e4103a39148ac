// The three processing entry points through which a host asks a VST 2 plug-in for audio.
#pragma once

enum class RenderPath {
  Adding,           // process: adds into what the output buffers hold
  Replacing,        // processReplacing: single precision, overwrites the outputs
  DoubleReplacing,  // processDoubleReplacing: double precision, overwrites the outputs
};
