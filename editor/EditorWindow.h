// The record of one open editor, owned by its instance through `editor`. Each platform's
// window extends it with its own handles; the interaction logic needs only this part.
#pragma once

#include <cstdint>

class EditorLink;

struct EditorWindow {
  EditorLink* owner;       // the instance the editor belongs to; never null
  int32_t activeParam;     // the parameter being dragged, -1 when no drag
  int32_t dragAnchorY;     // client y of the last processed drag position
  double dragAnchorValue;  // unquantized value belonging to dragAnchorY
};
