// The byte order of interface ids and the result codes, which differ between Windows and
// the other platforms; the record layouts are checked where they are declared.
#include <gtest/gtest.h>

#include "vst3/Vst3Controller.h"
#include "vst3/Vst3Factory.h"
#include "vst3/Vst3View.h"

namespace {

std::string hex(const vst3::Uid& uid) {
  std::string text;
  char two[3];
  for (char c : uid.bytes) {
    std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(c));
    text += two;
  }
  return text;
}

TEST(Vst3Declarations, InterfaceIdBytesFollowThePlatformOrder) {
#if defined(_WIN32)
  EXPECT_EQ(hex(vst3::kIidIComponent), "31FF31E8D5F20143928EBBEE25697802");
#else
  EXPECT_EQ(hex(vst3::kIidIComponent), "E831FF31F2D54301928EBBEE25697802");
#endif
  // Zero first words look alike in both orders; the last two words are big-endian in both.
  EXPECT_EQ(hex(vst3::kIidFUnknown), "0000000000000000C000000000000046");
}

TEST(Vst3Declarations, ResultCodesAreThePlatformOnes) {
#if defined(_WIN32)
  EXPECT_EQ(static_cast<uint32_t>(vst3::kNoInterface), 0x80004002u);
  EXPECT_EQ(static_cast<uint32_t>(vst3::kInvalidArgument), 0x80070057u);
#else
  EXPECT_EQ(vst3::kNoInterface, -1);
  EXPECT_EQ(vst3::kInvalidArgument, 2);
#endif
  EXPECT_EQ(vst3::kResultOk, 0);
  EXPECT_EQ(vst3::kResultFalse, 1);
}

TEST(Vst3Declarations, MatchesComparesAllSixteenBytes) {
  vst3::Uid other = vst3::kIidIEditController;
  EXPECT_TRUE(vst3::kIidIEditController.matches(other.bytes));
  other.bytes[15] ^= 1;
  EXPECT_FALSE(vst3::kIidIEditController.matches(other.bytes));
  EXPECT_FALSE(vst3::kIidIEditController.matches(nullptr));
}

}  // namespace
