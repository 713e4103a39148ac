// Renders through the instrument itself: note timing in its audio, the two precisions,
// programs, parameters and state files as a musician would use them.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gtest/gtest.h"
#include "tests/render/TestFiles.h"
#include "tests/render/WavFile.h"
#include "tools/render/Render.h"

namespace {

constexpr size_t kFirstNoteFrame = 4800;     // tick 96 of short-phrase.mid at 48000 Hz
constexpr uint64_t kTailAt48k = 244799;      // 5.1 s
constexpr uint64_t kLastEventFrame = 30000;  // tick 600

RenderOptions instrumentOptions() {
  RenderOptions o;
  o.pluginPath = BRISALONDE_PLUGIN;
  o.midiPath = testfiles::data("short-phrase.mid");
  o.outputPath = testfiles::scratch("wav");
  o.format = SampleFormat::Float32;
  o.tailSeconds = 0.5;
  o.quiet = true;
  return o;
}

WavFile render(RenderOptions o, const std::string& suffix, RenderSummary* summary = nullptr) {
  o.outputPath = testfiles::scratch(suffix);
  RenderSummary local;
  std::string error;
  EXPECT_TRUE(renderMidiFile(o, summary != nullptr ? *summary : local, error)) << error;
  WavFile wav;
  EXPECT_TRUE(readWavFile(o.outputPath, wav)) << o.outputPath;
  return wav;
}

TEST(RenderInstrument, SilentUntilTheFirstNoteThenSoundingOnBothChannelsAlike) {
  const WavFile wav = render(instrumentOptions(), "wav");
  ASSERT_EQ(wav.channels, 2);
  ASSERT_GT(wav.frames(), kFirstNoteFrame + 1000);
  for (size_t j = 0; j < kFirstNoteFrame; ++j)
    ASSERT_EQ(wav.samples[0][j], 0.0) << j;
  double early = 0.0;
  for (size_t j = kFirstNoteFrame; j < kFirstNoteFrame + 48; ++j)
    early = std::max(early, std::fabs(wav.samples[0][j]));
  EXPECT_GT(early, 0.0) << "the note sounds within a millisecond of its frame";
  EXPECT_EQ(wav.samples[0], wav.samples[1]);
}

TEST(RenderInstrument, SinglePrecisionIsTheDoubleRenderRoundedToFloat) {
  RenderOptions o = instrumentOptions();
  const WavFile single = render(o, "single.wav");
  o.precision = Precision::Double;
  const WavFile twice = render(o, "double.wav");
  ASSERT_EQ(single.frames(), twice.frames());
  size_t sounding = 0;
  for (size_t j = 0; j < single.frames(); ++j) {
    ASSERT_EQ(single.samples[0][j], twice.samples[0][j]) << j;
    sounding += single.samples[0][j] != 0.0;
  }
  EXPECT_GT(sounding, single.frames() / 2);
}

TEST(RenderInstrument, ProgramByNameEqualsProgramByNumber) {
  RenderOptions o = instrumentOptions();
  const WavFile original = render(o, "original.wav");
  o.program = "Bass";
  const WavFile byName = render(o, "name.wav");
  o.program = "2";
  RenderSummary summary;
  const WavFile byNumber = render(o, "number.wav", &summary);
  EXPECT_EQ(byName.samples, byNumber.samples);
  EXPECT_NE(byName.samples, original.samples);
  EXPECT_EQ(summary.programName, "Bass");
}

TEST(RenderInstrument, TextInUnitsEqualsTheNormalizedValue) {
  RenderOptions o = instrumentOptions();
  o.settings = {{"Output", "-30", false}};  // (-30 + 60) / 60 = 0.5
  const WavFile text = render(o, "text.wav");
  o.settings = {{"12", "0.5", true}};
  const WavFile normalized = render(o, "normalized.wav");
  EXPECT_EQ(text.samples, normalized.samples);
  o.settings = {};
  const WavFile louder = render(o, "default.wav");
  double peakText = 0.0, peakDefault = 0.0;
  for (size_t j = 0; j < text.frames(); ++j) {
    peakText = std::max(peakText, std::fabs(text.samples[0][j]));
    peakDefault = std::max(peakDefault, std::fabs(louder.samples[0][j]));
  }
  EXPECT_NEAR(20.0 * std::log10(peakDefault / peakText), 18.0, 0.5) << "-12 dB against -30 dB";
}

TEST(RenderInstrument, ShortenedNamesThatClashAskForTheNumber) {
  RenderOptions o = instrumentOptions();
  o.settings = {{"Vibrato depth", "20", false}};
  RenderSummary summary;
  std::string error;
  EXPECT_FALSE(renderMidiFile(o, summary, error));
  EXPECT_NE(error.find("ambiguous: 6 \"Vibrato\" 7 \"Vibrato\""), std::string::npos) << error;
}

TEST(RenderInstrument, SavedStateRestoresTheSound) {
  RenderOptions o = instrumentOptions();
  o.program = "Lantern";
  o.settings = {{"Attack", "250", false}, {"Transpose", "1", false}};
  o.saveState = testfiles::scratch("state.bin");
  const WavFile edited = render(o, "edited.wav");
  const std::string state = testfiles::readText(o.saveState);
  ASSERT_EQ(state.size(), 148u);
  EXPECT_EQ(state.substr(0, 4), "BRQ2");

  RenderOptions restore = instrumentOptions();
  restore.loadState = o.saveState;
  EXPECT_EQ(render(restore, "restored.wav").samples, edited.samples);
}

TEST(RenderInstrument, TailDefaultsToTheReportedOne) {
  RenderOptions o = instrumentOptions();
  o.tailSeconds.reset();
  o.format = SampleFormat::Int16;
  RenderSummary summary;
  render(o, "wav", &summary);
  EXPECT_EQ(summary.tailSource, TailSource::Plugin);
  EXPECT_EQ(summary.frames, kLastEventFrame + 1 + kTailAt48k);
  EXPECT_GT(summary.peak, 0.1);
  EXPECT_LT(summary.peak, 1.0);
  EXPECT_GT(summary.rms, 0.0);
}

}  // namespace
