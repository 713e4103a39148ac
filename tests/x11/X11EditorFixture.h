// The fixture of the tests that only the Linux editor has: a session of the test host on the
// display the tests run on, for each test.
#pragma once

#include "tests/x11/X11Session.h"

class X11EditorTest : public ::testing::Test, protected X11Session {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }
  void TearDown() override { stop(); }
};
