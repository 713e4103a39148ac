// The editor as a VST 3 view on Windows (under wine): the Win32 editor in a host's HWND,
// served by its own timer and window messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "editor/WindowSize.h"
#include "tests/vst3/ViewTest.h"
#include "tools/snapshot/HostWindow.h"

namespace {

constexpr wchar_t kEditorClass[] = L"BrisalondeMultiSkinVST2_110";

LPARAM at(int x, int y) {
  return MAKELPARAM(x, y);
}

class EditorViewWin32 : public Vst3ViewTest {
 protected:
  HostWindow frame{kWindowWidth, kWindowHeight};
};

TEST_F(EditorViewWin32, ShowsTheEditorInTheHostWindow) {
  EXPECT_EQ(view->isPlatformTypeSupported("HWND"), vst3::kResultTrue);
  EXPECT_EQ(view->isPlatformTypeSupported("X11EmbedWindowID"), vst3::kResultFalse);
  EXPECT_EQ(view->removed(), vst3::kResultFalse);
  ASSERT_EQ(view->attached(frame.handle(), "HWND"), vst3::kResultOk);
  EXPECT_EQ(view->attached(frame.handle(), "HWND"), vst3::kResultFalse);
  pumpMessages(200);
  int editors = 0;
  HWND editor = findChildOfClass(frame.handle(), kEditorClass, &editors);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editors, 1);
  RECT client{};
  GetClientRect(editor, &client);
  EXPECT_EQ(client.right, 860);
  EXPECT_EQ(client.bottom, 530);

  // A drag on the first knob, and the view closed during it.
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at(73, 215));
  SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, at(73, 195));
  pumpMessages(50);
  EXPECT_EQ(count('b'), 1);
  EXPECT_GT(count('p'), 0);
  EXPECT_EQ(view->removed(), vst3::kResultOk);
  EXPECT_EQ(count('e'), 1);
  pumpMessages(50);
  EXPECT_EQ(findChildOfClass(frame.handle(), kEditorClass), nullptr);
}

}  // namespace
