// What only the Windows editor has to get right in the real DLL's window (under wine with a
// display): its window class and styles, the refresh timer of a reopened window, the class
// shared by two instances, and a failed open that undoes everything it made. The scenarios
// every window shares are in EditorScenarios.cpp. Idle ticks paint nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/editor/Win32HostFrames.h"
#include "tests/host/TestHost.h"
#include "tools/host/ImportTable.h"
#include "tools/snapshot/HostWindow.h"

namespace {

constexpr wchar_t kEditorClass[] = L"BrisalondeMultiSkinVST2_110";

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host, nullptr) << "no window: the wine tests need a display";
    testhost::calls().clear();
  }

  HWND open(TestPlugin& plugin, HWND parent) {
    EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, parent), 1);
    return findChildOfClass(parent, kEditorClass);
  }

  HWND host = win32HostFrame(0);
};

TEST_F(EditorWindowTest, OpensAChildOfTheDoubleClickClass) {
  TestPlugin plugin;
  HWND editor = open(plugin, host);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetParent(editor), host);
  EXPECT_TRUE(GetWindowLongW(editor, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(GetClassLongW(editor, GCL_STYLE) & CS_DBLCLKS);
  plugin.dispatch(effEditClose);
  EXPECT_FALSE(IsWindow(editor));
}

TEST_F(EditorWindowTest, ReopenedWindowRunsTheOneRefreshTimer) {
  TestPlugin plugin;
  HWND first = open(plugin, host);
  ASSERT_NE(first, nullptr);
  HWND second = open(plugin, host);
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(KillTimer(second, 1)) << "the new window runs the refresh timer";
  SetTimer(second, 1, 100, nullptr);
  plugin.dispatch(effEditClose);
}

TEST_F(EditorWindowTest, TheClassStaysWhileAnotherInstancesEditorLives) {
  TestPlugin a;
  TestPlugin b;
  HWND editorA = open(a, host);
  HWND editorB = open(b, win32HostFrame(1));
  ASSERT_NE(editorA, nullptr);
  ASSERT_NE(editorB, nullptr);
  a.dispatch(effEditClose);
  WNDCLASSW info;
  EXPECT_TRUE(GetClassInfoW(reinterpret_cast<HINSTANCE>(GetClassLongPtrW(editorB, GCLP_HMODULE)),
                            kEditorClass, &info));
  b.dispatch(effEditClose);
}

// What a failing editor open made and undid, seen through stand-ins for the system calls
// that the plug-in binary makes: GDI objects made and deleted, and the GDI+ start-ups, the
// first of which fails and leaves its token at 0.
struct OpenLedger {
  std::vector<HGDIOBJ> made;
  std::vector<HGDIOBJ> deleted;
  int startups = 0;
  std::vector<ULONG_PTR> startedTokens;
  std::vector<ULONG_PTR> shutDownTokens;
};
OpenLedger ledger;

using GdiplusStartupCall = int(WINAPI*)(ULONG_PTR*, const void*, void*);
using GdiplusShutdownCall = void(WINAPI*)(ULONG_PTR);
decltype(&CreateFontA) realCreateFontA;
decltype(&CreateSolidBrush) realCreateSolidBrush;
decltype(&DeleteObject) realDeleteObject;
GdiplusStartupCall realGdiplusStartup;
GdiplusShutdownCall realGdiplusShutdown;

HFONT WINAPI countedCreateFontA(int height, int width, int escapement, int orientation, int weight,
                                DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                                DWORD precision, DWORD clip, DWORD quality, DWORD pitch,
                                LPCSTR face) {
  HFONT font = realCreateFontA(height, width, escapement, orientation, weight, italic, underline,
                               strikeOut, charSet, precision, clip, quality, pitch, face);
  ledger.made.push_back(font);
  return font;
}
HBRUSH WINAPI countedCreateSolidBrush(COLORREF colour) {
  HBRUSH brush = realCreateSolidBrush(colour);
  ledger.made.push_back(brush);
  return brush;
}
BOOL WINAPI countedDeleteObject(HGDIOBJ object) {
  ledger.deleted.push_back(object);
  return realDeleteObject(object);
}
int WINAPI firstFailsGdiplusStartup(ULONG_PTR* token, const void* input, void* output) {
  if (++ledger.startups == 1) return 1;  // GenericError, token untouched
  const int status = realGdiplusStartup(token, input, output);
  ledger.startedTokens.push_back(*token);
  return status;
}
void WINAPI recordedGdiplusShutdown(ULONG_PTR token) {
  ledger.shutDownTokens.push_back(token);
  if (token != 0) realGdiplusShutdown(token);
}

// Points the plug-in binary's calls of one imported function at a stand-in while it lives.
class ImportDetour {
 public:
  template <typename Call>
  ImportDetour(HMODULE module, const char* name, Call standIn, Call& original) {
    forEachNamedImport(module, [&](const char* imported, void** entry) {
      if (std::strcmp(imported, name) != 0) return;
      original = reinterpret_cast<Call>(*entry);
      replaced_.push_back({entry, *entry});
      setImportEntry(entry, reinterpret_cast<void*>(standIn));
    });
  }
  ~ImportDetour() {
    for (const Replaced& r : replaced_)
      setImportEntry(r.entry, r.original);
  }
  ImportDetour(const ImportDetour&) = delete;
  ImportDetour& operator=(const ImportDetour&) = delete;
  bool found() const { return !replaced_.empty(); }

 private:
  struct Replaced {
    void** entry;
    void* original;
  };
  std::vector<Replaced> replaced_;
};

TEST_F(EditorWindowTest, FailedOpenUndoesEverythingItMade) {
  TestPlugin plugin;
  HMODULE binary = moduleContaining(reinterpret_cast<const void*>(plugin.effect()->dispatcher));
  ASSERT_NE(binary, nullptr);
  // A parent that no longer exists: the window cannot be created.
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(gone, nullptr);
  DestroyWindow(gone);
  ledger = OpenLedger{};
  {
    const ImportDetour fonts(binary, "CreateFontA", &countedCreateFontA, realCreateFontA);
    const ImportDetour brushes(binary, "CreateSolidBrush", &countedCreateSolidBrush,
                               realCreateSolidBrush);
    const ImportDetour deletes(binary, "DeleteObject", &countedDeleteObject, realDeleteObject);
    const ImportDetour startups(binary, "GdiplusStartup", &firstFailsGdiplusStartup,
                                realGdiplusStartup);
    const ImportDetour shutdowns(binary, "GdiplusShutdown", &recordedGdiplusShutdown,
                                 realGdiplusShutdown);
    ASSERT_TRUE(fonts.found() && brushes.found() && deletes.found() && startups.found() &&
                shutdowns.found());
    EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, gone), 0);
  }
  ASSERT_FALSE(ledger.made.empty());
  std::vector<HGDIOBJ> made = ledger.made;
  std::vector<HGDIOBJ> deleted = ledger.deleted;
  std::sort(made.begin(), made.end());
  std::sort(deleted.begin(), deleted.end());
  EXPECT_EQ(deleted, made) << "every font and brush deleted once";
  ASSERT_EQ(ledger.startedTokens.size(), 1u);
  EXPECT_EQ(ledger.shutDownTokens, ledger.startedTokens)
      << "the start-up that worked is shut down, the one left at token 0 is not";
  WNDCLASSW info;
  EXPECT_FALSE(GetClassInfoW(binary, kEditorClass, &info)) << "the class registration is undone";
  // Nothing of the failed open is left over: the editor opens and closes as usual.
  HWND editor = open(plugin, host);
  EXPECT_NE(editor, nullptr);
  plugin.dispatch(effEditClose);
  EXPECT_FALSE(IsWindow(editor));
}

// Counts the paints that reach the editor's window procedure.
struct PaintCount {
  static inline int paints = 0;
  static inline WNDPROC editorProc = nullptr;
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++paints;
    return CallWindowProcW(editorProc, hwnd, message, wParam, lParam);
  }
};

TEST_F(EditorWindowTest, IdleTicksPaintNothingButChangesAndExposuresDo) {
  TestPlugin plugin;
  HWND editor = open(plugin, host);
  ASSERT_NE(editor, nullptr);
  pumpMessages(250);
  PaintCount::paints = 0;
  PaintCount::editorProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintCount::proc)));
  ASSERT_NE(PaintCount::editorProc, nullptr);

  pumpMessages(1000);  // ten ticks
  EXPECT_EQ(PaintCount::paints, 0) << "an idle editor painted";

  plugin.set(14, 0.0f);
  pumpMessages(250);
  EXPECT_EQ(PaintCount::paints, 1) << "one paint for one change";
  RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(PaintCount::paints, 2) << "an invalidated window must be painted";
  SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintCount::editorProc));
  Capture after;
  ASSERT_TRUE(captureClient(editor, after));
  EXPECT_EQ(after.at(663, 350), rgbPixel(226, 176, 104)) << "OFF selected";
}

}  // namespace
