// Writes the bundle's Resources/moduleinfo.json from the plug-in's own identity tables, so
// that hosts which read it before loading the module see what the factory reports.
#include <cstdio>
#include <string>

#include "vst3/PluginIds.h"
#include "vst3/Vst3Factory.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.json\n", argv[0]);
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  using namespace brisalonde_vst3;
  // The class id as hosts print it: the four words in hexadecimal, on every platform.
  char cid[33];
  std::snprintf(cid, sizeof cid, "%08X%08X%08X%08X", kClassIdWords[0], kClassIdWords[1],
                kClassIdWords[2], kClassIdWords[3]);
  // "A|B" becomes ["A", "B"].
  std::string subCategories = "[\"";
  for (const char* c = kSubCategories; *c != '\0'; ++c)
    subCategories += *c == '|' ? std::string("\", \"") : std::string(1, *c);
  subCategories += "\"]";
  std::fprintf(out,
               "{\n"
               "  \"Name\": \"%s\",\n"
               "  \"Version\": \"%s\",\n"
               "  \"Factory Info\": {\n"
               "    \"Vendor\": \"%s\",\n"
               "    \"URL\": \"%s\",\n"
               "    \"E-Mail\": \"%s\",\n"
               "    \"Flags\": {\n"
               "      \"Unicode\": true,\n"
               "      \"Classes Discardable\": false,\n"
               "      \"Component Non Discardable\": false\n"
               "    }\n"
               "  },\n"
               "  \"Compatibility\": [],\n"
               "  \"Classes\": [\n"
               "    {\n"
               "      \"CID\": \"%s\",\n"
               "      \"Category\": \"%s\",\n"
               "      \"Name\": \"%s\",\n"
               "      \"Vendor\": \"%s\",\n"
               "      \"Version\": \"%s\",\n"
               "      \"SDKVersion\": \"%s\",\n"
               "      \"Sub Categories\": %s,\n"
               "      \"Class Flags\": 0,\n"
               "      \"Cardinality\": %d,\n"
               "      \"Snapshots\": []\n"
               "    }\n"
               "  ]\n"
               "}\n",
               kClassName, kVersion, kVendor, kUrl, kEmail, cid, vst3::kAudioModuleClass,
               kClassName, kVendor, kVersion, kSdkVersion, subCategories.c_str(),
               vst3::kManyInstances);
  return std::fclose(out) == 0 ? 0 : 1;
}
