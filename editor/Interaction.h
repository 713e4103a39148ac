// The mouse half of the editor: hit-testing per skin and the handlers that turn presses,
// drags, double-clicks and wheel turns into edits reported to the host.
#pragma once

#include <cstdint>

struct EditorWindow;
class WindowPort;

// The control under (x, y) in this skin: parameters 0..13 and 15 (Legato has its switch),
// or -1.
int32_t hitTestControl(int32_t x, int32_t y, int32_t skin);
// The skin segment (0..2) of the appearance bar or the program button (0..4) under (x, y),
// or -1.
int32_t hitTestSkinSegment(int32_t x, int32_t y);
int32_t hitTestProgram(int32_t x, int32_t y);
bool hitLegatoSwitch(int32_t x, int32_t y);

// Client coordinates; `shift` is the fine-adjustment modifier.
void onButtonDown(EditorWindow& editor, WindowPort& window, int32_t x, int32_t y, bool shift);
void onMouseMove(EditorWindow& editor, WindowPort& window, int32_t y, bool shift);
void onButtonUp(EditorWindow& editor, WindowPort& window);
void onCaptureChanged(EditorWindow& editor);
void onDoubleClick(EditorWindow& editor, WindowPort& window, int32_t x, int32_t y);
// Screen coordinates, converted through the window; `delta` in wheel units (120 a notch).
void onWheel(EditorWindow& editor, WindowPort& window, int32_t screenX, int32_t screenY,
             int32_t delta, bool shift);
void onTimer(EditorWindow& editor, WindowPort& window);
// Ends a drag in progress when the editor closes: the host gets its end-edit first.
void endDragOnClose(EditorWindow& editor, WindowPort& window);
