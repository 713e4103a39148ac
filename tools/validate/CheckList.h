// The battery: every check with its name, the lowest strictness it runs at, and a line
// saying what it proves.
#pragma once

#include <string>
#include <vector>

class CheckContext;

struct CheckInfo {
  const char* name;  // group.check
  int minStrictness;
  void (*run)(CheckContext&);
  const char* purpose;
  // Behaviour only the VST 2 interface has (an accumulating entry, blocks above the announced
  // size, audio without resume, host callbacks): VST 3 forbids or lacks it, so VST 3 bundles
  // are not given the check at all.
  bool vst2Only = false;
};
using CheckTable = std::vector<CheckInfo>;

// Each group adds its checks.
void addLifecycleChecks(CheckTable& table);
void addAudioChecks(CheckTable& table);
void addDenormalCheck(CheckTable& table);
void addEventChecks(CheckTable& table);
void addParameterChecks(CheckTable& table);
void addStateChecks(CheckTable& table);
void addThreadChecks(CheckTable& table);
void addRealtimeChecks(CheckTable& table);
void addEditorChecks(CheckTable& table);

const CheckTable& allChecks();
const CheckInfo* findCheck(const std::string& name);
// Whether a check applies to the plug-in at `path` (by its format).
bool applies(const CheckInfo& check, const std::string& path);
// Whether a check is selected by --only prefixes (all when there are none).
bool selected(const CheckInfo& check, const std::vector<std::string>& prefixes);
