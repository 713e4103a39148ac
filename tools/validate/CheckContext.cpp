// Recording a check's findings.
#include "tools/validate/CheckContext.h"

#include <algorithm>

#include "tools/validate/Options.h"

namespace {

constexpr size_t kMaxRecordedFailures = 8;

// Mixes the run's seed with the check's name, so that checks draw independent numbers and a
// check draws the same numbers whichever other checks run.
uint64_t checkSeed(uint64_t seed, const std::string& name) {
  uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : name)
    hash = (hash ^ c) * 1099511628211ull;
  uint64_t z = seed + hash + 0x9e3779b97f4a7c15ull;  // splitmix64 finaliser
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

}  // namespace

CheckContext::CheckContext(const std::string& name, PluginModule& module, int strictness,
                           uint64_t seed, std::FILE* result)
    : name_(name),
      module_(module),
      strictness_(strictness),
      random_(checkSeed(seed, name)),
      result_(result) {}

int64_t CheckContext::scaled(int64_t gentle, int64_t hardest) const {
  const int64_t span = ValidateOptions::kMaxStrictness - ValidateOptions::kMinStrictness;
  return gentle + (hardest - gentle) * (strictness_ - ValidateOptions::kMinStrictness) / span;
}

double CheckContext::uniform() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

int32_t CheckContext::uniformInt(int32_t low, int32_t high) {
  return std::uniform_int_distribution<int32_t>(low, high)(random_);
}

void CheckContext::write(const char* kind, const std::string& text) {
  if (result_ == nullptr) return;
  std::string line = text;
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::fprintf(result_, "%s %s\n", kind, line.c_str());
  std::fflush(result_);
}

void CheckContext::step(const std::string& what) {
  write("step", what);
}

void CheckContext::note(const std::string& text) {
  notes_.push_back(text);
  write("note", text);
}

bool CheckContext::expect(bool ok, const std::string& failure) {
  if (!ok) fail(failure);
  return ok;
}

void CheckContext::fail(const std::string& failure) {
  if (failures_.size() < kMaxRecordedFailures) write("fail", failure);
  failures_.push_back(failure);
}

void CheckContext::skip(const std::string& reason) {
  if (skipReason_.empty()) skipReason_ = reason;
}

Verdict CheckContext::verdict() const {
  if (failed()) return Verdict::Fail;
  return skipReason_.empty() ? Verdict::Pass : Verdict::Skip;
}

void CheckContext::finish() {
  switch (verdict()) {
    case Verdict::Fail:
      write("verdict", "fail " + std::to_string(failures_.size()));
      break;
    case Verdict::Skip:
      write("verdict", "skip " + skipReason_);
      break;
    case Verdict::Pass:
      write("verdict", "pass");
      break;
  }
}
