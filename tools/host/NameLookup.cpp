// Parameter and program lookup by number or name.
#include "tools/host/NameLookup.h"

#include <cctype>
#include <functional>
#include <vector>

namespace {

std::string lowered(const std::string& text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool isNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

// The one rule for both kinds, most certain first: a number in range; a name equal to what
// was typed (ignoring case); the longest name that what was typed begins with (a name the
// plug-in shortened); a name that begins with what was typed. More than one at the same
// level is ambiguous.
NameMatch findByName(const std::string& kind, const std::string& wanted, int32_t count,
                     const std::function<std::string(int32_t)>& nameOf) {
  NameMatch match;
  if (isNumber(wanted)) {
    const int32_t index = std::stoi(wanted);
    if (index < count)
      match.index = index;
    else
      match.error =
          "there is no " + kind + " " + wanted + " (the plug-in has " + std::to_string(count) + ")";
    return match;
  }
  const std::string key = lowered(wanted);
  std::vector<std::string> names;
  std::vector<int32_t> exact, shortened, longer;
  size_t longestShortened = 0;
  for (int32_t i = 0; i < count; ++i) {
    names.push_back(nameOf(i));
    const std::string name = lowered(names.back());
    if (name.empty()) continue;
    if (name == key) {
      exact.push_back(i);
    } else if (startsWith(key, name) && name.size() >= longestShortened) {
      if (name.size() > longestShortened) shortened.clear();
      longestShortened = name.size();
      shortened.push_back(i);
    } else if (startsWith(name, key)) {
      longer.push_back(i);
    }
  }
  const std::vector<int32_t>& found = !exact.empty()       ? exact
                                      : !shortened.empty() ? shortened
                                                           : longer;
  if (found.size() == 1) {
    match.index = found.front();
  } else if (found.empty()) {
    match.error = "the plug-in has no " + kind + " named \"" + wanted + "\"";
  } else {
    match.error = "the " + kind + " name \"" + wanted + "\" is ambiguous:";
    for (int32_t i : found) {
      // Appended piece by piece: GCC 12 misreports a chain of + here as overlapping copies.
      match.error += ' ';
      match.error += std::to_string(i);
      match.error += " \"";
      match.error += names[static_cast<size_t>(i)];
      match.error += '"';
    }
    match.error += "; give its number instead";
  }
  return match;
}

}  // namespace

NameMatch findParameter(HostedPlugin& plugin, const std::string& name) {
  const int32_t count = plugin.isOpen() ? plugin.effect()->numParams : 0;
  return findByName("parameter", name, count, [&](int32_t i) { return plugin.parameterName(i); });
}

NameMatch findProgram(HostedPlugin& plugin, const std::string& name) {
  const int32_t count = plugin.isOpen() ? plugin.effect()->numPrograms : 0;
  return findByName("program", name, count, [&](int32_t i) { return plugin.programName(i); });
}

NameMatch findParameter(Vst3Plugin& plugin, const std::string& name) {
  const int32_t count = plugin.identity().numParams;
  return findByName("parameter", name, count, [&](int32_t i) { return plugin.parameterName(i); });
}

NameMatch findProgram(Vst3Plugin& plugin, const std::string& name) {
  const int32_t count = plugin.identity().numPrograms;
  return findByName("program", name, count, [&](int32_t i) { return plugin.programName(i); });
}
