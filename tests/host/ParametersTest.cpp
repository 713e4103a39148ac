// Parameter values, names, labels, display texts and text entry, as a host sees them.
#include <cmath>
#include <cstring>
#include <limits>

#include "gtest/gtest.h"
#include "tests/host/TestHost.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(Parameters, OutOfRangeIndicesAreIgnored) {
  TestPlugin plugin;
  const std::vector<float> before = plugin.allParams();
  plugin.set(16, 0.3f);
  plugin.set(-1, 0.3f);
  plugin.set(INT32_MIN, 0.3f);
  EXPECT_EQ(plugin.allParams(), before);
  EXPECT_EQ(plugin.get(16), 0.0f);
  EXPECT_EQ(plugin.get(-1), 0.0f);
}

TEST(Parameters, WrittenValuesAreConformed) {
  TestPlugin plugin;
  plugin.set(10, 0.55f);
  EXPECT_FLOAT_EQ(plugin.get(10), 0.5f);
  plugin.set(10, 0.59f);
  EXPECT_FLOAT_EQ(plugin.get(10), static_cast<float>(4.0 / 6.0));
  plugin.set(14, 0.49f);
  EXPECT_EQ(plugin.get(14), 0.0f);
  plugin.set(14, 0.5f);
  EXPECT_EQ(plugin.get(14), 1.0f);
  for (float bad : {kNaN, kInf, -kInf, -0.2f}) {
    plugin.set(0, 0.7f);
    plugin.set(0, bad);
    EXPECT_EQ(plugin.get(0), 0.0f) << bad;
  }
  plugin.set(0, 1.7f);
  EXPECT_EQ(plugin.get(0), 1.0f);
}

TEST(Parameters, NamesAreCutToSevenCharactersWithinEightBytes) {
  TestPlugin plugin;
  const char* expected[16] = {"Square",  "Triangl", "Sine",    "Attack",  "Release", "Glissan",
                              "Vibrato", "Vibrato", "Tremolo", "Tremolo", "Transpo", "Fine tu",
                              "Output",  "Velocit", "Legato",  "Sine ch"};
  for (int i = 0; i < 16; ++i) {
    bool guard = false;
    EXPECT_EQ(plugin.text(effGetParamName, i, 8, &guard), expected[i]);
    EXPECT_TRUE(guard) << "name " << i << " wrote past 8 bytes";
  }
  const char* units[16] = {"%",  "%", "%",   "ms",   "ms", "ms", "Hz", "cent",
                           "Hz", "%", "oct", "cent", "dB", "%",  "",   "%"};
  for (int i = 0; i < 16; ++i) {
    bool guard = false;
    EXPECT_EQ(plugin.text(effGetParamLabel, i, 8, &guard), units[i]);
    EXPECT_TRUE(guard);
  }
  for (int32_t bad : {16, -1}) {
    GuardedBuffer untouched(8);
    std::memset(untouched.data(), 'x', 8);
    plugin.dispatch(effGetParamName, bad, 0, untouched.data());
    plugin.dispatch(effGetParamLabel, bad, 0, untouched.data());
    plugin.dispatch(effGetParamDisplay, bad, 0, untouched.data());
    EXPECT_EQ(std::string(untouched.data(), 8), "xxxxxxxx") << "nothing written for " << bad;
  }
  EXPECT_EQ(plugin.dispatch(effGetParamName, 0, 0, nullptr), 0);
  EXPECT_EQ(plugin.dispatch(effGetParamLabel, -1, 0, nullptr), 0);
}

TEST(Parameters, DisplayTextsOfDefaultsAndEnds) {
  TestPlugin plugin;
  const char* expected[16] = {"55.0", "30.0", "15.0", "10.0", "280.0", "0.0", "6.0", "0.0",
                              "5.0",  "0.0",  "0.0",  "0.0",  "-12.0", "0.0", "On",  "35.0"};
  for (int i = 0; i < 16; ++i) {
    bool guard = false;
    EXPECT_EQ(plugin.text(effGetParamDisplay, i, 8, &guard), expected[i]) << i;
    EXPECT_TRUE(guard);
  }
  plugin.set(14, 0.0f);
  EXPECT_EQ(plugin.text(effGetParamDisplay, 14, 8, nullptr), "Off");
  plugin.set(10, 1.0f / 6.0f);
  EXPECT_EQ(plugin.text(effGetParamDisplay, 10, 8, nullptr), "-2.0");
  plugin.set(11, 0.0f);
  EXPECT_EQ(plugin.text(effGetParamDisplay, 11, 8, nullptr), "-100.0");
  plugin.set(4, 1.0f);
  EXPECT_EQ(plugin.text(effGetParamDisplay, 4, 8, nullptr), "5000.0");
  EXPECT_EQ(plugin.dispatch(effGetParamDisplay, 3, 0, nullptr), 0) << "null buffer";
}

TEST(Parameters, TextEntryParsesNumbersInTheParametersUnits) {
  TestPlugin plugin;
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 11, 0, const_cast<char*>("12.5")), 1);
  EXPECT_FLOAT_EQ(plugin.get(11), 0.5625f);
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 12, 0, const_cast<char*>("-90")), 1);
  EXPECT_EQ(plugin.get(12), 0.0f);
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 12, 0, const_cast<char*>("6")), 1);
  EXPECT_EQ(plugin.get(12), 1.0f);
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 3, 0, const_cast<char*>(" 250 ms")), 1);
  EXPECT_FLOAT_EQ(plugin.get(3), static_cast<float>(248.0 / 2998.0));
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 10, 0, const_cast<char*>("1.4")), 1);
  EXPECT_FLOAT_EQ(plugin.get(10), static_cast<float>(4.0 / 6.0)) << "snapped to the octave grid";
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 14, 0, const_cast<char*>("0")), 1);
  EXPECT_EQ(plugin.get(14), 0.0f);
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 14, 0, const_cast<char*>("1")), 1);
  EXPECT_EQ(plugin.get(14), 1.0f);
}

TEST(Parameters, TextEntryRejectsWhatIsNotAFiniteNumber) {
  TestPlugin plugin;
  plugin.set(11, 0.25f);
  for (const char* bad : {"On", "", "abc", "1e999", "-1e999", "inf", "nan", "+-3", "."}) {
    EXPECT_EQ(plugin.dispatch(effString2Parameter, 11, 0, const_cast<char*>(bad)), 0) << bad;
    EXPECT_EQ(plugin.get(11), 0.25f) << bad;
  }
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 11, 0, nullptr), 0);
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 16, 0, const_cast<char*>("1")), 0);
  EXPECT_EQ(plugin.dispatch(effString2Parameter, -1, 0, const_cast<char*>("1")), 0);
}

TEST(Parameters, DisplayTextsRoundTripThroughTextEntry) {
  TestPlugin plugin;
  for (int i = 0; i < 16; ++i) {
    if (i == 14) continue;
    for (float v : {0.0f, 0.3f, 1.0f}) {
      plugin.set(i, v);
      const float stored = plugin.get(i);
      std::string text = plugin.text(effGetParamDisplay, i, 8, nullptr);
      ASSERT_EQ(plugin.dispatch(effString2Parameter, i, 0, text.data()), 1) << text;
      EXPECT_NEAR(plugin.get(i), stored, 0.0005f) << "parameter " << i << " text " << text;
    }
  }
}

TEST(Parameters, EveryParameterCanBeAutomated) {
  TestPlugin plugin;
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(plugin.dispatch(effCanBeAutomated, i), 1);
  EXPECT_EQ(plugin.dispatch(effCanBeAutomated, 16), 0);
  EXPECT_EQ(plugin.dispatch(effCanBeAutomated, -1), 0);
}

TEST(Parameters, HostChangesAreNotEchoed) {
  TestPlugin plugin;
  testhost::calls().clear();
  plugin.set(3, 0.5f);
  plugin.dispatch(effString2Parameter, 4, 0, const_cast<char*>("100"));
  plugin.dispatch(effSetProgram, 0, 2);
  EXPECT_TRUE(testhost::calls().empty());
}

}  // namespace
