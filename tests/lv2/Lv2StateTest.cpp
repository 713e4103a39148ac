// The LV2 state: a saved state played by a fresh instance gives the same samples; a state
// with a bad key changes nothing; missing keys keep the current values; the appearance goes
// through patch:Set and patch:Get and is kept in the state.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>

#include <cstring>
#include <map>
#include <string>

#include "core/StateChunk.h"
#include "params/ParamRanges.h"
#include "params/Programs.h"
#include "tests/lv2/Lv2Host.h"
#include "tests/lv2/Phrase.h"

namespace {

std::vector<float> play(Lv2Plugin& plugin) {
  const std::vector<TimedMidi> phrase = testPhrase();
  std::vector<float> out;
  int64_t start = 0;
  for (uint32_t frames : regularBlocks()) {
    plugin.run(frames, eventsIn(phrase, start, frames));
    out.insert(out.end(), plugin.left().begin(), plugin.left().end());
    start += frames;
  }
  return out;
}

// A state held as key -> (type, bytes), for calling restore() directly.
struct FakeState {
  struct Value {
    uint32_t type;
    std::vector<uint8_t> bytes;
  };
  std::map<uint32_t, Value> values;

  static const void* retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                              uint32_t* flags) {
    auto& self = *static_cast<FakeState*>(handle);
    const auto it = self.values.find(key);
    if (it == self.values.end()) return nullptr;
    *size = it->second.bytes.size();
    *type = it->second.type;
    *flags = LV2_STATE_IS_POD;
    return it->second.bytes.data();
  }
};

class Lv2State : public ::testing::Test {
 protected:
  Lv2World world{BRISALONDE_LV2_BUNDLE};

  LV2_State_Status restore(Lv2Plugin& plugin, FakeState& state) {
    const auto* iface = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(plugin.instance(), LV2_STATE__interface));
    EXPECT_NE(iface, nullptr);
    return iface->restore(lilv_instance_get_handle(plugin.instance()), FakeState::retrieve, &state,
                          0, world.features());
  }

  std::vector<float> programRender(int32_t program) {
    Lv2Plugin plugin(world, kPhraseRate);
    LilvState* preset =
        lilv_state_new_from_world(world.world(), world.map(), world.preset(kProgramNames[program]));
    plugin.apply(preset);
    lilv_state_free(preset);
    plugin.activate();
    return play(plugin);
  }

  FakeState::Value intValue(int32_t v) {
    FakeState::Value value{world.urid(LV2_ATOM__Int), std::vector<uint8_t>(sizeof v)};
    std::memcpy(value.bytes.data(), &v, sizeof v);
    return value;
  }
};

TEST_F(Lv2State, RoundTripIntoAFreshInstancePlaysTheSameSamples) {
  Lv2Plugin first(world, kPhraseRate);
  LilvState* lantern =
      lilv_state_new_from_world(world.world(), world.map(), world.preset(kProgramNames[3]));
  first.apply(lantern);
  lilv_state_free(lantern);
  first.control(kAttack) = 123.4f;  // an edit away from the program
  first.control(kTranspose) = 1.0f;
  first.activate();
  first.run(0, {}, 2);  // takes the ports, and the Silver appearance
  LilvState* saved = first.save();
  ASSERT_NE(saved, nullptr);
  first.deactivate();
  first.activate();
  const std::vector<float> expected = play(first);

  Lv2Plugin second(world, kPhraseRate);
  second.apply(saved);
  lilv_state_free(saved);
  second.activate();
  second.run(0, {}, -1);
  EXPECT_EQ(second.reportedAppearance(), 2);
  EXPECT_EQ(second.control(kAttack), 123.4f);
  second.deactivate();
  second.activate();
  EXPECT_EQ(play(second), expected);
  EXPECT_NE(expected, programRender(3)) << "the edits must be heard";
}

TEST_F(Lv2State, ABadKeyRejectsTheWholeState) {
  Lv2Plugin plugin(world, kPhraseRate);
  FakeState bad;
  bad.values[world.urid(kLv2ProgramUri)] = intValue(2);
  // A record one byte short, then a record of the wrong type, then a program out of range.
  StateChunk record{};
  bad.values[world.urid(kLv2StateRecordUri)] = {
      world.urid(LV2_ATOM__Chunk), std::vector<uint8_t>(record.bytes, record.bytes + 147)};
  EXPECT_NE(restore(plugin, bad), LV2_STATE_SUCCESS);
  bad.values[world.urid(kLv2StateRecordUri)] = intValue(1);
  EXPECT_EQ(restore(plugin, bad), LV2_STATE_ERR_BAD_TYPE);
  bad.values.erase(world.urid(kLv2StateRecordUri));
  bad.values[world.urid(kLv2ProgramUri)] = intValue(kNumPrograms);
  EXPECT_NE(restore(plugin, bad), LV2_STATE_SUCCESS);
  bad.values[world.urid(kLv2ProgramUri)] = {world.urid(LV2_ATOM__Float), std::vector<uint8_t>(4)};
  EXPECT_EQ(restore(plugin, bad), LV2_STATE_ERR_BAD_TYPE);

  // The default ports match the default values, so nothing has moved them.
  Lv2Plugin untouched(world, kPhraseRate);
  plugin.activate();
  untouched.activate();
  EXPECT_EQ(play(plugin), play(untouched));
}

TEST_F(Lv2State, MissingKeysKeepTheCurrentValues) {
  // Only a program number: the program's exact values, with ports left as they are showing
  // the program's values (as a preset sets them).
  Lv2Plugin plugin(world, kPhraseRate);
  LilvState* bass =
      lilv_state_new_from_world(world.world(), world.map(), world.preset(kProgramNames[2]));
  plugin.apply(bass);
  lilv_state_free(bass);
  FakeState empty;
  EXPECT_EQ(restore(plugin, empty), LV2_STATE_SUCCESS);
  plugin.activate();
  EXPECT_EQ(play(plugin), programRender(2));
}

// The editor's program buttons send the program number with the ports it writes: the DSP
// side then plays the program's exact values, which the float ports do not carry.
TEST_F(Lv2State, ProgramMessageWithItsPortsPlaysTheExactProgram) {
  Lv2Plugin plugin(world, kPhraseRate);
  double values[kNumParams];
  programValues(1, values);
  for (int32_t id = 0; id < kNumParams; ++id)
    plugin.control(id) = static_cast<float>(plainOfUnit(static_cast<ParamId>(id), values[id]));
  plugin.activate();
  plugin.sendProgram(1);
  plugin.run(0, {});
  plugin.deactivate();
  plugin.activate();
  EXPECT_EQ(play(plugin), programRender(1));
}

TEST_F(Lv2State, AppearanceIsSetByPatchSetAndAnsweredToPatchGet) {
  Lv2Plugin plugin(world, kPhraseRate);
  plugin.activate();
  plugin.run(16, {}, -1);
  EXPECT_EQ(plugin.reportedAppearance(), 0);
  plugin.run(16, {}, 1);
  EXPECT_EQ(plugin.reportedAppearance(), -1) << "a Set is not echoed";
  plugin.run(16, {}, -1);
  EXPECT_EQ(plugin.reportedAppearance(), 1);
  plugin.run(16, {}, 3);  // out of range: ignored
  plugin.run(16, {}, -1);
  EXPECT_EQ(plugin.reportedAppearance(), 1);
}

}  // namespace
