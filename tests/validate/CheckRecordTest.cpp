// What a check process writes and the parent reads back: verdicts, failures, notes, the
// last progress mark, and the line that explains a crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/render/TestFiles.h"
#include "tools/validate/CheckContext.h"
#include "tools/validate/ResultFile.h"

namespace {

using testfiles::scratch;  // one file per test case: ctest runs the cases in parallel

CheckReport runAndRead(void (*body)(CheckContext&)) {
  const std::string path = scratch("result");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  PluginModule module;
  CheckContext context("group.check", module, 5, 1, file);
  body(context);
  context.finish();
  std::fclose(file);
  CheckReport report = readCheckReport(path);
  std::filesystem::remove(path);
  return report;
}

TEST(CheckRecord, FailuresWinOverSkipsAndAreCounted) {
  const CheckReport report = runAndRead([](CheckContext& c) {
    c.step("first step");
    c.note("a figure");
    c.skip("does not apply");
    c.expect(true, "never shown");
    c.fail("first fault");
    c.expect(false, "second fault");
  });
  ASSERT_TRUE(report.complete);
  EXPECT_EQ(report.verdict, "fail");
  EXPECT_EQ(report.failureCount, 2);
  ASSERT_EQ(report.failures.size(), 2u);
  EXPECT_EQ(report.failures[0], "first fault");
  EXPECT_EQ(report.notes, (std::vector<std::string>{"a figure"}));
  EXPECT_EQ(report.lastStep, "first step");
}

TEST(CheckRecord, SkipKeepsItsReasonAndPassIsPlain) {
  const CheckReport skipped = runAndRead([](CheckContext& c) { c.skip("no editor"); });
  EXPECT_EQ(skipped.verdict, "skip");
  EXPECT_EQ(skipped.skipReason, "no editor");
  const CheckReport passed = runAndRead([](CheckContext&) {});
  EXPECT_EQ(passed.verdict, "pass");
}

TEST(CheckRecord, MultiLineTextStaysOnOneLine) {
  const CheckReport report = runAndRead([](CheckContext& c) { c.fail("line one\nline two"); });
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0], "line one line two");
}

TEST(CheckRecord, AProcessThatDiedLeavesNoVerdict) {
  const std::string path = scratch("result");
  std::ofstream(path) << "step sending 4097 events\nfail something\n";
  const CheckReport report = readCheckReport(path);
  std::filesystem::remove(path);
  EXPECT_FALSE(report.complete);
  EXPECT_EQ(report.lastStep, "sending 4097 events");
}

TEST(CheckRecord, TheCrashLineExplainsTheLogEvenWhenMoreFollows) {
  const std::string path = scratch("log");
  std::ofstream(path) << "plug-in chatter\nbrisalonde-validate: the plug-in x.so crashed "
                         "(segmentation fault) in effSetChunk\nmore chatter\n\n";
  EXPECT_NE(explainLog(path).find("crashed (segmentation fault) in effSetChunk"),
            std::string::npos);
  std::ofstream(path) << "first\nlast words\n";
  EXPECT_EQ(explainLog(path), "last words");
  std::filesystem::remove(path);
}

TEST(CheckContextAmounts, ScaleFromGentleToHardest) {
  PluginModule module;
  CheckContext gentle("a", module, 1, 1, nullptr);
  CheckContext middle("a", module, 5, 1, nullptr);
  CheckContext hardest("a", module, 10, 1, nullptr);
  EXPECT_EQ(gentle.scaled(2, 20), 2);
  EXPECT_EQ(middle.scaled(2, 20), 10);
  EXPECT_EQ(hardest.scaled(2, 20), 20);
}

TEST(CheckContextRandom, RepeatsForASeedAndDiffersBetweenChecks) {
  PluginModule module;
  CheckContext first("audio.x", module, 5, 42, nullptr);
  CheckContext again("audio.x", module, 5, 42, nullptr);
  CheckContext other("audio.y", module, 5, 42, nullptr);
  CheckContext reseeded("audio.x", module, 5, 43, nullptr);
  const uint64_t a = first.random()();
  EXPECT_EQ(a, again.random()());
  EXPECT_NE(a, other.random()());
  EXPECT_NE(a, reseeded.random()());
}

}  // namespace
