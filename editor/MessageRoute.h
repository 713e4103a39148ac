// Routing of the editor window's messages to the interaction handlers. Painting and the
// default window procedure stay with the platform; everything else is decided here.
#pragma once

#include <cstdint>

struct EditorWindow;
class WindowPort;

// Window message numbers the editor answers.
constexpr uint32_t kMessagePaint = 0x000F;
constexpr uint32_t kMessageEraseBackground = 0x0014;
constexpr uint32_t kMessageTimer = 0x0113;
constexpr uint32_t kMessageMouseMove = 0x0200;
constexpr uint32_t kMessageButtonDown = 0x0201;
constexpr uint32_t kMessageButtonUp = 0x0202;
constexpr uint32_t kMessageDoubleClick = 0x0203;
constexpr uint32_t kMessageWheel = 0x020A;
constexpr uint32_t kMessageCaptureChanged = 0x0215;

constexpr uintptr_t kShiftKeyFlag = 0x0004;

struct RouteResult {
  enum class Kind : uint8_t { Handled, Paint, Default };
  Kind kind;
  intptr_t result;
};

// Decodes the message's coordinates (signed 16-bit words of lParam), Shift flag and wheel
// delta and calls the matching handler. WM_PAINT comes back as Paint, unknown messages as
// Default (the platform's default procedure answers them).
RouteResult routeMessage(EditorWindow& editor, WindowPort& window, uint32_t message,
                         uintptr_t wParam, intptr_t lParam);

// lParam as window messages pack a point: x in the low word, y in the high word.
constexpr intptr_t packPoint(int32_t x, int32_t y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                               static_cast<uint32_t>(x & 0xFFFF));
}
