// What the VST 3 controller tells hosts: the sixteen parameters under their full names with
// the VST 2 build's units, steps, defaults and texts; the hidden program change behind a
// program list; and the hidden controllers the host maps MIDI onto.
#include <gtest/gtest.h>

#include <cmath>

#include "params/ParamIds.h"
#include "params/ParamTable.h"
#include "params/Programs.h"
#include "tests/formats/FormatDrivers.h"
#include "tools/host/PluginModule.h"
#include "tools/host/Vst3Plugin.h"

namespace {

class Vst3Controller : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.load(vst3BundlePath())) << module.error();
    ASSERT_TRUE(plugin.create(module)) << plugin.error();
    controller = plugin.controller();
    ASSERT_NE(controller, nullptr);
  }
  Vst3Module module;
  Vst3Plugin plugin;
  vst3::IEditController* controller = nullptr;
};

TEST_F(Vst3Controller, ListsTheSixteenThenTheHiddenOnes) {
  ASSERT_EQ(controller->getParameterCount(), kNumParams + 7);
  for (int32_t i = 0; i < kNumParams; ++i) {
    vst3::ParameterInfo info{};
    ASSERT_EQ(controller->getParameterInfo(i, info), vst3::kResultOk);
    EXPECT_EQ(info.id, static_cast<vst3::ParamID>(i));
    EXPECT_EQ(vst3Narrow(info.title, 128), kParamTable[i].name);
    EXPECT_EQ(vst3Narrow(info.units, 128), kParamTable[i].unit);
    EXPECT_EQ(info.stepCount, kParamTable[i].steps);
    EXPECT_EQ(info.defaultNormalizedValue, kParamTable[i].defaultValue);
    EXPECT_EQ(info.flags, vst3::ParameterInfo::kCanAutomate);
  }
  int programChanges = 0;
  for (int32_t i = kNumParams; i < controller->getParameterCount(); ++i) {
    vst3::ParameterInfo info{};
    ASSERT_EQ(controller->getParameterInfo(i, info), vst3::kResultOk);
    EXPECT_NE(info.flags & vst3::ParameterInfo::kIsHidden, 0) << i;
    EXPECT_EQ(info.flags & vst3::ParameterInfo::kCanAutomate, 0) << i;
    if (info.flags & vst3::ParameterInfo::kIsProgramChange) {
      ++programChanges;
      EXPECT_EQ(info.stepCount, kNumPrograms - 1);
      EXPECT_EQ(info.unitId, vst3::kRootUnitId);
    }
  }
  EXPECT_EQ(programChanges, 1);
  vst3::ParameterInfo none{};
  EXPECT_NE(controller->getParameterInfo(-1, none), vst3::kResultOk);
  EXPECT_NE(controller->getParameterInfo(kNumParams + 7, none), vst3::kResultOk);
}

TEST_F(Vst3Controller, ProgramsAreAListOfTheRootUnit) {
  ASSERT_EQ(plugin.programCount(), kNumPrograms);
  for (int32_t i = 0; i < kNumPrograms; ++i)
    EXPECT_EQ(plugin.programName(i), kProgramNames[i]);
  EXPECT_EQ(plugin.programName(kNumPrograms), "");
}

// Texts as VST 2 shows them for the same normalized value, and typed values read back.
TEST_F(Vst3Controller, TextsAreTheVst2Texts) {
  PluginModule vst2Module;
  HostedPlugin vst2;
  ASSERT_TRUE(vst2Module.load(vst2Path())) << vst2Module.error();
  ASSERT_TRUE(vst2.create(vst2Module)) << vst2.error();
  for (int32_t id = 0; id < kNumParams; ++id) {
    for (float v : {0.0f, 0.001f, 0.1234567f, 0.25f, 0.5f, 0.49999f, 0.75f, 0.999f, 1.0f}) {
      vst2.setParameter(id, v);
      EXPECT_EQ(plugin.parameterText(static_cast<vst3::ParamID>(id), v), vst2.parameterDisplay(id))
          << id << " " << v;
    }
    // A typed number in the parameter's units, read as VST 2 reads it (Legato shows words
    // but takes numbers, as on VST 2).
    const std::string typed = id == kLegato ? "1" : vst2.parameterDisplay(id);
    double normalized = -1.0;
    ASSERT_TRUE(plugin.parameterFromText(static_cast<vst3::ParamID>(id), typed, normalized)) << id;
    ASSERT_TRUE(vst2.setParameterText(id, typed));
    EXPECT_EQ(normalized, static_cast<double>(vst2.parameter(id))) << id;
  }
  double unused = 0.0;
  EXPECT_FALSE(plugin.parameterFromText(0, "loud", unused));
  EXPECT_FALSE(plugin.parameterFromText(999, "1", unused));
}

// A host reads back at once what it set, conformed as every stored value is, before its
// point reaches the processor.
TEST_F(Vst3Controller, ReadsBackWhatTheHostSet) {
  ASSERT_EQ(controller->setParamNormalized(kSquare, 0.3), vst3::kResultOk);
  EXPECT_EQ(controller->getParamNormalized(kSquare), 0.3);
  ASSERT_EQ(controller->setParamNormalized(kTranspose, 0.52), vst3::kResultOk);
  EXPECT_EQ(controller->getParamNormalized(kTranspose),
            quantize(0.52, kParamTable[kTranspose].steps));
  EXPECT_NE(controller->setParamNormalized(kSquare, std::nan("")), vst3::kResultOk);
  EXPECT_EQ(controller->getParamNormalized(kSquare), 0.3);
}

TEST_F(Vst3Controller, MapsBendModWheelPedalAndTheResets) {
  void* mapping = nullptr;
  ASSERT_EQ(controller->queryInterface(vst3::kIidIMidiMapping.bytes, &mapping), vst3::kResultOk);
  auto* midi = static_cast<vst3::IMidiMapping*>(mapping);
  std::vector<vst3::ParamID> ids;
  for (int16_t channel : {0, 9, 15}) {
    for (vst3::CtrlNumber number :
         {vst3::kPitchBend, vst3::kCtrlModWheel, vst3::kCtrlSustainOnOff,
          vst3::kCtrlResetAllCtrlers, vst3::kCtrlAllNotesOff, vst3::kCtrlAllSoundsOff}) {
      vst3::ParamID id = 0;
      ASSERT_EQ(midi->getMidiControllerAssignment(0, channel, number, id), vst3::kResultTrue);
      EXPECT_GE(id, static_cast<vst3::ParamID>(kNumParams));
      ids.push_back(id);
    }
  }
  vst3::ParamID id = 0;
  EXPECT_EQ(midi->getMidiControllerAssignment(0, 0, 7, id), vst3::kResultFalse);  // volume
  EXPECT_EQ(midi->getMidiControllerAssignment(1, 0, 1, id), vst3::kResultFalse);  // no bus 1
  EXPECT_EQ(midi->getMidiControllerAssignment(0, 16, 1, id), vst3::kResultFalse);
  midi->release();
}

}  // namespace
