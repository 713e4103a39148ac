// The validator's command line, and the arguments it hands to its check processes.
#include <gtest/gtest.h>

#include "tools/validate/Options.h"

namespace {

bool parse(std::vector<std::string> args, ValidateOptions& options, std::string& error) {
  return parseValidateOptions(args, options, error);
}

TEST(ValidateOptions, StrictnessOutsideOneToTenIsRefused) {
  for (const char* level : {"0", "11", "-3", "five", ""}) {
    ValidateOptions options;
    std::string error;
    EXPECT_FALSE(parse({"--strictness", level, "p.so"}, options, error)) << level;
    EXPECT_NE(error.find("--strictness"), std::string::npos);
  }
  ValidateOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--strictness", "10", "p.so"}, options, error)) << error;
  EXPECT_EQ(options.strictness, 10);
}

TEST(ValidateOptions, SeedMustBeAWholeNumber) {
  ValidateOptions options;
  std::string error;
  EXPECT_FALSE(parse({"--seed", "12x", "p.so"}, options, error));
  ASSERT_TRUE(parse({"--seed", "18446744073709551615", "p.so"}, options, error)) << error;
  EXPECT_EQ(options.seed, 18446744073709551615ull);
  EXPECT_TRUE(options.seedGiven);
}

TEST(ValidateOptions, OnlyTakesACommaSeparatedListWithoutEmptyNames) {
  ValidateOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--only", "audio,,threads.param", "p.so"}, options, error)) << error;
  EXPECT_EQ(options.only, (std::vector<std::string>{"audio", "threads.param"}));
}

TEST(ValidateOptions, MissingValuesUnknownOptionsAndSecondPluginAreErrors) {
  ValidateOptions options;
  std::string error;
  EXPECT_FALSE(parse({"p.so", "--seed"}, options, error));
  EXPECT_NE(error.find("needs a value"), std::string::npos);
  EXPECT_FALSE(parse({"--loud", "p.so"}, options, error));
  EXPECT_NE(error.find("--loud"), std::string::npos);
  ValidateOptions two;
  EXPECT_FALSE(parse({"a.so", "b.so"}, two, error));
  ValidateOptions none;
  EXPECT_FALSE(parse({}, none, error));
  ValidateOptions list;
  EXPECT_TRUE(parse({"--list"}, list, error));
}

TEST(ValidateOptions, ChildArgumentsCarryTheSettingsOfTheRun) {
  ValidateOptions options;
  std::string error;
  ASSERT_TRUE(
      parse({"--seed", "99", "--strictness", "3", "--only", "audio", "/x/p y.so"}, options, error));
  ValidateOptions child;
  ASSERT_TRUE(parse(childArguments(options, "audio.tail-silence", "/tmp/r"), child, error))
      << error;
  EXPECT_EQ(child.runCheck, "audio.tail-silence");
  EXPECT_EQ(child.resultPath, "/tmp/r");
  EXPECT_EQ(child.seed, 99u);
  EXPECT_EQ(child.strictness, 3);
  EXPECT_EQ(child.pluginPath, "/x/p y.so");
}

}  // namespace
