// What a check process leaves behind for the parent: its result file (progress, notes,
// failures and verdict, one per line) and its log of standard output and error.
#pragma once

#include <string>
#include <vector>

struct CheckReport {
  bool complete = false;  // a verdict line was written
  std::string verdict;    // "pass", "fail" or "skip"
  std::string skipReason;
  int failureCount = 0;
  std::vector<std::string> failures;
  std::vector<std::string> notes;
  std::string lastStep;
};

CheckReport readCheckReport(const std::string& resultPath);

// The line of a child's log that best explains an abnormal end: a crash report or a
// sanitizer's headline, else the last line that is not empty.
std::string explainLog(const std::string& logPath);
std::string readWholeFile(const std::string& path);
