// The host's channel pointers for one block, single or double precision; a null channel is
// skipped.
#pragma once

template <typename Sample>
struct OutputChannels {
  Sample* left;
  Sample* right;
  bool accumulate;  // add into the buffers instead of overwriting them
};
