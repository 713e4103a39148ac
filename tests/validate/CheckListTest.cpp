// The battery's table: names that --only and the child processes can rely on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tools/validate/CheckList.h"
#include "tools/validate/Options.h"

namespace {

TEST(CheckList, NamesAreUniqueGroupDotNameAndFindable) {
  std::set<std::string> names;
  for (const CheckInfo& check : allChecks()) {
    const std::string name = check.name;
    EXPECT_TRUE(names.insert(name).second) << "twice: " << name;
    EXPECT_NE(name.find('.'), std::string::npos) << name;
    EXPECT_EQ(name.find(' '), std::string::npos) << name;
    EXPECT_EQ(findCheck(name), &check);
    EXPECT_GE(check.minStrictness, ValidateOptions::kMinStrictness);
    EXPECT_LE(check.minStrictness, ValidateOptions::kMaxStrictness);
  }
  EXPECT_EQ(findCheck("audio"), nullptr);
  EXPECT_EQ(std::string(allChecks().front().name), "lifecycle.load");  // loads before the rest
}

TEST(CheckList, OnlySelectsByNamePrefix) {
  const CheckInfo* tail = findCheck("audio.tail-silence");
  ASSERT_NE(tail, nullptr);
  EXPECT_TRUE(selected(*tail, {}));
  EXPECT_TRUE(selected(*tail, {"threads", "audio"}));
  EXPECT_TRUE(selected(*tail, {"audio.tail-silence"}));
  EXPECT_FALSE(selected(*tail, {"audio.tail-silence-long"}));
  EXPECT_FALSE(selected(*tail, {"events"}));
}

TEST(CheckList, FormatsAreToldByThePathsName) {
  EXPECT_EQ(formatOf("out/bin/Brisalonde.so"), kVst2);
  EXPECT_EQ(formatOf("C:\\Plugins\\Brisalonde.dll"), kVst2);
  EXPECT_EQ(formatOf("out/bin/Brisalonde.vst3/"), kVst3);
  EXPECT_EQ(formatOf("out/bin/Brisalonde.lv2/"), kLv2);
  EXPECT_EQ(formatOf("out/bin/Brisalonde.lv2"), kLv2);
}

// VST 2 takes the whole battery; the other formats leave out what they lack.
TEST(CheckList, EachFormatIsGivenTheChecksThatApplyToIt) {
  const auto given = [](const char* check, const std::string& path) {
    const CheckInfo* info = findCheck(check);
    EXPECT_NE(info, nullptr) << check;
    return info != nullptr && applies(*info, path);
  };
  for (const CheckInfo& check : allChecks())
    EXPECT_TRUE(applies(check, "Brisalonde.so")) << check.name;
  EXPECT_FALSE(given("audio.adding-accumulates", "Brisalonde.vst3"));
  EXPECT_TRUE(given("audio.precisions-agree", "Brisalonde.vst3"));
  EXPECT_TRUE(given("editor.open-close", "Brisalonde.vst3"));
  for (const char* kept :
       {"lifecycle.panic", "audio.sample-rates", "audio.block-sizes", "events.onsets",
        "state.bad-chunks", "threads.programs-and-states", "realtime.no-allocation"})
    EXPECT_TRUE(given(kept, "Brisalonde.lv2")) << kept;
  for (const char* left :
       {"lifecycle.process-unresumed", "audio.adding-accumulates", "audio.precisions-agree",
        "params.text-bounds", "editor.open-close", "realtime.no-host-callback"})
    EXPECT_FALSE(given(left, "Brisalonde.lv2")) << left;
}

}  // namespace
