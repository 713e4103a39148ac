// The Linux editor's test host.
#include "tests/x11/X11EditorFixture.h"

// After the fixture, which brings GoogleTest in before Xlib.
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

constexpr size_t kChunkSize = 148;
constexpr size_t kChunkSkinOffset = 144;

void sleepMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

void X11EditorTest::SetUp() {
  display_ = XOpenDisplay(nullptr);
  ASSERT_NE(display_, nullptr) << "no X display: run the test under tests/x11/on-xvfb.sh";
  int event = 0, error = 0, major = 0, minor = 0;
  ASSERT_TRUE(XTestQueryExtension(display_, &event, &error, &major, &minor));
  host_ = std::make_unique<X11HostWindow>(display_, kHostX, kHostY, kEditorWidth, kEditorHeight);
  testhost::calls().clear();
}

void X11EditorTest::TearDown() {
  // The plug-ins are gone by now; only the pointer and keyboard are put back for the next test.
  open_.clear();
  if (display_ == nullptr) return;
  if (buttonHeld_) XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  if (shiftHeld_)
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_Shift_L), False, CurrentTime);
  host_.reset();
  XCloseDisplay(display_);
}

Window X11EditorTest::open(TestPlugin& plugin, const X11HostWindow& frame) {
  if (plugin.dispatch(effEditOpen, 0, 0, frame.handle()) != 1) return 0;
  if (std::find(open_.begin(), open_.end(), &plugin) == open_.end()) open_.push_back(&plugin);
  idle();
  const std::vector<Window> children = frame.children();
  return children.size() == 1 ? children.front() : 0;
}

void X11EditorTest::close(TestPlugin& plugin) {
  plugin.dispatch(effEditClose);
  open_.erase(std::remove(open_.begin(), open_.end(), &plugin), open_.end());
}

void X11EditorTest::idle() {
  for (TestPlugin* plugin : open_)
    plugin->dispatch(effEditIdle);
}

void X11EditorTest::idleFor(int milliseconds) {
  for (int elapsed = 0; elapsed < milliseconds; elapsed += kIdlePeriodMs) {
    sleepMs(kIdlePeriodMs);
    idle();
  }
}

// The server has made the events once the round trip returns; the editor's connection reads
// them at its next idle calls.
void X11EditorTest::fake(bool sync) {
  if (sync) XSync(display_, False);
  idle();
  sleepMs(5);
  idle();
}

void X11EditorTest::moveTo(int32_t x, int32_t y) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), originX_ + x, originY_ + y, CurrentTime);
  fake();
}

void X11EditorTest::pressButton(unsigned button) {
  XTestFakeButtonEvent(display_, button, True, CurrentTime);
  XTestFakeButtonEvent(display_, button, False, CurrentTime);
  fake();
}

void X11EditorTest::press(int32_t x, int32_t y) {
  moveTo(x, y);
  XTestFakeButtonEvent(display_, 1, True, CurrentTime);
  buttonHeld_ = true;
  fake();
}

void X11EditorTest::release() {
  XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  buttonHeld_ = false;
  fake();
}

void X11EditorTest::click(int32_t x, int32_t y) {
  press(x, y);
  release();
}

void X11EditorTest::doubleClick(int32_t x, int32_t y) {
  moveTo(x, y);
  for (int i = 0; i < 2; ++i) {
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  }
  fake();
}

void X11EditorTest::wheel(int32_t x, int32_t y, int notches) {
  moveTo(x, y);
  const unsigned button = notches > 0 ? 4 : 5;
  for (int i = 0; i < std::abs(notches); ++i) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
  }
  fake();
}

void X11EditorTest::holdShift(bool down) {
  const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
  XTestFakeKeyEvent(display_, shift, down ? True : False, CurrentTime);
  shiftHeld_ = down;
  fake();
}

Capture X11EditorTest::picture(Window window) {
  Capture capture;
  EXPECT_TRUE(captureX11Window(display_, window, capture));
  EXPECT_EQ(capture.width, kEditorWidth);
  EXPECT_EQ(capture.height, kEditorHeight);
  return capture;
}

int X11EditorTest::countCalls(int32_t opcode, int32_t index) const {
  const auto& calls = testhost::calls();
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const HostCall& call) {
    return call.opcode == opcode && call.index == index;
  }));
}

std::vector<HostCall> X11EditorTest::callsOf(int32_t opcode) const {
  std::vector<HostCall> found;
  for (const HostCall& call : testhost::calls())
    if (call.opcode == opcode) found.push_back(call);
  return found;
}

int32_t X11EditorTest::savedSkin(TestPlugin& plugin) const {
  void* chunk = nullptr;
  if (plugin.dispatch(effGetChunk, 0, 0, &chunk) != static_cast<intptr_t>(kChunkSize)) return -1;
  const auto* bytes = static_cast<const unsigned char*>(chunk);
  int32_t skin = 0;
  for (size_t b = 0; b < 4; ++b)
    skin |= static_cast<int32_t>(bytes[kChunkSkinOffset + b]) << (8 * b);
  return skin;
}
