// The component's state through host streams: the same 148-byte record as the VST 2 build,
// read from streams that deliver in pieces or stand past position 0; bad streams are
// refused whole and change nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "params/ParamIds.h"
#include "tests/formats/FormatDrivers.h"
#include "tools/host/Vst3Plugin.h"

namespace {

constexpr size_t kRecordSize = 148;

class Vst3State : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.load(vst3BundlePath())) << module.error();
    ASSERT_TRUE(plugin.create(module)) << plugin.error();
    ASSERT_TRUE(plugin.configure(48000.0, 256, Precision::Single));
    plugin.resume();
  }
  // Applies queued changes as a host does: with the next block.
  void playBlock() { plugin.process(256); }
  std::vector<double> values() {
    std::vector<double> v;
    for (vst3::ParamID id = 0; id <= 16; ++id)
      v.push_back(plugin.parameterValue(id));
    return v;
  }

  Vst3Module module;
  Vst3Plugin plugin;
};

TEST_F(Vst3State, IsTheRecordOfProgramValuesAndSkin) {
  plugin.setProgram(3);
  playBlock();
  plugin.queueParameter(kAttack, 0, 0.123456789);
  playBlock();
  const std::vector<uint8_t> state = plugin.state();
  ASSERT_EQ(state.size(), kRecordSize);
  EXPECT_EQ(std::memcmp(state.data(), "BRQ2", 4), 0);
  EXPECT_EQ(state[4], 2);  // version
  EXPECT_EQ(state[8], 3);  // program
}

TEST_F(Vst3State, RoundTripThroughPiecesAndAnOffset) {
  plugin.setProgram(2);
  playBlock();
  plugin.queueParameter(kFineTune, 0, 0.3141592653589793);
  playBlock();
  const std::vector<uint8_t> saved = plugin.state();
  const std::vector<double> expected = values();

  Vst3Plugin fresh;
  ASSERT_TRUE(fresh.create(module));
  for (int32_t readLimit : {1, 5, 147, 4096}) {
    ASSERT_TRUE(fresh.setState(saved, 37, readLimit)) << readLimit;
    EXPECT_EQ(fresh.state(), saved);
    for (vst3::ParamID id = 0; id <= 16; ++id)
      EXPECT_EQ(fresh.parameterValue(id), expected[id]) << id;
  }
}

TEST_F(Vst3State, BadStreamsChangeNothing) {
  plugin.setProgram(1);
  playBlock();
  const std::vector<uint8_t> good = plugin.state();
  const std::vector<double> before = values();

  std::vector<std::vector<uint8_t>> bad;
  bad.push_back({});                                                      // empty
  bad.push_back(std::vector<uint8_t>(good.begin(), good.begin() + 100));  // cut short
  bad.push_back(good);
  bad.back()[0] = 'X';  // magic
  bad.push_back(good);
  bad.back()[4] = 7;  // version
  bad.push_back(good);
  const double nan = std::nan("");
  std::memcpy(bad.back().data() + 16, &nan, sizeof nan);  // a value that is not a number
  bad.push_back(good);
  bad.back()[8] = 9;  // program out of range
  for (size_t i = 0; i < bad.size(); ++i) {
    EXPECT_FALSE(plugin.setState(bad[i], 3, 11)) << "stream " << i;
    EXPECT_EQ(plugin.state(), good) << "stream " << i;
    EXPECT_EQ(values(), before) << "stream " << i;
  }
}

// A stream whose read fails part-way, as a broken file does.
class FailingStream : public Vst3MemoryStream {
 public:
  using Vst3MemoryStream::Vst3MemoryStream;
  vst3::tresult VST3_CALL read(void* buffer, int32_t numBytes, int32_t* numBytesRead) override {
    if (position() >= 64) {
      if (numBytesRead != nullptr) *numBytesRead = 0;
      return vst3::kInternalError;
    }
    return Vst3MemoryStream::read(buffer, numBytes < 16 ? numBytes : 16, numBytesRead);
  }
};

TEST_F(Vst3State, FailedReadsAndNullStreamsAreRefused) {
  const std::vector<uint8_t> good = plugin.state();
  FailingStream failing(good);
  EXPECT_NE(plugin.component()->setState(&failing), vst3::kResultOk);
  EXPECT_NE(plugin.component()->setState(nullptr), vst3::kResultOk);
  EXPECT_NE(plugin.component()->getState(nullptr), vst3::kResultOk);
  EXPECT_EQ(plugin.state(), good);
}

}  // namespace
