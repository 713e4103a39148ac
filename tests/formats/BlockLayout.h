// What every format driver does alike: the block sizes a performance is played in, and the
// output gathered as interleaved double-precision frames.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tests/formats/FormatDrivers.h"

// The largest block, for the host's configured maximum.
inline int32_t largestBlock(const Performance& p) {
  const int32_t largest = *std::max_element(p.blocks.begin(), p.blocks.end());
  return std::max(largest, 1);
}

// Calls `play(start, frames)` for each block of the layout, repeated up to p.frames.
template <typename Block>
void forEachBlock(const Performance& p, Block&& play) {
  int64_t start = 0;
  size_t next = 0;
  while (start < p.frames) {
    const int64_t frames = std::min<int64_t>(p.blocks[next++ % p.blocks.size()], p.frames - start);
    play(start, static_cast<int32_t>(frames));
    start += frames;
  }
}

template <typename Sample>
void appendFrames(std::vector<double>& out, const Sample* left, const Sample* right,
                  int32_t frames) {
  for (int32_t i = 0; i < frames; ++i) {
    out.push_back(static_cast<double>(left[i]));
    out.push_back(static_cast<double>(right[i]));
  }
}
