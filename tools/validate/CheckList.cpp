// The battery in the order it runs: cheap checks of the basics first.
#include "tools/validate/CheckList.h"

#include "tools/host/PluginModule.h"

const CheckTable& allChecks() {
  static const CheckTable table = [] {
    CheckTable t;
    addLifecycleChecks(t);
    addAudioChecks(t);
    addDenormalCheck(t);
    addEventChecks(t);
    addParameterChecks(t);
    addStateChecks(t);
    addThreadChecks(t);
    addRealtimeChecks(t);
    addEditorChecks(t);
    return t;
  }();
  return table;
}

const CheckInfo* findCheck(const std::string& name) {
  for (const CheckInfo& check : allChecks())
    if (name == check.name) return &check;
  return nullptr;
}

bool selected(const CheckInfo& check, const std::vector<std::string>& prefixes) {
  if (prefixes.empty()) return true;
  const std::string name = check.name;
  for (const std::string& prefix : prefixes)
    if (name.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

PluginFormat formatOf(const std::string& path) {
  if (namesVst3Module(path)) return kVst3;
  if (namesLv2Bundle(path)) return kLv2;
  return kVst2;
}

bool applies(const CheckInfo& check, const std::string& path) {
  return (check.formats & formatOf(path)) != 0;
}
