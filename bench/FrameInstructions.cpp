// Renders a fixed number of frames of the benchmark setting and, under callgrind, collects
// instructions for those processReplacing calls only (the setup is left out):
//   valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=/dev/null
//            engine_frame_instructions [rate] [block] [frames]
// The "I refs" total divided by the frames rendered is the cost of one output frame.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>

#include "bench/HeldNote.h"

int main(int argc, char** argv) {
  const double rate = argc > 1 ? std::atof(argv[1]) : 48000.0;
  const int block = argc > 2 ? std::atoi(argv[2]) : 512;
  const long frames = argc > 3 ? std::atol(argv[3]) : 480000;
  if (rate < 8000 || block < 1 || frames < 1) {
    std::fprintf(stderr, "usage: %s [rate] [block] [frames]\n", argv[0]);
    return 2;
  }
  HeldNote note(rate, block);
  long rendered = 0;
  CALLGRIND_TOGGLE_COLLECT;
  for (; rendered < frames; rendered += block)
    note.renderBlock();
  CALLGRIND_TOGGLE_COLLECT;
  std::printf("rendered %ld frames at %.0f Hz in blocks of %d (last sample %g)\n", rendered, rate,
              block, note.lastSample());
  return 0;
}
