// The record of one open editor, owned by its instance through `editor`. The platform's
// handles are kept as opaque pointers so that the interaction logic builds everywhere.
#pragma once

#include <cstdint>

struct PluginInstance;

struct EditorWindow {
  PluginInstance* owner;
  void* labelFont;        // "Segoe UI" 13 px: captions, values, text lines
  void* titleFont;        // "Segoe UI" 36 px bold: the Original title
  void* backgroundBrush;  // the Original background colour
  uintptr_t gdiplusTokenA;
  uintptr_t gdiplusTokenB;
  void* window;
  int32_t activeParam;     // the parameter being dragged, -1 when no drag
  int32_t dragAnchorY;     // client y of the last processed drag position
  double dragAnchorValue;  // unquantized value belonging to dragAnchorY
  void* smallFont;         // "Segoe UI" 11 px: appearance bar and Legato switch
};
