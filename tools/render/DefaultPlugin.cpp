// Finding the program's own folder and the instrument binary next to it.
#include "tools/render/DefaultPlugin.h"

#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#include <climits>
#endif

namespace {

#if defined(_WIN32)
constexpr const char* kPluginFileName = "Brisalonde.dll";
constexpr char kSeparators[] = "\\/";
#else
constexpr const char* kPluginFileName = "Brisalonde.so";
constexpr char kSeparators[] = "/";
#endif

std::string programFolder() {
#if defined(_WIN32)
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path, length);
#else
  char path[PATH_MAX + 1] = {};
  const ssize_t length = readlink("/proc/self/exe", path, PATH_MAX);
  std::string text(path, length > 0 ? static_cast<size_t>(length) : 0);
#endif
  const size_t slash = text.find_last_of(kSeparators);
  return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
}

bool exists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace

std::string defaultPluginPath() {
  const std::string folder = programFolder();
  if (!folder.empty() && exists(folder + kPluginFileName)) return folder + kPluginFileName;
#if defined(BRISALONDE_BUILT_PLUGIN)
  if (exists(BRISALONDE_BUILT_PLUGIN)) return BRISALONDE_BUILT_PLUGIN;
#endif
  return {};
}
