// Number parsing and formatting for the host's text opcodes and the editor's read-outs, in
// any process locale.
#include <clocale>
#include <cmath>
#include <memory>
#include <string>

#include "editor/ValueText.h"
#include "editor/WideValueText.h"
#include "gtest/gtest.h"
#include "params/NumberText.h"
#include "params/ValueFormat.h"
#include "plugin/ParamAccess.h"
#include "plugin/PluginInstance.h"

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
  formatFixed(-12.04, 1, text, sizeof text);
  EXPECT_STREQ(text, "-12.0");
  formatFixed(279.999725, 1, text, sizeof text);
  EXPECT_STREQ(text, "280.0");
}

// A host running in a comma locale sees the same number in its display text and in the
// editor's read-out: both with a dot.
TEST_F(CommaLocale, HostDisplayAndEditorReadOutAgree) {
  const auto instance = std::make_unique<PluginInstance>(nullptr);
  instance->paramValues[kRelease].store(0.5);
  const struct {
    ParamId id;
    const char* display;
    const char* readOut;
  } cases[] = {
      {kSquare, "55.0", "55.0 %"},
      {kOutput, "-12.0", "-12.0 dB"},
      {kRelease, "2502.5", "2502.5 ms"},
      {kTranspose, "0.0", "0 oct"},
      {kLegato, "On", "On"},
  };
  for (const auto& c : cases) {
    char display[kVstMaxParamStrLen];
    getParamDisplay(*instance, c.id, display);
    EXPECT_STREQ(display, c.display) << "host, parameter " << c.id;
    const double value = instance->paramValues[c.id].load();
    EXPECT_EQ(formatValueText(c.id, value).view(), c.readOut) << "editor, parameter " << c.id;
    const WideValueText wide = wideValueText(c.id, value);
    EXPECT_EQ(std::string(wide.view().begin(), wide.view().end()), c.readOut)
        << "Vintage and Silver skins, parameter " << c.id;
  }
}

TEST(TextNumbers, FormatsLikePrintfInTheCLocale) {
  char text[16];
  for (double v : {0.0, 0.05, 0.15, 2.25, -0.04, 10.0000131, 5000.0, -100.0}) {
    for (int decimals : {0, 1}) {
      formatFixed(v, decimals, text, sizeof text);
      char expected[32];
      std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
      EXPECT_STREQ(text, expected) << v << " with " << decimals << " decimals";
    }
  }
}

}  // namespace
