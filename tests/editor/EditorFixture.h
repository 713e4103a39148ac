// A stand-in for the editor window: an instance with a recording host, the editor record,
// and a window that keeps capture and repaint requests and converts screen coordinates.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/EditorWindow.h"
#include "editor/MessageRoute.h"
#include "editor/WindowPort.h"
#include "plugin/PluginInstance.h"

struct HostNote {
  int32_t opcode;
  int32_t index;
  float opt;
  friend bool operator==(const HostNote&, const HostNote&) = default;
};

class FakeWindow : public WindowPort {
 public:
  static constexpr int32_t kOriginX = 200;  // client origin on the screen
  static constexpr int32_t kOriginY = 100;

  EditorWindow* editor = nullptr;
  bool captured = false;
  int invalidations = 0;
  bool showsCurrent = false;  // what showsCurrentFace answers

  void setCapture() override { captured = true; }
  // Like the real window, losing the capture delivers WM_CAPTURECHANGED at once.
  void releaseCaptureIfHeld() override {
    if (!captured) return;
    captured = false;
    routeMessage(*editor, *this, kMessageCaptureChanged, 0, 0);
  }
  void invalidate() override { ++invalidations; }
  bool showsCurrentFace() override { return showsCurrent; }
  void screenToClient(int32_t& x, int32_t& y) override {
    x -= kOriginX;
    y -= kOriginY;
  }
};

class EditorTest : public ::testing::Test {
 public:
  // Every host notification since the test began, in order.
  static std::vector<HostNote>& received();

 protected:
  EditorTest();
  ~EditorTest() override;

  // Messages as the window receives them; coordinates are client ones except for the wheel,
  // which takes them in client terms here and sends them in screen terms.
  RouteResult send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
  void press(int32_t x, int32_t y, bool shift = false);
  void moveTo(int32_t x, int32_t y, bool shift = false);
  void release(int32_t x, int32_t y);
  void doubleClick(int32_t x, int32_t y);
  void wheel(int32_t x, int32_t y, int32_t delta, bool shift = false);
  void setSkin(int32_t skin) { instance->skin.store(skin); }
  double value(int32_t id) const { return instance->paramValues[id].load(); }
  void setValue(int32_t id, double v) { instance->paramValues[id].store(v); }

  // Host notifications of one opcode, or all of them.
  std::vector<HostNote> notes(int32_t opcode) const;

  std::unique_ptr<PluginInstance> instance;
  EditorWindow editor{};
  FakeWindow window;
};
