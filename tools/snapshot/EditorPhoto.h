// What brisalonde-snapshot needs of the platform: a host window in which the plug-in opens
// its editor, and the pixels the editor painted there.
#pragma once

#include <cstdint>
#include <string>

#include "editor/WindowSize.h"
#include "plugin/vst2.h"
#include "tools/snapshot/Capture.h"

struct PressPoint {
  bool held = false;  // hold the mouse button down here while the picture is taken
  int32_t x = 0;
  int32_t y = 0;
};

// Opens the editor in a window of its own, lets it paint, reads the picture back and closes
// the editor. False with `error` set when any step fails.
bool photographEditor(AEffect* effect, const PressPoint& press, Capture& out, std::string& error);

// The plug-in binary beside this program.
std::string defaultPluginPath();
