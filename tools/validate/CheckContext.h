// What one check works with while it runs in its own process: the loaded plug-in, the
// strictness and the seeded random source, and the record of its findings, which goes to
// the result file that the parent process reads.
#pragma once

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tools/host/PluginModule.h"

enum class Verdict { Pass, Fail, Skip };

class CheckContext {
 public:
  // `result` may be null (findings are then only kept in memory).
  CheckContext(const std::string& name, PluginModule& module, int strictness, uint64_t seed,
               std::FILE* result);

  const std::string& name() const { return name_; }
  PluginModule& module() { return module_; }

  int strictness() const { return strictness_; }
  bool atLeast(int level) const { return strictness_ >= level; }
  // An amount that grows with the strictness: `gentle` at 1, `hardest` at 10.
  int64_t scaled(int64_t gentle, int64_t hardest) const;

  // Random values, repeatable for a seed and distinct for each check.
  std::mt19937_64& random() { return random_; }
  double uniform();                               // [0, 1)
  int32_t uniformInt(int32_t low, int32_t high);  // [low, high]

  // A progress mark, written through at once so that a hang can say where it happened.
  void step(const std::string& what);
  // A measurement reported with the verdict.
  void note(const std::string& text);
  // Records a failure; the check goes on unless it returns. Returns `ok`.
  bool expect(bool ok, const std::string& failure);
  void fail(const std::string& failure);
  // The check does not apply to this plug-in; recorded unless it already failed.
  void skip(const std::string& reason);

  bool failed() const { return !failures_.empty(); }
  Verdict verdict() const;
  const std::vector<std::string>& failures() const { return failures_; }
  const std::vector<std::string>& notes() const { return notes_; }
  // Writes the verdict to the result file; the last thing a check process does.
  void finish();

 private:
  void write(const char* kind, const std::string& text);

  std::string name_;
  PluginModule& module_;
  int strictness_;
  std::mt19937_64 random_;
  std::FILE* result_;
  std::vector<std::string> failures_;
  std::vector<std::string> notes_;
  std::string skipReason_;
};
