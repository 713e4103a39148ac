// Phrases and the comparison of renderings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "tools/validate/CheckContext.h"
#include "tools/validate/Phrase.h"

namespace {

// Every note-on is ended by a note-off of the same key at a later or equal frame.
void expectBalanced(const Phrase& phrase) {
  std::map<int, int> open;
  int64_t last = 0;
  for (const TimedEvent& e : phrase.events) {
    EXPECT_GE(e.frame, last) << "events out of frame order";
    last = e.frame;
    const int key = (e.bytes[0] & 0x0F) * 128 + e.bytes[1];
    if ((e.bytes[0] & 0xF0) == 0x90 && e.bytes[2] > 0) ++open[key];
    if ((e.bytes[0] & 0xF0) == 0x80) --open[key];
    EXPECT_LT(e.frame, phrase.length);
  }
  for (const auto& [key, count] : open)
    EXPECT_EQ(count, 0) << "key " << key << " never ends";
}

TEST(Phrase, GridPhraseHitsBlockEdgesAndEndsEveryNote) {
  const Phrase phrase = gridPhrase(44100.0);
  expectBalanced(phrase);
  bool at4096 = false, at511 = false;
  for (const TimedEvent& e : phrase.events) {
    at4096 = at4096 || e.frame == 4096;
    at511 = at511 || e.frame == 511;
  }
  EXPECT_TRUE(at4096 && at511);
}

TEST(Phrase, RandomPhraseEndsEveryNoteAndRepeatsForASeed) {
  PluginModule module;
  CheckContext first("x", module, 5, 3, nullptr);
  CheckContext second("x", module, 5, 3, nullptr);
  const Phrase a = randomPhrase(first, 44100.0, 2.0);
  const Phrase b = randomPhrase(second, 44100.0, 2.0);
  expectBalanced(a);
  ASSERT_EQ(a.events.size(), b.events.size());
  for (size_t i = 0; i < a.events.size(); ++i)
    EXPECT_EQ(a.events[i].frame, b.events[i].frame);
}

TEST(LargestDifference, FindsTheFrameAndTreatsNaNAndLengthAsInfinite) {
  int64_t where = 0;
  EXPECT_EQ(largestDifference({0, 1, 2}, {0, 1, 2}, &where), 0.0);
  EXPECT_EQ(where, -1);
  EXPECT_DOUBLE_EQ(largestDifference({0, 1, 2}, {0, 1.5, 2.25}, &where), 0.5);
  EXPECT_EQ(where, 1);
  EXPECT_TRUE(std::isinf(largestDifference({0, 1}, {0, 1, 0})));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isinf(largestDifference({0, nan}, {0, 0}, &where)));
  EXPECT_EQ(where, 1);
}

}  // namespace
