// Fenced buffers: the bytes are there, and the first byte past them faults.
#include <gtest/gtest.h>

#include <vector>

#include "tools/validate/FencedMemory.h"

namespace {

TEST(FencedMemory, HoldsTheBytesRightBeforeTheFence) {
  const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5};
  FencedMemory memory(bytes);
  ASSERT_EQ(memory.size(), 5u);
  EXPECT_EQ(std::vector<uint8_t>(memory.data(), memory.data() + 5), bytes);
  FencedMemory empty(std::vector<uint8_t>{});
  EXPECT_NE(empty.data(), nullptr);
}

#if !defined(_WIN32)
TEST(FencedMemoryDeathTest, ReadingOneBytePastTheEndFaults) {
  FencedMemory memory(std::vector<uint8_t>(148, 7));
  const volatile uint8_t* past = memory.data() + memory.size();
  EXPECT_DEATH((void)*past, "");
  FencedMemory empty(std::vector<uint8_t>{});
  const volatile uint8_t* nothing = empty.data();
  EXPECT_DEATH((void)*nothing, "");
}
#endif

}  // namespace
