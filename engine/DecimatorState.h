// What the decimator carries from one run to the next: per parallel section (one lane each),
// its states, and, while a pair of frames is half done, the first frame's input terms.
#pragma once

struct DecimatorState {
  double z1[2], z2[2];  // at the start of the next frame, or of the open pair
  double u1[2], u2[2];  // the open pair's first frame's input terms
  bool pairOpen;        // the last run ended after the first frame of a pair
};
