// Message decoding for the editor window.
#include "editor/MessageRoute.h"

#include "editor/Interaction.h"

namespace {

int32_t lowWord(uintptr_t bits) {
  return static_cast<int16_t>(bits & 0xFFFF);
}
int32_t highWord(uintptr_t bits) {
  return static_cast<int16_t>((bits >> 16) & 0xFFFF);
}

}  // namespace

RouteResult routeMessage(EditorWindow& editor, WindowPort& window, uint32_t message,
                         uintptr_t wParam, intptr_t lParam) {
  const uintptr_t point = static_cast<uintptr_t>(lParam);
  const int32_t x = lowWord(point);
  const int32_t y = highWord(point);
  const bool shift = (wParam & kShiftKeyFlag) != 0;
  switch (message) {
    case kMessagePaint:
      return {RouteResult::Kind::Paint, 0};
    case kMessageEraseBackground:
      return {RouteResult::Kind::Handled, 1};
    case kMessageTimer:
      onTimer(editor, window);
      break;
    case kMessageMouseMove:
      onMouseMove(editor, window, y, shift);
      break;
    case kMessageButtonDown:
      onButtonDown(editor, window, x, y, shift);
      break;
    case kMessageButtonUp:
      onButtonUp(editor, window);
      break;
    case kMessageDoubleClick:
      onDoubleClick(editor, window, x, y);
      break;
    case kMessageWheel:
      onWheel(editor, window, x, y, highWord(wParam), shift);
      break;
    case kMessageCaptureChanged:
      onCaptureChanged(editor);
      break;
    default:
      return {RouteResult::Kind::Default, 0};
  }
  return {RouteResult::Kind::Handled, 0};
}
