// Test file locations, from the definitions the build gives.
#include "tests/render/TestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "gtest/gtest.h"

namespace testfiles {

std::string data(const std::string& name) {
  return std::string(RENDER_TEST_DATA) + "/" + name;
}

std::string scratch(const std::string& suffix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name() + "." + suffix;
  for (char& c : name)
    if (c == '/') c = '_';  // parameterized tests have slashes in their names
  const std::string path = std::string(RENDER_TEST_SCRATCH) + "/" + name;
  std::remove(path.c_str());
  return path;
}

std::string readText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void setEnvironment(const char* name, const std::string& value) {
#if defined(_WIN32)
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

}  // namespace testfiles
