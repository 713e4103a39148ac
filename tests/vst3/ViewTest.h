// The VST 3 build's editor view as a host gets it, on any window system: the bundle loaded,
// an instance made and its controller asked for the "editor" view, with the host's edit
// calls counted.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/formats/FormatDrivers.h"
#include "tools/host/Vst3Plugin.h"
#include "vst3/Vst3View.h"

class Vst3ViewTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.load(vst3BundlePath())) << module.error();
    ASSERT_TRUE(plugin.create(module)) << plugin.error();
    view = plugin.controller()->createView("editor");
    ASSERT_NE(view, nullptr);
  }
  void TearDown() override {
    if (view != nullptr) view->release();
    plugin.close();
  }
  // How many of the host's edit calls were of one kind.
  int count(char kind) {
    const auto& calls = plugin.handler().calls;
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const auto& c) { return c.kind == kind; }));
  }

  Vst3Module module;
  Vst3Plugin plugin;
  vst3::IPlugView* view = nullptr;
};
