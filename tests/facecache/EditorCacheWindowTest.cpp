// The cached face in the editor window of the real DLL (under wine with a display): what the
// window shows after host changes, drags and appearance clicks is the one-pass face of the
// same state, and opening and closing the editor a hundred times leaves no GDI object behind.
#include <gtest/gtest.h>

#include <windows.h>

#include "editor/Layout.h"
#include "params/SkinId.h"
#include "tests/facecache/FaceWalk.h"
#include "tests/facecache/GdiObjectCount.h"
#include "tests/facecache/OnePassFace.h"
#include "tests/host/TestHost.h"
#include "tools/snapshot/HostWindow.h"

namespace {

constexpr wchar_t kEditorClass[] = L"BrisalondeMultiSkinVST2_110";
constexpr int kOpenCloseCycles = 100;
constexpr int kWalkSteps = 30;
// A point inside each appearance segment, clear of its label.
constexpr POINT kSegmentPoint[kNumSkins] = {{530, 47}, {628, 47}, {726, 47}};
// Points on the knob of Attack in Original and Vintage, and on its fader line in Silver.
constexpr POINT kAttackKnob{382, 215};
constexpr int32_t kAttack = 3;

class EditorCacheWindowTest : public ::testing::Test {
 protected:
  // One host frame for all tests: making and destroying top-level windows is slow under wine.
  static void SetUpTestSuite() {
    host_ = new HostWindow(kWindowWidth, kWindowHeight);
    reference_ = new OnePassFace;
  }
  static void TearDownTestSuite() {
    delete reference_;
    delete host_;
  }

  void SetUp() override { ASSERT_NE(host_->handle(), nullptr) << "no display for the host window"; }

  HWND open() {
    EXPECT_EQ(plugin_.dispatch(effEditOpen, 0, 0, host_->handle()), 1);
    return findChildOfClass(host_->handle(), kEditorClass);
  }
  void close() { plugin_.dispatch(effEditClose); }

  static void click(HWND editor, POINT at) {
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  // What a timer tick does: the whole window invalidated, then painted.
  static void tick(HWND editor) {
    InvalidateRect(editor, nullptr, FALSE);
    UpdateWindow(editor);
  }

  // The walk's values handed to the plug-in as a host does, and what it stores of them.
  void setFromHost(FaceState& state) {
    for (int32_t id = 0; id < kNumParams; ++id) {
      const auto single = static_cast<float>(state.values[id]);
      plugin_.set(id, single);
      state.values[id] = quantize(single, kParamTable[id].steps);
    }
  }

  static HostWindow* host_;
  static OnePassFace* reference_;
  TestPlugin plugin_;
};

HostWindow* EditorCacheWindowTest::host_ = nullptr;
OnePassFace* EditorCacheWindowTest::reference_ = nullptr;

TEST_F(EditorCacheWindowTest, WindowShowsTheOnePassFaceThroughHostChangesDragsAndSkins) {
  HWND editor = open();
  ASSERT_NE(editor, nullptr);
  FaceWalk walk(1310, Original, true);
  int32_t shownSkin = Original;
  for (int k = 0; k < kWalkSteps; ++k) {
    const std::string change = walk.step();
    FaceState state = walk.state();
    setFromHost(state);
    if (state.skin != shownSkin) click(editor, kSegmentPoint[state.skin]);
    shownSkin = state.skin;
    // A drag comes from the mouse: a press on the knob that moves nothing marks it.
    const bool drag = state.activeParam >= 0;
    if (drag && state.skin != Silver) {
      SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kAttackKnob.x, kAttackKnob.y));
    }
    state.activeParam = drag && state.skin != Silver ? kAttack : -1;
    tick(editor);
    Capture shown;
    ASSERT_TRUE(captureClient(editor, shown));
    if (drag && state.skin != Silver)
      SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(kAttackKnob.x, kAttackKnob.y));
    ASSERT_EQ(pictureDifference(shown.pixels, colourOnly(reference_->paint(state))), "")
        << "after step " << k << " (" << change << ") in skin " << state.skin;
  }
  close();
}

TEST_F(EditorCacheWindowTest, HundredOpenCloseCyclesLeaveNoMoreGdiObjectsThanTheFirst) {
  size_t afterFirst = 0;
  for (int cycle = 1; cycle <= kOpenCloseCycles; ++cycle) {
    HWND editor = open();
    ASSERT_NE(editor, nullptr);
    // Every cache an open editor can make: a backdrop per appearance and the frame, redrawn
    // in part after a value changed.
    for (int32_t skin = 0; skin < kNumSkins; ++skin) {
      click(editor, kSegmentPoint[skin]);
      tick(editor);
      plugin_.set(kAttack, static_cast<float>(cycle % 10) / 10.0f);
      tick(editor);
    }
    const size_t whileOpen = liveGdiObjects();
    close();
    const size_t afterClose = liveGdiObjects();
    // The count sees the editor's own objects, the cache among them.
    ASSERT_GT(whileOpen, afterClose) << "cycle " << cycle;
    if (cycle == 1) afterFirst = afterClose;
    ASSERT_LE(afterClose, afterFirst) << "cycle " << cycle;
  }
}

}  // namespace
