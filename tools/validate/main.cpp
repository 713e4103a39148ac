// brisalonde-validate: a headless validator for VST 2 instruments, VST 3 bundles and LV2
// bundles. It drives a plug-in the ways hosts do, including the unusual ones, and reports what
// breaks.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/validate/CheckList.h"
#include "tools/validate/Options.h"
#include "tools/validate/Runner.h"

namespace {

constexpr int kExitUsage = 2;

void listChecks() {
  for (const CheckInfo& check : allChecks())
    std::printf("%-34s %2d  %s\n", check.name, check.minStrictness, check.purpose);
}

}  // namespace

int main(int argc, char** argv) {
  ValidateOptions options;
  std::string error;
  if (!parseValidateOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "brisalonde-validate: %s\n%s", error.c_str(), validateUsage().c_str());
    return kExitUsage;
  }
  if (options.help) {
    std::fputs(validateUsage().c_str(), stdout);
    return 0;
  }
  if (options.list) {
    listChecks();
    return 0;
  }
  if (!options.runCheck.empty()) return runOneCheck(options);
  if (!options.seedGiven)
    options.seed = static_cast<uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count() % 1000000007);
  return runChecks(options);
}
