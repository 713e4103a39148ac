// The render tool's command line: accepted forms, ranges, and the faults it names.
#include "gtest/gtest.h"
#include "tools/render/RenderOptions.h"

namespace {

RenderOptions parse(std::vector<std::string> args) {
  RenderOptions options;
  std::string error;
  EXPECT_TRUE(parseRenderOptions(args, options, error)) << error;
  return options;
}

std::string refusal(std::vector<std::string> args) {
  RenderOptions options;
  std::string error;
  EXPECT_FALSE(parseRenderOptions(args, options, error));
  return error;
}

TEST(RenderOptions, DefaultsNeedOnlyTheTwoFiles) {
  const RenderOptions o = parse({"in.mid", "out.wav"});
  EXPECT_EQ(o.midiPath, "in.mid");
  EXPECT_EQ(o.outputPath, "out.wav");
  EXPECT_TRUE(o.pluginPath.empty());
  EXPECT_EQ(o.sampleRate, 48000u);
  EXPECT_EQ(o.blockSize, 512);
  EXPECT_EQ(o.precision, Precision::Single);
  EXPECT_EQ(o.format, SampleFormat::Int24);
  EXPECT_FALSE(o.tailSeconds.has_value());
  EXPECT_FALSE(o.quiet);
}

TEST(RenderOptions, ReadsEveryOptionInBothSpellings) {
  const RenderOptions o = parse({"-p",
                                 "x.so",
                                 "--rate=44100",
                                 "-b",
                                 "64",
                                 "--program",
                                 "Bass",
                                 "--load-state",
                                 "a.bin",
                                 "--save-state=b.bin",
                                 "-s",
                                 "Attack=250",
                                 "--set-normalized",
                                 "Vibrato depth=0.25",
                                 "--precision",
                                 "double",
                                 "-f",
                                 "float",
                                 "--tail",
                                 "0.5",
                                 "--max-length",
                                 "60",
                                 "-q",
                                 "in.mid",
                                 "out.wav"});
  EXPECT_EQ(o.pluginPath, "x.so");
  EXPECT_EQ(o.sampleRate, 44100u);
  EXPECT_EQ(o.blockSize, 64);
  EXPECT_EQ(o.program, "Bass");
  EXPECT_EQ(o.loadState, "a.bin");
  EXPECT_EQ(o.saveState, "b.bin");
  ASSERT_EQ(o.settings.size(), 2u);
  EXPECT_EQ(o.settings[0].name, "Attack");
  EXPECT_EQ(o.settings[0].value, "250");
  EXPECT_FALSE(o.settings[0].normalized);
  EXPECT_EQ(o.settings[1].name, "Vibrato depth");
  EXPECT_TRUE(o.settings[1].normalized);
  EXPECT_EQ(o.precision, Precision::Double);
  EXPECT_EQ(o.format, SampleFormat::Float32);
  EXPECT_DOUBLE_EQ(*o.tailSeconds, 0.5);
  EXPECT_DOUBLE_EQ(o.maxSeconds, 60.0);
  EXPECT_TRUE(o.quiet);
  EXPECT_EQ(parse({"-f", "16", "a", "b"}).format, SampleFormat::Int16);
  EXPECT_EQ(parse({"--", "-odd.mid", "b"}).midiPath, "-odd.mid");
}

TEST(RenderOptions, ListAndHelpNeedNoFiles) {
  EXPECT_TRUE(parse({"--list"}).list);
  EXPECT_TRUE(parse({"-h"}).help);
  EXPECT_NE(refusal({"--list", "x.mid"}).find("no files"), std::string::npos);
}

TEST(RenderOptions, RefusesNumbersOutOfRangeOrWithTrailingText) {
  EXPECT_NE(refusal({"--rate", "7999", "a", "b"}).find("--rate needs"), std::string::npos);
  EXPECT_NE(refusal({"--rate", "768001", "a", "b"}).find("--rate"), std::string::npos);
  EXPECT_NE(refusal({"--rate", "48k", "a", "b"}).find("\"48k\""), std::string::npos);
  EXPECT_NE(refusal({"--rate", "44100.5", "a", "b"}).find("--rate"), std::string::npos);
  EXPECT_NE(refusal({"--block", "0", "a", "b"}).find("--block"), std::string::npos);
  EXPECT_NE(refusal({"--block", "65537", "a", "b"}).find("--block"), std::string::npos);
  EXPECT_NE(refusal({"--tail", "-1", "a", "b"}).find("--tail"), std::string::npos);
  EXPECT_NE(refusal({"--tail", "nan", "a", "b"}).find("--tail"), std::string::npos);
  EXPECT_NE(refusal({"--max-length", "0", "a", "b"}).find("--max-length"), std::string::npos);
  EXPECT_NE(refusal({"--set-normalized", "Attack=1.5", "a", "b"}).find("0 to 1"),
            std::string::npos);
}

TEST(RenderOptions, RefusesMalformedArguments) {
  EXPECT_NE(refusal({"--bogus", "a", "b"}).find("unknown option --bogus"), std::string::npos);
  EXPECT_NE(refusal({"a", "b", "--rate"}).find("--rate needs"), std::string::npos);
  EXPECT_NE(refusal({"--set", "Attack", "a", "b"}).find("NAME=VALUE"), std::string::npos);
  EXPECT_NE(refusal({"--set", "=5", "a", "b"}).find("NAME=VALUE"), std::string::npos);
  EXPECT_NE(refusal({"--set", "Attack=", "a", "b"}).find("NAME=VALUE"), std::string::npos);
  EXPECT_NE(refusal({"--precision", "half", "a", "b"}).find("single or double"), std::string::npos);
  EXPECT_NE(refusal({"--format", "8", "a", "b"}).find("16, 24 or float"), std::string::npos);
  EXPECT_NE(refusal({"--quiet=yes", "a", "b"}).find("takes no value"), std::string::npos);
  EXPECT_NE(refusal({"in.mid"}).find("give a MIDI file and an output"), std::string::npos);
  EXPECT_NE(refusal({"a", "b", "c"}).find("too many files: c"), std::string::npos);
}

}  // namespace
