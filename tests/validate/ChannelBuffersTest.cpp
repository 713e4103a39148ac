// The validator's output buffers: what counts as unwritten, and writes outside a block.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/validate/ChannelBuffers.h"

namespace {

template <typename Sample>
class ChannelBuffersTest : public ::testing::Test {};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(ChannelBuffersTest, SampleTypes);

TYPED_TEST(ChannelBuffersTest, UnwrittenMarkIsANaNThatComputedNaNsAreNot) {
  ChannelBuffers<TypeParam> buffers;
  buffers.allocate(2, 16);
  buffers.prepareUnwritten(16);
  EXPECT_TRUE(std::isnan(buffers.channel(1)[15]));
  EXPECT_TRUE(ChannelBuffers<TypeParam>::isUnwritten(buffers.channel(1)[15]));
  EXPECT_FALSE(ChannelBuffers<TypeParam>::isUnwritten(std::numeric_limits<TypeParam>::quiet_NaN()));
  EXPECT_FALSE(ChannelBuffers<TypeParam>::isUnwritten(TypeParam(0)));
}

TYPED_TEST(ChannelBuffersTest, WritesJustBeforeOrAfterTheBlockAreCounted) {
  ChannelBuffers<TypeParam> buffers;
  buffers.allocate(2, 64);
  buffers.prepare(10, TypeParam(0));
  EXPECT_EQ(buffers.guardHits(10), 0);
  buffers.channel(0)[10] = TypeParam(0);  // one past the block
  buffers.channel(1)[-1] = TypeParam(1);  // one before it
  EXPECT_EQ(buffers.guardHits(10), 2);
  buffers.prepare(10, TypeParam(0));
  EXPECT_EQ(buffers.guardHits(10), 0);
}

TYPED_TEST(ChannelBuffersTest, EveryChannelPointerIsDistinctAndAnEmptySetStillHasAnArray) {
  ChannelBuffers<TypeParam> buffers;
  buffers.allocate(3, 8);
  EXPECT_NE(buffers.pointers()[0], buffers.pointers()[1]);
  EXPECT_NE(buffers.pointers()[1], buffers.pointers()[2]);
  ChannelBuffers<TypeParam> none;
  none.allocate(0, 8);
  EXPECT_NE(none.pointers(), nullptr);
}

}  // namespace
