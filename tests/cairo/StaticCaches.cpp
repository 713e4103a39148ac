// Empties cairo's and fontconfig's process-wide caches when the tests end, so that the leak
// checker of the sanitizer build reports only what the tests themselves leave behind.
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace {

class StaticCaches : public ::testing::Environment {
 public:
  void TearDown() override {
    cairo_debug_reset_static_data();
    FcFini();
  }
};

const auto* const kStaticCaches = ::testing::AddGlobalTestEnvironment(new StaticCaches);

}  // namespace
