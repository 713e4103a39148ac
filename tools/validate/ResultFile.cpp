// Reading a check process's result file and log.
#include "tools/validate/ResultFile.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

bool startsWith(const std::string& line, const char* prefix, std::string& rest) {
  const std::string p = std::string(prefix) + " ";
  if (line.compare(0, p.size(), p) != 0) return false;
  rest = line.substr(p.size());
  return true;
}

}  // namespace

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

CheckReport readCheckReport(const std::string& resultPath) {
  CheckReport report;
  std::istringstream lines(readWholeFile(resultPath));
  std::string line, rest;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (startsWith(line, "step", rest)) {
      report.lastStep = rest;
    } else if (startsWith(line, "note", rest)) {
      report.notes.push_back(rest);
    } else if (startsWith(line, "fail", rest)) {
      report.failures.push_back(rest);
    } else if (startsWith(line, "verdict", rest)) {
      report.complete = true;
      const size_t space = rest.find(' ');
      report.verdict = rest.substr(0, space);
      const std::string detail = space == std::string::npos ? "" : rest.substr(space + 1);
      if (report.verdict == "skip") report.skipReason = detail;
      if (report.verdict == "fail") report.failureCount = std::atoi(detail.c_str());
    }
  }
  return report;
}

std::string explainLog(const std::string& logPath) {
  static const char* const kHeadlines[] = {
      "crashed",        "ThreadSanitizer:", "AddressSanitizer:",
      "LeakSanitizer:", "runtime error:",   "terminate called"};
  std::istringstream lines(readWholeFile(logPath));
  std::string line, last;
  while (std::getline(lines, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
      line.pop_back();
    if (line.empty()) continue;
    for (const char* headline : kHeadlines)
      if (line.find(headline) != std::string::npos) return line;
    last = line;
  }
  return last;
}
