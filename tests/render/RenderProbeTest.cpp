// Renders through the probe instrument, which logs what it receives and marks each note-on
// and each block start in its audio: event timing to the frame, the host's order of calls,
// settings, state files, and the errors a render can meet.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "gtest/gtest.h"
#include "tests/render/TestFiles.h"
#include "tests/render/WavFile.h"
#include "tools/host/NameLookup.h"
#include "tools/render/Render.h"

namespace {

// Frames of the note-ons in timing.mid at 44100 Hz, and their notes.
const std::vector<std::pair<size_t, int>> kNoteOns = {
    {0, 60}, {46, 61}, {368, 62}, {22050, 64}, {44100, 65}, {55125, 67}, {66150, 69}, {110250, 71}};
constexpr uint64_t kLastEventFrame = 111169;  // tick 2410
constexpr uint64_t kProbeTail = 4800;

RenderOptions probeOptions(const std::string& midi = "timing.mid") {
  RenderOptions o;
  o.pluginPath = PROBE_PLUGIN;
  o.midiPath = testfiles::data(midi);
  o.outputPath = testfiles::scratch("wav");
  o.sampleRate = 44100;
  o.format = SampleFormat::Float32;
  o.quiet = true;
  return o;
}

// Renders with the probe's log switched on; returns the log's lines.
std::vector<std::string> renderLogged(const RenderOptions& o, RenderSummary& summary,
                                      std::string& error, bool& ok) {
  const std::string logPath = testfiles::scratch("log");
  testfiles::setEnvironment("BRISALONDE_PROBE_LOG", logPath);
  ok = renderMidiFile(o, summary, error);
  testfiles::setEnvironment("BRISALONDE_PROBE_LOG", "");
  std::vector<std::string> lines;
  std::string text = testfiles::readText(logPath), line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  return lines;
}

WavFile renderAudio(const RenderOptions& o) {
  RenderSummary summary;
  std::string error;
  EXPECT_TRUE(renderMidiFile(o, summary, error)) << error;
  WavFile wav;
  EXPECT_TRUE(readWavFile(o.outputPath, wav));
  return wav;
}

size_t indexOf(const std::vector<std::string>& lines, const std::string& wanted) {
  return static_cast<size_t>(std::find(lines.begin(), lines.end(), wanted) - lines.begin());
}

bool exists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file != nullptr) std::fclose(file);
  return file != nullptr;
}

std::string failure(const RenderOptions& o) {
  RenderSummary summary;
  std::string error;
  EXPECT_FALSE(renderMidiFile(o, summary, error));
  EXPECT_FALSE(exists(o.outputPath)) << "a failed render leaves no output file";
  EXPECT_FALSE(exists(o.outputPath + ".part"));
  return error;
}

TEST(RenderProbe, NoteOnsLandOnTheFramesOfTheirTicks) {
  const WavFile wav = renderAudio(probeOptions());
  ASSERT_EQ(wav.channels, 2);
  EXPECT_EQ(wav.sampleRate, 44100u);
  std::vector<std::pair<size_t, int>> found;
  for (size_t j = 0; j < wav.frames(); ++j)
    if (wav.samples[0][j] != 0.0)
      found.emplace_back(j, static_cast<int>(wav.samples[0][j] * 128.0 + 0.5));
  EXPECT_EQ(found, kNoteOns);
}

TEST(RenderProbe, BlockSizeDoesNotMoveEvents) {
  for (int32_t block : {1, 100, 4096}) {
    RenderOptions o = probeOptions();
    o.blockSize = block;
    const WavFile wav = renderAudio(o);
    for (const auto& [frame, note] : kNoteOns)
      EXPECT_EQ(wav.samples[0][frame], note / 128.0) << "block " << block << " frame " << frame;
    size_t blockStarts = 0;
    for (size_t j = 0; j < wav.frames(); ++j) {
      blockStarts += wav.samples[1][j] != 0.0;
      if (wav.samples[1][j] != 0.0) {
        EXPECT_EQ(j % static_cast<size_t>(block), 0u) << j;
      }
    }
    EXPECT_EQ(blockStarts, (wav.frames() + block - 1) / block);
  }
}

TEST(RenderProbe, FailedRenderKeepsAnEarlierOutput) {
  RenderOptions o = probeOptions();
  RenderSummary summary;
  std::string error;
  ASSERT_TRUE(renderMidiFile(o, summary, error)) << error;
  EXPECT_FALSE(exists(o.outputPath + ".part"));
  const std::string earlier = testfiles::readText(o.outputPath);
  o.program = "Delta";
  EXPECT_FALSE(renderMidiFile(o, summary, error));
  EXPECT_EQ(testfiles::readText(o.outputPath), earlier);
}

TEST(RenderProbe, LengthIsLastEventPlusTail) {
  RenderOptions o = probeOptions();
  RenderSummary summary;
  std::string error;
  ASSERT_TRUE(renderMidiFile(o, summary, error)) << error;
  EXPECT_EQ(summary.frames, kLastEventFrame + 1 + kProbeTail) << "the probe reports its tail";
  EXPECT_EQ(summary.tailSource, TailSource::Plugin);
  EXPECT_EQ(summary.eventCount, 20u);
  EXPECT_EQ(summary.channels, 2);
  EXPECT_DOUBLE_EQ(summary.peak, 1.0) << "the block markers";
  o.tailSeconds = 0.5;
  ASSERT_TRUE(renderMidiFile(o, summary, error)) << error;
  EXPECT_EQ(summary.frames, kLastEventFrame + 1 + 22050);
  WavFile wav;
  ASSERT_TRUE(readWavFile(o.outputPath, wav));
  EXPECT_EQ(wav.frames(), summary.frames);
}

TEST(RenderProbe, DrivesThePluginInTheHostsOrder) {
  RenderSummary summary;
  std::string error;
  bool ok = false;
  const auto log = renderLogged(probeOptions(), summary, error, ok);
  ASSERT_TRUE(ok) << error;
  const std::vector<std::string> setup = {"open",        "rate 44100", "block 512",
                                          "precision 0", "mains 1",    "start"};
  ASSERT_GE(log.size(), setup.size());
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 6), setup);
  const std::vector<std::string> shutdown = {"stop", "mains 0", "close"};
  EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()), shutdown);
  // Every batch of events comes just before a processing call, and fits inside its block.
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].rfind("misplaced", 0), std::string::npos) << log[i];
    if (log[i].rfind("events ", 0) != 0) continue;
    size_t next = i + 1;
    while (next < log.size() && log[next].rfind("event ", 0) == 0)
      ++next;
    ASSERT_LT(next, log.size());
    EXPECT_EQ(log[next].rfind("process ", 0), 0u) << "line " << next;
  }
}

TEST(RenderProbe, TransportFollowsTheTempoMap) {
  RenderSummary summary;
  std::string error;
  bool ok = false;
  const auto log = renderLogged(probeOptions(), summary, error, ok);
  ASSERT_TRUE(ok) << error;
  EXPECT_LT(indexOf(log, "time 120.000 0.000"), log.size());
  size_t tempoChanges = 0;
  std::string previous;
  for (const std::string& line : log)
    if (line.rfind("time ", 0) == 0) {
      const std::string tempo = line.substr(5, line.find(' ', 5) - 5);
      tempoChanges += !previous.empty() && tempo != previous;
      previous = tempo;
    }
  EXPECT_EQ(tempoChanges, 2u) << "120, then 240, then 60 per minute";
  EXPECT_EQ(previous, "60.000");
}

TEST(RenderProbe, AppliesProgramThenParametersWhileSuspended) {
  RenderOptions o = probeOptions();
  o.program = "beta";
  o.settings = {{"Gain", "5", false}, {"Colour", "0.25", true}};
  RenderSummary summary;
  std::string error;
  bool ok = false;
  const auto log = renderLogged(o, summary, error, ok);
  ASSERT_TRUE(ok) << error;
  const size_t program = indexOf(log, "program 1"), text = indexOf(log, "text 0 0.5000"),
               set = indexOf(log, "set 2 0.2500"), resume = indexOf(log, "mains 1");
  EXPECT_LT(program, text);
  EXPECT_LT(text, set);
  EXPECT_LT(set, resume);
  EXPECT_LT(resume, log.size());
  EXPECT_EQ(summary.program, 1);
  EXPECT_EQ(summary.programName, "Beta");
}

TEST(RenderProbe, FindsParametersAndProgramsByNumberNameOrBeginning) {
  PluginModule module;
  ASSERT_TRUE(module.load(PROBE_PLUGIN)) << module.error();
  HostedPlugin plugin;
  ASSERT_TRUE(plugin.create(module)) << plugin.error();
  // The probe shortens its names to seven characters, as VST 2 plug-ins often do.
  EXPECT_EQ(findParameter(plugin, "Gain").index, 0) << "an exact name wins over longer ones";
  EXPECT_EQ(findParameter(plugin, "gain TR").index, 1);
  EXPECT_EQ(findParameter(plugin, "Gain trim").index, 1) << "the longest shortened name wins";
  EXPECT_EQ(findParameter(plugin, "Col").index, 2);
  EXPECT_EQ(findParameter(plugin, "2").index, 2);
  const NameMatch ambiguous = findParameter(plugin, "Gai");
  EXPECT_EQ(ambiguous.index, -1);
  EXPECT_NE(ambiguous.error.find("ambiguous: 0 \"Gain\" 1 \"Gain tr\""), std::string::npos)
      << ambiguous.error;
  EXPECT_NE(findParameter(plugin, "Nope").error.find("no parameter named \"Nope\""),
            std::string::npos);
  EXPECT_NE(findParameter(plugin, "3").error.find("no parameter 3"), std::string::npos);
  EXPECT_EQ(findProgram(plugin, "GAMMA").index, 2);
  EXPECT_NE(findProgram(plugin, "7").error.find("no program 7"), std::string::npos);
}

TEST(RenderProbe, SavesAndRestoresTheStateChunk) {
  RenderOptions save = probeOptions();
  save.program = "2";
  save.settings = {{"Colour", "0.75", true}};
  save.saveState = testfiles::scratch("state");
  RenderSummary summary;
  std::string error;
  ASSERT_TRUE(renderMidiFile(save, summary, error)) << error;
  const std::string state = testfiles::readText(save.saveState);
  ASSERT_EQ(state.size(), 20u);
  EXPECT_EQ(state.substr(0, 4), "PROB");

  RenderOptions load = probeOptions();
  load.loadState = save.saveState;
  bool ok = false;
  const auto log = renderLogged(load, summary, error, ok);
  ASSERT_TRUE(ok) << error;
  EXPECT_LT(indexOf(log, "chunk"), indexOf(log, "mains 1"));
  EXPECT_EQ(summary.programName, "Gamma");

  load.outputPath = testfiles::scratch("failed.wav");
  load.loadState = testfiles::data("timing.mid");
  EXPECT_NE(failure(load).find("rejected the state in"), std::string::npos);
  load.loadState = testfiles::scratch("absent-state");
  EXPECT_NE(failure(load).find("cannot read the state file"), std::string::npos);
}

TEST(RenderProbe, DoublePrecisionPlaysTheSameEvents) {
  RenderOptions o = probeOptions();
  o.precision = Precision::Double;
  RenderSummary summary;
  std::string error;
  bool ok = false;
  const auto log = renderLogged(o, summary, error, ok);
  ASSERT_TRUE(ok) << error;
  EXPECT_LT(indexOf(log, "precision 1"), log.size());
  WavFile wav;
  ASSERT_TRUE(readWavFile(o.outputPath, wav));
  for (const auto& [frame, note] : kNoteOns)
    EXPECT_EQ(wav.samples[0][frame], note / 128.0);
}

TEST(RenderProbe, LoadsPluginsThatExportOnlyTheOlderEntryName) {
  RenderOptions o = probeOptions();
  o.pluginPath = PROBE_LEGACY_PLUGIN;
  const WavFile wav = renderAudio(o);
  EXPECT_EQ(wav.samples[0][46], 61 / 128.0);
}

TEST(RenderProbe, HandsOverManyEventsOfOneBlockInSeveralCalls) {
  // 1500 note-ons and 1500 note-offs at tick 0, written here since they are many.
  std::vector<uint8_t> track;
  for (int on = 1; on >= 0; --on)
    for (int i = 0; i < 1500; ++i) {
      const uint8_t bytes[] = {0, static_cast<uint8_t>((on ? 0x90 : 0x80) | (i % 16)),
                               static_cast<uint8_t>(i % 128), 64};
      track.insert(track.end(), bytes, bytes + 4);
    }
  const uint8_t end[] = {0, 0xFF, 0x2F, 0};
  track.insert(track.end(), end, end + 4);
  std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0,  0,   0,   6,   0,
                               0,   0,   1,   0,   96, 'M', 'T', 'r', 'k'};
  for (int shift = 24; shift >= 0; shift -= 8)
    file.push_back(static_cast<uint8_t>(track.size() >> shift));
  file.insert(file.end(), track.begin(), track.end());
  RenderOptions o = probeOptions();
  o.midiPath = testfiles::scratch("mid");
  std::FILE* f = std::fopen(o.midiPath.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);

  RenderSummary summary;
  std::string error;
  bool ok = false;
  const auto log = renderLogged(o, summary, error, ok);
  ASSERT_TRUE(ok) << error;
  std::vector<std::string> calls;
  size_t events = 0;
  for (const std::string& line : log) {
    if (line.rfind("process", 0) == 0) break;
    if (line.rfind("events ", 0) == 0) calls.push_back(line);
    events += line.rfind("event ", 0) == 0;
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"events 1024", "events 1024", "events 952"}));
  EXPECT_EQ(events, 3000u);
}

TEST(RenderProbe, FailuresNameTheFileAndTheReason) {
  RenderOptions o = probeOptions();
  o.pluginPath = PROBE_REFUSING_PLUGIN;
  std::string error = failure(o);
  EXPECT_NE(error.find(PROBE_REFUSING_PLUGIN), std::string::npos) << error;
  EXPECT_NE(error.find("refused to start"), std::string::npos) << error;

  o = probeOptions();
  o.pluginPath = testfiles::scratch("absent.so");
  error = failure(o);
  EXPECT_NE(error.find("cannot load " + o.pluginPath), std::string::npos) << error;

  o = probeOptions();
  o.pluginPath = testfiles::data("timing.mid");  // a file, but no binary
  EXPECT_NE(failure(o).find("cannot load"), std::string::npos);

  o = probeOptions("absent.mid");
  EXPECT_NE(failure(o).find("cannot read the MIDI file"), std::string::npos);

  o = probeOptions();
  o.midiPath = PROBE_PLUGIN;
  error = failure(o);
  EXPECT_NE(error.find("not a Standard MIDI File"), std::string::npos) << error;

  o = probeOptions();
  o.outputPath = testfiles::scratch("folder") + "/out.wav";
  error = failure(o);
  EXPECT_NE(error.find("cannot write " + o.outputPath), std::string::npos) << error;

  o = probeOptions();
  o.saveState = testfiles::scratch("folder") + "/state.bin";
  EXPECT_NE(failure(o).find("cannot write the state file"), std::string::npos);

  o = probeOptions();
  o.maxSeconds = 2.0;
  EXPECT_NE(failure(o).find("would last 2.6 s"), std::string::npos);

  o = probeOptions();
  o.settings = {{"Gain", "eleven", false}};
  EXPECT_NE(failure(o).find("did not accept the text \"eleven\""), std::string::npos);
  o.settings = {{"Loudness", "1", false}};
  EXPECT_NE(failure(o).find("no parameter named \"Loudness\""), std::string::npos);
  o.settings = {};
  o.program = "Delta";
  EXPECT_NE(failure(o).find("no program named \"Delta\""), std::string::npos);
}

}  // namespace
