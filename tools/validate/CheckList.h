// The battery: every check with its name, the lowest strictness it runs at, and a line
// saying what it proves.
#pragma once

#include <string>
#include <vector>

class CheckContext;

// The plug-in formats, as a set of bits: which formats a check is given to.
enum PluginFormat : unsigned { kVst2 = 1u << 0, kVst3 = 1u << 1, kLv2 = 1u << 2 };
constexpr unsigned kEveryFormat = kVst2 | kVst3 | kLv2;

struct CheckInfo {
  const char* name;  // group.check
  int minStrictness;
  void (*run)(CheckContext&);
  const char* purpose;
  // A format that lacks or forbids what the check does (VST 3 and LV2 have no accumulating
  // entry and no audio without activation, LV2 no double precision, no parameter texts, no
  // editor in the DSP binary) is not given the check at all: on it the check would only test
  // the bridge that puts the plug-in behind the VST 2 record.
  unsigned formats = kEveryFormat;
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
// The format of the plug-in at `path`, by its name.
PluginFormat formatOf(const std::string& path);
// Whether a check applies to the plug-in at `path` (by its format).
bool applies(const CheckInfo& check, const std::string& path);
// Whether a check is selected by --only prefixes (all when there are none).
bool selected(const CheckInfo& check, const std::vector<std::string>& prefixes);
