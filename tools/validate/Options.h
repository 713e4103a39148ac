// The validator's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ValidateOptions {
  static constexpr int kMinStrictness = 1;
  static constexpr int kMaxStrictness = 10;
  static constexpr int kDefaultStrictness = 5;
  static constexpr double kDefaultTimeoutSeconds = 120.0;

  std::string pluginPath;
  uint64_t seed = 0;
  bool seedGiven = false;
  int strictness = kDefaultStrictness;
  double timeoutSeconds = kDefaultTimeoutSeconds;  // per check, before it counts as a hang
  std::vector<std::string> only;                   // name prefixes; empty runs every check
  bool list = false;
  bool verbose = false;  // also print each check's measurements and progress notes
  bool help = false;

  // Internal: the child process that runs one check and writes its verdict to a file.
  std::string runCheck;
  std::string resultPath;
};

// False with `error` set when the command line is not understood.
bool parseValidateOptions(const std::vector<std::string>& args, ValidateOptions& options,
                          std::string& error);
std::string validateUsage();

// The arguments that make a child process run `check` with the same settings.
std::vector<std::string> childArguments(const ValidateOptions& options, const std::string& check,
                                        const std::string& resultPath);
