// The editor of the real DLL in a real window (under wine with a display): the window the
// host gets, mouse messages and the host callbacks they cause, reopening, two instances at
// once, closing the instance mid-drag, a failed open, and the colours the editor paints,
// also after the host changed values or restored another skin; idle ticks paint nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/host/TestHost.h"
#include "tools/host/ImportTable.h"
#include "tools/snapshot/HostWindow.h"

namespace {

constexpr wchar_t kEditorClass[] = L"BrisalondeMultiSkinVST2_110";
constexpr int32_t kWidth = 860;
constexpr int32_t kHeight = 530;

int countOpcode(int32_t opcode, int32_t index) {
  const auto& calls = testhost::calls();
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const HostCall& call) {
    return call.opcode == opcode && call.index == index;
  }));
}

LPARAM at(int32_t x, int32_t y) {
  return MAKELPARAM(x, y);
}

class EditorWindowTest : public ::testing::Test {
 protected:
  // The host frames live for the whole program: making and mapping a window costs seconds.
  static void SetUpTestSuite() {
    hostFrame = new HostWindow(kWidth, kHeight);
    otherFrame = new HostWindow(kWidth, kHeight);
  }
  static void TearDownTestSuite() {
    delete otherFrame;
    delete hostFrame;
  }

  void SetUp() override {
    ASSERT_NE(hostFrame->handle(), nullptr) << "no window: the wine tests need a display";
    ASSERT_NE(otherFrame->handle(), nullptr);
    testhost::calls().clear();
  }

  HWND open(TestPlugin& plugin, HWND parent) {
    EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, parent), 1);
    return findChildOfClass(parent, kEditorClass);
  }

  void wheel(HWND editor, int32_t x, int32_t y, int16_t delta) {
    POINT point{x, y};
    ClientToScreen(editor, &point);
    SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                 MAKELPARAM(point.x, point.y));
  }

  static HostWindow* hostFrame;
  static HostWindow* otherFrame;
  const HostWindow& host = *hostFrame;
};

HostWindow* EditorWindowTest::hostFrame = nullptr;
HostWindow* EditorWindowTest::otherFrame = nullptr;

TEST_F(EditorWindowTest, OpensAChildOfTheRightClassAndSize) {
  TestPlugin plugin;
  ERect* rect = nullptr;
  ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right, kWidth);
  EXPECT_EQ(rect->bottom, kHeight);
  HWND editor = open(plugin, host.handle());
  ASSERT_NE(editor, nullptr);
  RECT client;
  GetClientRect(editor, &client);
  EXPECT_EQ(client.right, kWidth);
  EXPECT_EQ(client.bottom, kHeight);
  EXPECT_EQ(GetParent(editor), host.handle());
  EXPECT_TRUE(GetWindowLongW(editor, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(GetClassLongW(editor, GCL_STYLE) & CS_DBLCLKS);
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, nullptr), 0);
  EXPECT_TRUE(IsWindow(editor)) << "a null parent must leave the open editor alone";
  plugin.dispatch(effEditClose);
  EXPECT_FALSE(IsWindow(editor));
  plugin.dispatch(effEditClose);
}

TEST_F(EditorWindowTest, DragReportsOneBracketAndWritesTheValue) {
  TestPlugin plugin;
  HWND editor = open(plugin, host.handle());
  ASSERT_NE(editor, nullptr);
  testhost::calls().clear();
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at(73, 215));
  EXPECT_EQ(GetCapture(), editor);
  SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, at(73, 205));
  SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, at(73, 195));
  SendMessageW(editor, WM_LBUTTONUP, 0, at(73, 195));
  EXPECT_NE(GetCapture(), editor);
  EXPECT_NEAR(plugin.get(0), 0.65f, 1e-6);
  const auto& calls = testhost::calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
  EXPECT_NEAR(calls[1].opt, 0.6f, 1e-6);
  EXPECT_EQ(calls[2].opcode, audioMasterAutomate);
  EXPECT_EQ(calls[3].opcode, audioMasterEndEdit);
  EXPECT_EQ(calls[3].index, 0);
}

TEST_F(EditorWindowTest, CloseDuringDragEndsTheEditAndCapture) {
  TestPlugin plugin;
  HWND editor = open(plugin, host.handle());
  ASSERT_NE(editor, nullptr);
  testhost::calls().clear();
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at(103 * 4 + 73, 365));
  plugin.dispatch(effEditClose);
  EXPECT_EQ(countOpcode(audioMasterEndEdit, 12), 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditorWindowTest, WheelDoubleClickAndSwitch) {
  TestPlugin plugin;
  HWND editor = open(plugin, host.handle());
  ASSERT_NE(editor, nullptr);
  testhost::calls().clear();
  wheel(editor, 73, 215, 120);
  EXPECT_NEAR(plugin.get(0), 0.575f, 1e-6);
  wheel(editor, 103 * 2 + 73, 365, -120);  // Transpose one octave down
  EXPECT_NEAR(plugin.get(10), 1.0f / 3.0f, 1e-6);
  SendMessageW(editor, WM_LBUTTONDBLCLK, MK_LBUTTON, at(73, 215));
  EXPECT_NEAR(plugin.get(0), 0.55f, 1e-6);
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at(670, 360));
  SendMessageW(editor, WM_LBUTTONUP, 0, at(670, 360));
  EXPECT_EQ(plugin.get(14), 0.0f);
  EXPECT_EQ(countOpcode(audioMasterBeginEdit, 0), 2);
  EXPECT_EQ(countOpcode(audioMasterEndEdit, 0), 2);
  EXPECT_EQ(countOpcode(audioMasterEndEdit, 14), 1);
  // Buttons the editor does not use go to the default procedure and change nothing.
  SendMessageW(editor, WM_RBUTTONDOWN, MK_RBUTTON, at(73, 215));
  EXPECT_NEAR(plugin.get(0), 0.55f, 1e-6);
}

TEST_F(EditorWindowTest, ProgramAndSkinSegmentPresses) {
  TestPlugin plugin;
  HWND editor = open(plugin, host.handle());
  ASSERT_NE(editor, nullptr);
  testhost::calls().clear();
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at(30 + 160 * 3 + 20, 120));
  SendMessageW(editor, WM_LBUTTONUP, 0, at(30 + 160 * 3 + 20, 120));
  EXPECT_EQ(plugin.dispatch(effGetProgram), 3);
  EXPECT_EQ(testhost::calls().size(), 48u);
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at(660, 55));
  EXPECT_EQ(countOpcode(audioMasterUpdateDisplay, 0), 1);
  void* chunk = nullptr;
  ASSERT_EQ(plugin.dispatch(effGetChunk, 0, 0, &chunk), 148);
  EXPECT_EQ(static_cast<unsigned char*>(chunk)[144], 1);  // Vintage saved with the state
}

TEST_F(EditorWindowTest, ReopeningLeavesOneWindowAndOneTimer) {
  TestPlugin plugin;
  HWND first = open(plugin, host.handle());
  ASSERT_NE(first, nullptr);
  HWND second = open(plugin, host.handle());
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first));
  int count = 0;
  findChildOfClass(host.handle(), kEditorClass, &count);
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(KillTimer(second, 1)) << "the new window runs the refresh timer";
  SetTimer(second, 1, 100, nullptr);
  plugin.dispatch(effEditClose);
  findChildOfClass(host.handle(), kEditorClass, &count);
  EXPECT_EQ(count, 0);
}

TEST_F(EditorWindowTest, TwoInstancesShareTheClass) {
  const HostWindow& otherHost = *otherFrame;
  TestPlugin a;
  TestPlugin b;
  HWND editorA = open(a, host.handle());
  HWND editorB = open(b, otherHost.handle());
  ASSERT_NE(editorA, nullptr);
  ASSERT_NE(editorB, nullptr);
  a.dispatch(effEditClose);
  WNDCLASSW info;
  EXPECT_TRUE(GetClassInfoW(reinterpret_cast<HINSTANCE>(GetClassLongPtrW(editorB, GCLP_HMODULE)),
                            kEditorClass, &info))
      << "the class stays while the other editor lives";
  wheel(editorB, 73, 215, 120);
  EXPECT_NEAR(b.get(0), 0.575f, 1e-6);
  EXPECT_NEAR(a.get(0), 0.55f, 1e-6);
  Capture picture;
  ASSERT_TRUE(captureClient(editorB, picture));
  EXPECT_EQ(picture.at(5, 5), rgbPixel(20, 34, 38));
  b.dispatch(effEditClose);
}

// The host frees the instance in the middle of a drag: the drag's end-edit reaches the host
// while the instance still exists, and the window and the capture go with it.
struct EndEditSeen {
  int32_t index;
  bool instanceAlive;
};
std::vector<EndEditSeen> endEdits;

intptr_t endEditWatchingHost(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                             void* ptr, float opt) {
  if (opcode == audioMasterEndEdit)
    endEdits.push_back(
        {index, effect != nullptr && effect->magic == kEffectMagic && effect->object != nullptr});
  return testhost::callback(effect, opcode, index, value, ptr, opt);
}

TEST_F(EditorWindowTest, InstanceClosedDuringDragEndsTheEditBeforeItGoes) {
  endEdits.clear();
  AEffect* effect = testhost::module().entry()(endEditWatchingHost);
  ASSERT_NE(effect, nullptr);
  ASSERT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, host.handle(), 0.0f), 1);
  HWND editor = findChildOfClass(host.handle(), kEditorClass);
  ASSERT_NE(editor, nullptr);
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at(103 * 4 + 73, 365));  // Output
  SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, at(103 * 4 + 73, 355));
  ASSERT_EQ(GetCapture(), editor);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  ASSERT_EQ(endEdits.size(), 1u);
  EXPECT_EQ(endEdits[0].index, 12);
  EXPECT_TRUE(endEdits[0].instanceAlive) << "the end-edit came after the instance was freed";
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditorWindowTest, RestoredSkinAppearsWithinATick) {
  TestPlugin plugin;
  HWND editor = open(plugin, host.handle());
  ASSERT_NE(editor, nullptr);
  void* saved = nullptr;
  const intptr_t size = plugin.dispatch(effGetChunk, 0, 0, &saved);
  ASSERT_EQ(size, 148);
  std::vector<unsigned char> silver(static_cast<unsigned char*>(saved),
                                    static_cast<unsigned char*>(saved) + size);
  silver[144] = 2;  // the skin, saved as Silver
  Capture before;
  ASSERT_TRUE(captureClient(editor, before));
  ASSERT_EQ(before.at(516, 18), rgbPixel(20, 34, 38));
  ASSERT_EQ(plugin.dispatch(effSetChunk, 0, size, silver.data()), 1);
  pumpMessages(250);
  Capture after;
  ASSERT_TRUE(captureClient(editor, after));
  EXPECT_EQ(after.at(516, 18), rgbPixel(204, 216, 224)) << "Silver bar";
  EXPECT_EQ(after.at(723, 46), rgbPixel(33, 94, 115)) << "SILVER selected";
  EXPECT_EQ(after.at(5, 300), rgbPixel(0x1E, 0x27, 0x2D)) << "Silver's slate margin";
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
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host.handle(), nullptr,
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
  HWND editor = open(plugin, host.handle());
  EXPECT_NE(editor, nullptr);
  plugin.dispatch(effEditClose);
  EXPECT_FALSE(IsWindow(editor));
}

TEST_F(EditorWindowTest, PaintsTheOriginalSkin) {
  TestPlugin plugin;
  HWND editor = open(plugin, host.handle());
  ASSERT_NE(editor, nullptr);
  Capture picture;
  ASSERT_TRUE(captureClient(editor, picture));
  ASSERT_EQ(picture.width, kWidth);
  EXPECT_EQ(picture.at(5, 5), rgbPixel(20, 34, 38));  // background
  EXPECT_EQ(picture.at(845, 520), rgbPixel(20, 34, 38));
  EXPECT_EQ(picture.at(32, 130), rgbPixel(42, 62, 66));      // program button 1
  EXPECT_EQ(picture.at(815, 107), rgbPixel(42, 62, 66));     // program button 5
  EXPECT_EQ(picture.at(527, 46), rgbPixel(226, 176, 104));   // ORIGINAL selected
  EXPECT_EQ(picture.at(625, 46), rgbPixel(33, 53, 58));      // VINTAGE not
  EXPECT_EQ(picture.at(523, 42), rgbPixel(68, 95, 98));      // segment border
  EXPECT_EQ(picture.at(516, 18), rgbPixel(20, 34, 38));      // bar
  EXPECT_EQ(picture.at(659, 346), rgbPixel(80, 107, 109));   // switch frame
  EXPECT_EQ(picture.at(697, 350), rgbPixel(226, 176, 104));  // ON selected
  EXPECT_EQ(picture.at(663, 350), rgbPixel(33, 53, 58));     // OFF not
  EXPECT_EQ(picture.at(279, 344), rgbPixel(240, 180, 90));   // Transpose pointer, upright
}

TEST_F(EditorWindowTest, HostChangesAppearWithinATick) {
  TestPlugin plugin;
  HWND editor = open(plugin, host.handle());
  ASSERT_NE(editor, nullptr);
  Capture before;
  ASSERT_TRUE(captureClient(editor, before));
  plugin.set(14, 0.0f);
  pumpMessages(250);
  Capture after;
  ASSERT_TRUE(captureClient(editor, after));
  EXPECT_EQ(after.at(663, 350), rgbPixel(226, 176, 104));  // OFF now selected
  EXPECT_EQ(after.at(697, 350), rgbPixel(33, 53, 58));
  // Selecting Silver on the bar repaints at once in the Silver bar colours.
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at(760, 55));
  Capture silver;
  ASSERT_TRUE(captureClient(editor, silver));
  EXPECT_EQ(silver.at(516, 18), rgbPixel(204, 216, 224));
  EXPECT_EQ(silver.at(723, 46), rgbPixel(33, 94, 115));
  EXPECT_EQ(silver.at(663, 350), rgbPixel(33, 94, 115));  // OFF, Silver switch colours
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
  HWND editor = open(plugin, host.handle());
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
