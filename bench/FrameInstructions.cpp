// Renders a fixed number of frames of the benchmark setting, for counting instructions per
// output frame under callgrind:
//   valgrind --tool=callgrind --toggle-collect="processReplacingEntry*"
//            engine_frame_instructions [rate] [block] [frames]
// then divide the collected instruction count by the number of frames.
#include <cstdio>
#include <cstdlib>

#include "bench/HeldNote.h"

int main(int argc, char** argv) {
  const double rate = argc > 1 ? std::atof(argv[1]) : 48000.0;
  const int block = argc > 2 ? std::atoi(argv[2]) : 512;
  const long frames = argc > 3 ? std::atol(argv[3]) : 480000;
  if (rate < 8000 || block < 1 || frames < 0) {
    std::fprintf(stderr, "usage: %s [rate] [block] [frames]\n", argv[0]);
    return 2;
  }
  HeldNote note(rate, block);
  long rendered = 0;
  for (; rendered < frames; rendered += block)
    note.renderBlock();
  std::printf("rendered %ld frames at %.0f Hz in blocks of %d (last sample %g)\n", rendered, rate,
              block, note.lastSample());
  return 0;
}
