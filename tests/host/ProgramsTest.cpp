// Factory programs and program names through the dispatcher.
#include <string>

#include "gtest/gtest.h"
#include "tests/host/TestHost.h"

namespace {

TEST(Programs, SelectingBassStoresItsValuesAndName) {
  TestPlugin plugin;
  plugin.dispatch(effSetProgram, 0, 2);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 2);
  EXPECT_EQ(plugin.text(effGetProgramName, 0, 24, nullptr), "Bass");
  EXPECT_FLOAT_EQ(plugin.get(10), 1.0f / 3.0f);
  EXPECT_EQ(plugin.text(effGetParamDisplay, 10, 8, nullptr), "-1.0");
  EXPECT_FLOAT_EQ(plugin.get(0), 0.8f);
  EXPECT_FLOAT_EQ(plugin.get(5), 0.035f);
  EXPECT_FLOAT_EQ(plugin.get(6), 0.5f) << "untouched values are the defaults";
}

TEST(Programs, EveryProgramMatchesItsTable) {
  const float table[5][16] = {
      {0.55f, 0.3f, 0.15f, 0.00266845f, 0.055055f, 0.0f, 0.5f, 0.0f, 0.25f, 0.0f, 0.5f, 0.5f, 0.8f,
       0.0f, 1.0f, 0.35f},
      {0.12f, 0.7f, 0.5f, 0.07f, 0.22f, 0.0f, 0.5f, 0.14f, 0.25f, 0.0f, 0.5f, 0.5f, 0.8f, 0.0f,
       1.0f, 0.35f},
      {0.8f, 0.25f, 0.0f, 0.00266845f, 0.025f, 0.035f, 0.5f, 0.0f, 0.25f, 0.0f, 1.0f / 3.0f, 0.5f,
       0.8f, 0.0f, 1.0f, 0.35f},
      {0.15f, 0.25f, 0.85f, 0.12f, 0.35f, 0.0f, 0.5f, 0.22f, 0.25f, 0.38f, 0.5f, 0.5f, 0.8f, 0.0f,
       1.0f, 0.35f},
      {0.65f, 0.2f, 0.2f, 0.00266845f, 0.055055f, 0.25f, 0.5f, 0.12f, 0.25f, 0.15f, 0.5f, 0.5f,
       0.8f, 0.0f, 1.0f, 0.35f},
  };
  const char* names[5] = {"Original", "Soft reed", "Bass", "Lantern", "Glide"};
  TestPlugin plugin;
  for (int k : {4, 3, 2, 1, 0}) {
    plugin.dispatch(effSetProgram, 0, k);
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(plugin.get(i), table[k][i]) << k << "/" << i;
    EXPECT_EQ(plugin.text(effGetProgramName, 0, 24, nullptr), names[k]);
  }
}

TEST(Programs, SelectingTheCurrentProgramAgainKeepsEdits) {
  TestPlugin plugin;
  plugin.dispatch(effSetProgram, 0, 2);
  plugin.set(0, 0.1f);
  plugin.dispatch(effSetProgram, 0, 2);
  EXPECT_FLOAT_EQ(plugin.get(0), 0.1f);
  plugin.dispatch(effSetProgram, 0, 3);
  plugin.dispatch(effSetProgram, 0, 2);
  EXPECT_FLOAT_EQ(plugin.get(0), 0.8f);
}

TEST(Programs, OutOfRangeNumbersChangeNothing) {
  TestPlugin plugin;
  plugin.set(0, 0.2f);
  for (intptr_t bad : {intptr_t{5}, intptr_t{-1}, intptr_t{INT32_MAX}}) {
    plugin.dispatch(effSetProgram, 0, bad);
    EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
    EXPECT_FLOAT_EQ(plugin.get(0), 0.2f);
  }
}

TEST(Programs, ProgramNamesAreKeptWithinTheirBuffers) {
  TestPlugin plugin;
  const std::string thirty = "abcdefghijklmnopqrstuvwxyz0123";
  EXPECT_EQ(plugin.dispatch(effSetProgramName, 0, 0, const_cast<char*>(thirty.c_str())), 0);
  bool guard = false;
  EXPECT_EQ(plugin.text(effGetProgramName, 0, 24, &guard), thirty.substr(0, 23));
  EXPECT_TRUE(guard);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 0) << "renaming does not change the program";
  EXPECT_EQ(plugin.dispatch(effSetProgramName, 0, 0, nullptr), 0);
  EXPECT_EQ(plugin.dispatch(effGetProgramName, 0, 0, nullptr), 1);

  const char* names[5] = {"Original", "Soft reed", "Bass", "Lantern", "Glide"};
  for (int k = 0; k < 5; ++k) {
    GuardedBuffer buffer(24);
    EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, k, 0, buffer.data()), 1);
    EXPECT_STREQ(buffer.data(), names[k]) << "factory names, never the renamed one";
    EXPECT_TRUE(buffer.guardsIntact());
  }
  EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, 5, 0, GuardedBuffer(24).data()), 0);
  EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, -1, 0, GuardedBuffer(24).data()), 0);
  EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 1);
  EXPECT_EQ(plugin.dispatch(effBeginSetProgram), 1);
  EXPECT_EQ(plugin.dispatch(effEndSetProgram), 1);
}

}  // namespace
