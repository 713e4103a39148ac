// The chunk codec on its own: round trip and the byte layout.
#include <cstring>

#include "core/StateChunk.h"
#include "gtest/gtest.h"

namespace {

TEST(StateChunkCodec, RoundTripKeepsEveryBit) {
  SavedState in{};
  in.program = 4;
  in.skin = 2;
  for (int i = 0; i < kNumParams; ++i)
    in.values[i] = i / 15.0;
  in.values[3] = 4.9e-324;  // smallest subnormal is a valid value in 0..1
  StateChunk chunk;
  encodeStateChunk(in, chunk);
  SavedState out{};
  ASSERT_TRUE(decodeStateChunk(chunk.bytes, 148, out));
  EXPECT_EQ(out.program, 4u);
  EXPECT_EQ(out.skin, 2u);
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(out.values[i], in.values[i]);
  EXPECT_EQ(chunk.bytes[16 + 8 * 15 + 7], 0x3F) << "little-endian: the top byte of 1.0 last";
  EXPECT_EQ(chunk.bytes[144], 2);
}

TEST(StateChunkCodec, RejectionLeavesTheOutputUntouched) {
  SavedState in{};
  StateChunk chunk;
  encodeStateChunk(in, chunk);
  chunk.bytes[12] = 15;
  SavedState out{};
  out.program = 77;
  EXPECT_FALSE(decodeStateChunk(chunk.bytes, 148, out));
  EXPECT_EQ(out.program, 77u);
}

}  // namespace
