// VSTPluginMain and the AEffect record a host receives.
#include <cmath>

#include "gtest/gtest.h"
#include "tests/host/TestHost.h"

namespace {

intptr_t refusingHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 0 : 1;
}

const float kDefaults[16] = {0.55f, 0.3f, 0.15f, 0.00266845f, 0.055055f, 0.0f, 0.5f, 0.0f,
                             0.25f, 0.0f, 0.5f,  0.5f,        0.8f,      0.0f, 1.0f, 0.35f};

TEST(Entry, RefusesNullCallbackAndHostWithoutVersion) {
  VstPluginMainProc entry = testhost::module().entry();
  EXPECT_EQ(entry(nullptr), nullptr);
  EXPECT_EQ(entry(refusingHost), nullptr);
}

TEST(Entry, AsksTheHostForItsVersionFirst) {
  testhost::calls().clear();
  TestPlugin plugin;
  ASSERT_FALSE(testhost::calls().empty());
  EXPECT_EQ(testhost::calls().front().opcode, audioMasterVersion);
}

TEST(Entry, FreshInstanceReportsTheInstrumentsRecord) {
  TestPlugin plugin;
  const AEffect& e = *plugin.effect();
  EXPECT_EQ(e.magic, 0x56737450);
  EXPECT_EQ(e.numPrograms, 5);
  EXPECT_EQ(e.numParams, 16);
  EXPECT_EQ(e.numInputs, 0);
  EXPECT_EQ(e.numOutputs, 2);
  EXPECT_EQ(e.flags, 0x1131);
  EXPECT_EQ(e.version, 10200);
  EXPECT_EQ(e.uniqueID, ('T' << 24) | ('Q' << 16) | ('X' << 8) | '2');
  EXPECT_EQ(e.ioRatio, 1.0f);
  EXPECT_EQ(e.initialDelay, 0);
  EXPECT_EQ(e.user, nullptr);
  EXPECT_EQ(e.object, static_cast<const void*>(&e)) << "the instance begins with its AEffect";
  EXPECT_NE(e.dispatcher, nullptr);
  EXPECT_NE(e.process, nullptr);
  EXPECT_NE(e.processReplacing, nullptr);
  EXPECT_NE(e.processDoubleReplacing, nullptr);
  EXPECT_NE(e.setParameter, nullptr);
  EXPECT_NE(e.getParameter, nullptr);
}

TEST(Entry, FreshInstanceHoldsProgramZeroAndDefaults) {
  TestPlugin plugin;
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(plugin.get(i), kDefaults[i]) << "parameter " << i;
  EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
  EXPECT_EQ(plugin.text(effGetProgramName, 0, 24, nullptr), "Original");
  EXPECT_EQ(plugin.dispatch(effGetTailSize), 224909);
}

TEST(Entry, TwoInstancesShareNothing) {
  TestPlugin a;
  TestPlugin b;
  a.set(0, 0.9f);
  a.dispatch(effSetProgram, 0, 3);
  a.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  EXPECT_EQ(b.get(0), 0.55f);
  EXPECT_EQ(b.dispatch(effGetProgram), 0);
  EXPECT_EQ(b.dispatch(effGetTailSize), 224909);
  EXPECT_EQ(a.dispatch(effGetTailSize), 489599);
}

}  // namespace
