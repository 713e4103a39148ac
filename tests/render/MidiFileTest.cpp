// Reading Standard MIDI Files: files written by csvmidi from the text in data/, and
// hand-made bytes for the faults a file can have.
#include <vector>

#include "gtest/gtest.h"
#include "tests/render/TestFiles.h"
#include "tools/render/MidiFile.h"

namespace {

MidiFile read(const std::string& name) {
  MidiFile file;
  std::string error;
  EXPECT_TRUE(readMidiFile(testfiles::data(name), file, error)) << error;
  return file;
}

std::string parseError(std::vector<uint8_t> bytes) {
  MidiFile file;
  std::string error;
  EXPECT_FALSE(parseMidiFile(bytes.data(), bytes.size(), file, error));
  return error;
}

// A header (format, tracks, division 96) followed by one track with the given events.
std::vector<uint8_t> oneTrack(std::vector<uint8_t> events, uint16_t format = 0) {
  std::vector<uint8_t> bytes = {
      'M', 'T', 'h', 'd', 0,   0,   0,   6,  0, static_cast<uint8_t>(format),
      0,   1,   0,   96,  'M', 'T', 'r', 'k'};
  const auto size = static_cast<uint32_t>(events.size());
  for (int shift = 24; shift >= 0; shift -= 8)
    bytes.push_back(static_cast<uint8_t>(size >> shift));
  bytes.insert(bytes.end(), events.begin(), events.end());
  return bytes;
}

std::vector<uint8_t> statusBytes(const MidiFile& f) {
  std::vector<uint8_t> out;
  for (const MidiMessage& m : f.messages)
    out.push_back(m.bytes[0]);
  return out;
}

TEST(MidiFile, MergesTracksByTimeThenTrack) {
  const MidiFile f = read("timing.mid");
  EXPECT_EQ(f.format, 1);
  EXPECT_EQ(f.trackCount, 3);
  EXPECT_EQ(f.ticksPerQuarter, 480u);
  ASSERT_EQ(f.messages.size(), 20u);
  for (size_t i = 1; i < f.messages.size(); ++i)
    EXPECT_LE(f.messages[i - 1].tick, f.messages[i].tick);
  // Tick 0: the note of track 2 comes before the program change of track 3.
  EXPECT_EQ(f.messages[0].bytes[0], 0x90);
  EXPECT_EQ(f.messages[1].bytes[0], 0xC0);
  EXPECT_EQ(f.messages[1].size, 2);
  EXPECT_EQ(f.messages[1].bytes[1], 5);
  // Tick 480: note-on (track 2), then modulation and pitch bend (track 3) in file order.
  const MidiMessage* at480 = nullptr;
  for (const MidiMessage& m : f.messages)
    if (m.tick == 480 && at480 == nullptr) at480 = &m;
  ASSERT_NE(at480, nullptr);
  EXPECT_EQ(at480[0].bytes[0], 0x90);
  EXPECT_EQ(at480[1].bytes[0], 0xB0);
  EXPECT_EQ(at480[2].bytes[0], 0xE0);
  EXPECT_EQ(at480[2].bytes[1] | (at480[2].bytes[2] << 7), 9000);
}

TEST(MidiFile, Format0AndFormat1OfTheSameMusicReadAlike) {
  const MidiFile one = read("timing.mid");
  const MidiFile zero = read("timing-format0.mid");
  EXPECT_EQ(zero.format, 0);
  ASSERT_EQ(zero.messages.size(), one.messages.size());
  for (size_t i = 0; i < one.messages.size(); ++i) {
    EXPECT_EQ(zero.messages[i].tick, one.messages[i].tick) << i;
    EXPECT_EQ(statusBytes(zero)[i], statusBytes(one)[i]) << i;
  }
  ASSERT_EQ(zero.tempos.size(), 3u);
  EXPECT_EQ(zero.tempos[1].tick, 960u);
  EXPECT_EQ(zero.tempos[1].microsPerQuarter, 250000u);
}

TEST(MidiFile, RunningStatusReadsLikeFullStatus) {
  // csvmidi compresses with running status; -x writes every status byte.
  const MidiFile compressed = read("timing.mid");
  const MidiFile full = read("timing-full-status.mid");
  ASSERT_EQ(compressed.messages.size(), full.messages.size());
  for (size_t i = 0; i < full.messages.size(); ++i)
    for (int b = 0; b < 3; ++b)
      EXPECT_EQ(compressed.messages[i].bytes[b], full.messages[i].bytes[b]);
}

TEST(MidiFile, NoteOnWithVelocityZeroBecomesNoteOff) {
  const MidiFile f = read("timing.mid");
  int noteOffs = 0;
  for (const MidiMessage& m : f.messages) {
    if ((m.bytes[0] & 0xF0) == 0x90) {
      EXPECT_GT(m.bytes[2], 0) << "tick " << m.tick;
    }
    if ((m.bytes[0] & 0xF0) == 0x80) ++noteOffs;
  }
  EXPECT_EQ(noteOffs, 8);
}

TEST(MidiFile, ReadsTimeCodeDivision) {
  const MidiFile f = read("timecode25.mid");
  EXPECT_EQ(f.smpteFramesPerSecond, 25u);
  EXPECT_EQ(f.ticksPerFrame, 40u);
  EXPECT_EQ(f.ticksPerQuarter, 0u);
}

TEST(MidiFile, RunningStatusByteByByte) {
  // Two note-ons, the second without its status byte; then a data byte after a meta event,
  // which cancels running status.
  MidiFile f;
  std::string error;
  auto ok = oneTrack({0, 0x91, 60, 100, 10, 62, 0, 0, 0xFF, 0x2F, 0});
  ASSERT_TRUE(parseMidiFile(ok.data(), ok.size(), f, error)) << error;
  ASSERT_EQ(f.messages.size(), 2u);
  EXPECT_EQ(f.messages[1].tick, 10u);
  EXPECT_EQ(f.messages[1].bytes[0], 0x81) << "running note-on with velocity 0 is a note-off";
  EXPECT_EQ(f.messages[1].bytes[1], 62);

  EXPECT_NE(parseError(oneTrack({0, 0x90, 60, 100, 0, 0xFF, 0x01, 0, 0, 60, 100}))
                .find("without a status"),
            std::string::npos);
}

TEST(MidiFile, SkipsSystemExclusiveAndUnknownChunks) {
  auto bytes = oneTrack({0, 0xF0, 3, 1, 2, 0xF7, 5, 0x90, 60, 1, 0, 0xFF, 0x2F, 0});
  const std::vector<uint8_t> alien = {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 9, 9};
  bytes.insert(bytes.begin() + 14, alien.begin(), alien.end());
  MidiFile f;
  std::string error;
  ASSERT_TRUE(parseMidiFile(bytes.data(), bytes.size(), f, error)) << error;
  ASSERT_EQ(f.messages.size(), 1u);
  EXPECT_EQ(f.messages[0].tick, 5u);
}

TEST(MidiFile, RefusesFilesThatAreNotMidi) {
  EXPECT_NE(parseError({'R', 'I', 'F', 'F', 0, 0, 0, 0}).find("not a Standard MIDI File"),
            std::string::npos);
  EXPECT_NE(parseError({}).find("not a Standard MIDI File"), std::string::npos);
  MidiFile f;
  std::string error;
  EXPECT_FALSE(readMidiFile(testfiles::data("no-such-file.mid"), f, error));
  EXPECT_NE(error.find("no-such-file.mid"), std::string::npos);
}

TEST(MidiFile, RefusesBrokenHeaders) {
  auto format2 = oneTrack({0, 0xFF, 0x2F, 0}, 2);
  EXPECT_NE(parseError(format2).find("format 2"), std::string::npos);
  auto noTracks = oneTrack({0, 0xFF, 0x2F, 0});
  noTracks[11] = 0;
  EXPECT_NE(parseError(noTracks).find("no tracks"), std::string::npos);
  auto zeroDivision = oneTrack({0, 0xFF, 0x2F, 0});
  zeroDivision[13] = 0;
  EXPECT_NE(parseError(zeroDivision).find("0 ticks"), std::string::npos);
  auto badTimeCode = oneTrack({0, 0xFF, 0x2F, 0});
  badTimeCode[12] = 0xE0;  // -32 frames per second
  EXPECT_NE(parseError(badTimeCode).find("time-code"), std::string::npos);
  EXPECT_NE(parseError({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}).find("ends inside the header"),
            std::string::npos);
}

TEST(MidiFile, RefusesBrokenTracks) {
  auto missing = oneTrack({0, 0xFF, 0x2F, 0});
  missing[11] = 2;  // declares a second track that is not there
  EXPECT_NE(parseError(missing).find("declares 2 tracks but holds 1"), std::string::npos);

  auto cut = oneTrack({0, 0x90, 60, 100, 0, 0xFF, 0x2F, 0});
  cut.resize(cut.size() - 3);
  EXPECT_NE(parseError(cut).find("declares 8 bytes"), std::string::npos);

  EXPECT_NE(parseError(oneTrack({0x80, 0x80, 0x80, 0x80, 0x00})).find("longer than four"),
            std::string::npos);
  EXPECT_NE(parseError(oneTrack({0, 0x90, 60})).find("ends inside"), std::string::npos);
  EXPECT_NE(parseError(oneTrack({0, 0x90, 60, 0x90})).find("status byte inside"),
            std::string::npos);
  EXPECT_NE(parseError(oneTrack({0, 0xF8})).find("system message 0xF8"), std::string::npos);
  EXPECT_NE(parseError(oneTrack({0, 0xFF, 0x51, 3, 0, 0, 0})).find("tempo of 0"),
            std::string::npos);
  EXPECT_NE(parseError(oneTrack({0, 0xFF, 0x51, 2, 1, 1})).find("tempo event of 2 bytes"),
            std::string::npos);
  EXPECT_NE(parseError(oneTrack({0, 0xF0, 10, 1, 2})).find("system-exclusive"), std::string::npos);
}

TEST(MidiFile, StopsAtEndOfTrackAndToleratesItsAbsence) {
  MidiFile f;
  std::string error;
  auto trailing = oneTrack({0, 0x90, 60, 1, 0, 0xFF, 0x2F, 0, 0, 0x90, 61, 1});
  ASSERT_TRUE(parseMidiFile(trailing.data(), trailing.size(), f, error)) << error;
  EXPECT_EQ(f.messages.size(), 1u) << "events after the end of track are not played";
  auto unterminated = oneTrack({0, 0x90, 60, 1, 7, 0x80, 60, 0});
  ASSERT_TRUE(parseMidiFile(unterminated.data(), unterminated.size(), f, error)) << error;
  EXPECT_EQ(f.messages.size(), 2u);
  EXPECT_EQ(f.endTick, 7u);
}

}  // namespace
