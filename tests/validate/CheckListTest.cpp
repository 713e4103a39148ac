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

}  // namespace
