// Number parsing and formatting for the host's text opcodes, in any process locale.
#include <clocale>
#include <cmath>
#include <string>

#include "gtest/gtest.h"
#include "plugin/ParamAccess.h"

namespace {

double parsed(const char* text) {
  double v = -12345.0;
  EXPECT_TRUE(parseLeadingNumber(text, v)) << text;
  return v;
}

TEST(TextNumbers, FollowsStrtodRulesWithADot) {
  EXPECT_EQ(parsed("12.5"), 12.5);
  EXPECT_EQ(parsed("  -3"), -3.0);
  EXPECT_EQ(parsed("+4.25dB"), 4.25);
  EXPECT_EQ(parsed(".5"), 0.5);
  EXPECT_EQ(parsed("5."), 5.0);
  EXPECT_EQ(parsed("1e3"), 1000.0);
  EXPECT_EQ(parsed("0x10"), 16.0);
  EXPECT_EQ(parsed("12,5"), 12.0) << "a comma ends the number";
  EXPECT_TRUE(std::isinf(parsed("1e999")));
  EXPECT_EQ(parsed("1e-999"), 0.0);
  double v = 0.0;
  for (const char* bad : {"", " ", "x1", "+-1", ".", "-", "e5"})
    EXPECT_FALSE(parseLeadingNumber(bad, v)) << bad;
  EXPECT_FALSE(parseLeadingNumber(nullptr, v));
}

class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/install-deps.sh generates it)";
    ASSERT_EQ(std::localeconv()->decimal_point[0], ',');
  }
  void TearDown() override { std::setlocale(LC_ALL, previous_.c_str()); }
  std::string previous_;
};

TEST_F(CommaLocale, DotStillParsesAndFormats) {
  EXPECT_EQ(parsed("12.5"), 12.5);
  char text[16];
  formatOneDecimal(-12.04, text, sizeof text);
  EXPECT_STREQ(text, "-12.0");
  formatOneDecimal(279.999725, text, sizeof text);
  EXPECT_STREQ(text, "280.0");
}

TEST(TextNumbers, FormatsLikePrintfOneDecimal) {
  char text[16];
  for (double v : {0.0, 0.05, 0.15, 2.25, -0.04, 10.0000131, 5000.0, -100.0}) {
    formatOneDecimal(v, text, sizeof text);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.1f", v);
    EXPECT_STREQ(text, expected) << v;
  }
}

}  // namespace
