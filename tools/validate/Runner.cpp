// Running the battery: one child process per check, a line per check, a summary at the end.
#include "tools/validate/Runner.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "tools/host/CrashGuard.h"
#include "tools/validate/CheckContext.h"
#include "tools/validate/CheckList.h"
#include "tools/validate/ChildProcess.h"
#include "tools/validate/ResultFile.h"
#include "tools/validate/TextFormat.h"

#if defined(_WIN32)
#include <process.h>
#define currentProcessId _getpid
#else
#include <unistd.h>
#define currentProcessId getpid
#endif

namespace {

constexpr const char* kProgramName = "brisalonde-validate";
constexpr const char* kLoadCheck = "lifecycle.load";
constexpr int kExitPassed = 0;
constexpr int kExitFailed = 1;
constexpr int kExitCrashed = 3;

struct Tally {
  int passed = 0;
  int failed = 0;
  int skipped = 0;
};

std::string scratchPath(int index, const char* suffix) {
  std::error_code ignored;
  const auto folder = std::filesystem::temp_directory_path(ignored);
  const std::string name =
      textf("brisalonde-validate-%d-%d.%s", static_cast<int>(currentProcessId()), index, suffix);
  return (folder / name).string();
}

// The verdict of one finished (or killed) child, as the word and the explanation of its line.
struct Line {
  const char* word;
  std::string detail;
};

Line judge(const ChildOutcome& outcome, const CheckReport& report, const std::string& logPath,
           double timeoutSeconds) {
  const std::string where = report.lastStep.empty() ? "" : " (at: " + report.lastStep + ")";
  if (!outcome.started) return {"FAIL", outcome.error};
  if (outcome.timedOut)
    return {"FAIL", textf("hung: no verdict within %.0f s", timeoutSeconds) + where};
  const bool cleanExit = !outcome.signalled && outcome.status == 0;
  if (!report.complete || !cleanExit) {
    const std::string logged = explainLog(logPath);
    std::string why = outcome.signalled ? textf("ended by signal %d", outcome.status)
                                        : textf("the process ended with status %d", outcome.status);
    if (logged.find("crashed") != std::string::npos)
      why = logged;
    else if (!logged.empty())
      why += ", last output: " + logged;
    if (report.complete && report.verdict == "fail" && !report.failures.empty())
      why = report.failures.front() + "; then " + why;
    return {"FAIL", why + (report.complete ? "" : where)};
  }
  if (report.verdict == "fail") {
    std::string detail = report.failures.empty() ? "failed" : report.failures.front();
    if (report.failureCount > 1) detail += textf(" (and %d more)", report.failureCount - 1);
    return {"FAIL", detail};
  }
  if (report.verdict == "skip") return {"SKIP", report.skipReason};
  return {"PASS", report.notes.empty() ? "" : report.notes.front()};
}

void printVerbose(const CheckReport& report, const std::string& logPath) {
  for (const std::string& note : report.notes)
    std::printf("      note: %s\n", note.c_str());
  for (size_t i = 1; i < report.failures.size(); ++i)
    std::printf("      also: %s\n", report.failures[i].c_str());
  const std::string log = readWholeFile(logPath);
  if (!log.empty()) std::printf("      output:\n%s\n", log.c_str());
}

}  // namespace

int runChecks(const ValidateOptions& options) {
  const std::string self = ownExecutablePath();
  const auto start = std::chrono::steady_clock::now();
  Tally tally;
  int index = 0;
  for (const CheckInfo& check : allChecks()) {
    if (!selected(check, options.only) && check.name != std::string(kLoadCheck)) continue;
    if (check.minStrictness > options.strictness) continue;
    if (!applies(check, options.pluginPath)) continue;
    const std::string resultPath = scratchPath(index, "result");
    const std::string logPath = scratchPath(index++, "log");
    const ChildOutcome outcome = runChild(self, childArguments(options, check.name, resultPath),
                                          logPath, options.timeoutSeconds);
    const CheckReport report = readCheckReport(resultPath);
    const Line line = judge(outcome, report, logPath, options.timeoutSeconds);
    std::printf("%s  %-34s %6.2f s  %s\n", line.word, check.name, outcome.seconds,
                line.detail.c_str());
    if (options.verbose) printVerbose(report, logPath);
    std::fflush(stdout);
    std::error_code ignored;
    std::filesystem::remove(resultPath, ignored);
    std::filesystem::remove(logPath, ignored);

    const std::string word = line.word;
    if (word == "PASS") ++tally.passed;
    if (word == "SKIP") ++tally.skipped;
    if (word == "FAIL") {
      ++tally.failed;
      if (check.name == std::string(kLoadCheck)) {
        std::printf("%s: the plug-in cannot be loaded and opened; nothing else was checked\n",
                    kProgramName);
        break;
      }
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%s: %s at strictness %d, seed %llu, %.1f s\n", kProgramName,
              options.pluginPath.c_str(), options.strictness,
              static_cast<unsigned long long>(options.seed), seconds);
  std::printf("validate: %d passed, %d failed, %d skipped\n", tally.passed, tally.failed,
              tally.skipped);
  return tally.failed > 0 ? kExitFailed : kExitPassed;
}

int runOneCheck(const ValidateOptions& options) {
  const CheckInfo* check = findCheck(options.runCheck);
  if (check == nullptr) {
    std::fprintf(stderr, "%s: no check named %s\n", kProgramName, options.runCheck.c_str());
    return kExitFailed;
  }
  crashguard::install(kProgramName, kExitCrashed);
  crashguard::setPlugin(options.pluginPath.c_str());
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> result(
      std::fopen(options.resultPath.c_str(), "wb"), std::fclose);
  if (!result) {
    std::fprintf(stderr, "%s: cannot write %s\n", kProgramName, options.resultPath.c_str());
    return kExitFailed;
  }
  PluginModule module;
  CheckContext context(check->name, module, options.strictness, options.seed, result.get());
  context.step("loading the plug-in");
  if (!module.load(options.pluginPath)) {
    context.fail(module.error());
  } else {
    check->run(context);
    context.step("unloading the plug-in");
    crashguard::Stage stage("unloading the plug-in");
    module.unload();
  }
  context.finish();
  return kExitPassed;
}
