// The LV2 state: a saved state played by a fresh instance gives the same samples; a state
// with a bad key changes nothing; missing keys keep the current values; the appearance goes
// through patch:Set and patch:Get and is kept in the state.
#include <gtest/gtest.h>
#include <lv2/atom/forge.h>
#include <lv2/atom/util.h>
#include <lv2/patch/patch.h>
#include <lv2/state/state.h>

#include <cstring>
#include <map>
#include <string>

#include "core/StateChunk.h"
#include "lv2/Lv2Identity.h"
#include "params/ParamRanges.h"
#include "params/Programs.h"
#include "tests/formats/Lv2Driver.h"
#include "tests/formats/Phrase.h"

namespace {

constexpr double kRate = 48000.0;
constexpr int32_t kBlock = 512;

std::vector<double> play(Lv2Instrument& plugin) {
  Performance p;
  p.sampleRate = kRate;
  p.blocks = {kBlock};
  p.frames = kPhraseFrames;
  p.midi = testPhrase();
  return playOn(plugin, p);
}

// A fresh instance of the bundle's plug-in, its ports at their defaults.
struct Instance : Lv2Instrument {
  Instance() { openLv2(*this, kRate, kBlock); }
  float& port(int32_t id) { return *control(kLv2PortSymbols[id]); }
  void applyPreset(int32_t program) {
    EXPECT_TRUE(Lv2Instrument::applyPreset(kProgramNames[program])) << kProgramNames[program];
  }
  // A patch:Set of an integer property, or with `value` < 0 a patch:Get of it, in the next
  // block.
  void sendPatch(const char* property, int32_t value) {
    alignas(8) uint8_t buffer[256];
    LV2_Atom_Forge forge;
    lv2_atom_forge_init(&forge, map());
    lv2_atom_forge_set_buffer(&forge, buffer, sizeof buffer);
    LV2_Atom_Forge_Frame object;
    const bool get = value < 0;
    const LV2_Atom_Forge_Ref ref =
        lv2_atom_forge_object(&forge, &object, 0, urid(get ? LV2_PATCH__Get : LV2_PATCH__Set));
    lv2_atom_forge_key(&forge, urid(LV2_PATCH__property));
    lv2_atom_forge_urid(&forge, urid(property));
    if (!get) {
      lv2_atom_forge_key(&forge, urid(LV2_PATCH__value));
      lv2_atom_forge_int(&forge, value);
    }
    lv2_atom_forge_pop(&forge, &object);
    addAtom(0, lv2_atom_forge_deref(&forge, ref));
  }
  // The integer value of the last patch:Set on the notification port, or -1.
  int32_t reportedValue() {
    int32_t reported = -1;
    const LV2_Atom_Sequence* notify = eventOutput();
    if (notify == nullptr) return reported;
    LV2_ATOM_SEQUENCE_FOREACH(notify, ev) {
      if (ev->body.type != urid(LV2_ATOM__Object)) continue;
      const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&ev->body);
      if (object->body.otype != urid(LV2_PATCH__Set)) continue;
      const LV2_Atom* value = nullptr;
      lv2_atom_object_get(object, urid(LV2_PATCH__value), &value, 0);
      if (value != nullptr && value->type == urid(LV2_ATOM__Int))
        reported = reinterpret_cast<const LV2_Atom_Int*>(value)->body;
    }
    return reported;
  }
};

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
  Instance keys;  // the URID table the fake states are written with

  LV2_State_Status restore(Instance& plugin, FakeState& state) {
    const auto* iface = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(plugin.instance(), LV2_STATE__interface));
    EXPECT_NE(iface, nullptr);
    return iface->restore(lilv_instance_get_handle(plugin.instance()), FakeState::retrieve, &state,
                          0, plugin.features());
  }

  std::vector<double> programRender(int32_t program) {
    Instance plugin;
    plugin.applyPreset(program);
    plugin.activate();
    return play(plugin);
  }

  FakeState::Value intValue(int32_t v) {
    FakeState::Value value{keys.urid(LV2_ATOM__Int), std::vector<uint8_t>(sizeof v)};
    std::memcpy(value.bytes.data(), &v, sizeof v);
    return value;
  }
};

TEST_F(Lv2State, RoundTripIntoAFreshInstancePlaysTheSameSamples) {
  Instance first;
  first.applyPreset(3);
  first.port(kAttack) = 123.4f;  // an edit away from the program
  first.port(kTranspose) = 1.0f;
  first.activate();
  first.sendPatch(kLv2AppearanceUri, 2);
  first.run(0);  // takes the ports, and the Silver appearance
  const std::string saved = first.saveStateText();
  ASSERT_FALSE(saved.empty());
  first.deactivate();
  first.activate();
  const std::vector<double> expected = play(first);

  Instance second;
  ASSERT_TRUE(second.applyStateText(saved));
  second.activate();
  second.sendPatch(kLv2AppearanceUri, -1);
  second.run(0);
  EXPECT_EQ(second.reportedValue(), 2);
  EXPECT_EQ(second.port(kAttack), 123.4f);
  second.deactivate();
  second.activate();
  EXPECT_EQ(play(second), expected);
  EXPECT_NE(expected, programRender(3)) << "the edits must be heard";
}

TEST_F(Lv2State, ABadKeyRejectsTheWholeState) {
  Instance& plugin = keys;
  FakeState bad;
  bad.values[keys.urid(kLv2ProgramUri)] = intValue(2);
  // A record one byte short, then a record of the wrong type, then a program out of range.
  StateChunk record{};
  bad.values[keys.urid(kLv2StateRecordUri)] = {
      keys.urid(LV2_ATOM__Chunk), std::vector<uint8_t>(record.bytes, record.bytes + 147)};
  EXPECT_NE(restore(plugin, bad), LV2_STATE_SUCCESS);
  bad.values[keys.urid(kLv2StateRecordUri)] = intValue(1);
  EXPECT_EQ(restore(plugin, bad), LV2_STATE_ERR_BAD_TYPE);
  bad.values.erase(keys.urid(kLv2StateRecordUri));
  bad.values[keys.urid(kLv2ProgramUri)] = intValue(kNumPrograms);
  EXPECT_NE(restore(plugin, bad), LV2_STATE_SUCCESS);
  bad.values[keys.urid(kLv2ProgramUri)] = {keys.urid(LV2_ATOM__Float), std::vector<uint8_t>(4)};
  EXPECT_EQ(restore(plugin, bad), LV2_STATE_ERR_BAD_TYPE);

  // The default ports match the default values, so nothing has moved them.
  Instance untouched;
  plugin.activate();
  untouched.activate();
  EXPECT_EQ(play(plugin), play(untouched));
}

TEST_F(Lv2State, MissingKeysKeepTheCurrentValues) {
  // Only a program number: the program's exact values, with ports left as they are showing
  // the program's values (as a preset sets them).
  Instance& plugin = keys;
  plugin.applyPreset(2);
  FakeState empty;
  EXPECT_EQ(restore(plugin, empty), LV2_STATE_SUCCESS);
  plugin.activate();
  EXPECT_EQ(play(plugin), programRender(2));
}

// The editor's program buttons send the program number with the ports it writes: the DSP
// side then plays the program's exact values, which the float ports do not carry.
TEST_F(Lv2State, ProgramMessageWithItsPortsPlaysTheExactProgram) {
  Instance plugin;
  double values[kNumParams];
  programValues(1, values);
  for (int32_t id = 0; id < kNumParams; ++id)
    plugin.port(id) = static_cast<float>(plainOfUnit(static_cast<ParamId>(id), values[id]));
  plugin.activate();
  plugin.sendPatch(kLv2ProgramUri, 1);
  plugin.run(0);
  plugin.deactivate();
  plugin.activate();
  EXPECT_EQ(play(plugin), programRender(1));
}

TEST_F(Lv2State, AppearanceIsSetByPatchSetAndAnsweredToPatchGet) {
  Instance plugin;
  plugin.activate();
  const auto runWith = [&](int32_t value) {
    plugin.sendPatch(kLv2AppearanceUri, value);
    plugin.run(16);
    return plugin.reportedValue();
  };
  EXPECT_EQ(runWith(-1), 0);
  EXPECT_EQ(runWith(1), -1) << "a Set is not echoed";
  EXPECT_EQ(runWith(-1), 1);
  runWith(3);  // out of range: ignored
  EXPECT_EQ(runWith(-1), 1);
}

}  // namespace
