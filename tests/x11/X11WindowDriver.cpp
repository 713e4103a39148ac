// The editor scenarios' driver for the Linux editor: the X11 test host's session, a second
// host frame beside the first when a scenario asks for one, the pointer grab read from the
// host's own connection, and time passing as the host's idle calls.
#include "tests/editor/EditorDriver.h"
#include "tests/x11/X11Session.h"

namespace {

constexpr int32_t kSecondFrameX = kHostX + kWindowWidth + 20;

class X11WindowDriver : public EditorDriver {
 public:
  X11WindowDriver() : started_(session_.start()) {}
  ~X11WindowDriver() override {
    second_.reset();
    session_.stop();
  }

  bool open(AEffect* effect, int frame) override {
    if (!started_) return false;
    useFrame(frame);
    return session_.open(effect, frameOf(frame)) != 0;
  }
  void close(AEffect* effect) override { session_.close(effect); }
  void forget(AEffect* effect) override { session_.forget(effect); }
  int editorWindows(int frame) override {
    return static_cast<int>(frameOf(frame).children().size());
  }
  void useFrame(int frame) override { session_.originX_ = frame == 0 ? kHostX : kSecondFrameX; }

  void moveTo(int32_t x, int32_t y) override { session_.moveTo(x, y); }
  void press(int32_t x, int32_t y) override { session_.press(x, y); }
  void release() override { session_.release(); }
  void doubleClick(int32_t x, int32_t y) override { session_.doubleClick(x, y); }
  void wheel(int32_t x, int32_t y, int notches) override { session_.wheel(x, y, notches); }
  void holdShift(bool down) override { session_.holdShift(down); }
  void otherButtons() override {
    session_.pressButton(3);  // right
    session_.pressButton(2);  // middle
    session_.pressButton(6);  // horizontal wheel
  }
  // The host can take the pointer unless a client (the editor, by a press in its window or
  // by an active grab) holds it.
  bool editorHoldsPointer() override {
    Display* display = session_.display_;
    const int status = XGrabPointer(display, session_.host_->window(), False, ButtonPressMask,
                                    GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (status == GrabSuccess) XUngrabPointer(display, CurrentTime);
    XSync(display, False);
    return status != GrabSuccess;
  }

  void pause(int milliseconds) override { session_.idleFor(milliseconds); }
  // The host's idle calls at their period, up to the first one after a tick period.
  void awaitRefresh() override { session_.idleFor(kRefreshTickMs + 1); }
  Capture picture(int frame) override {
    const std::vector<Window> children = frameOf(frame).children();
    if (children.size() != 1) {
      ADD_FAILURE() << "no editor window to read in frame " << frame;
      return Capture{};
    }
    return session_.picture(children.front());
  }

 private:
  static constexpr int kRefreshTickMs = 100;

  const X11HostWindow& frameOf(int frame) {
    if (frame == 0) return *session_.host_;
    if (!second_)
      second_ = std::make_unique<X11HostWindow>(session_.display_, kSecondFrameX, kHostY,
                                                kWindowWidth, kWindowHeight);
    return *second_;
  }

  X11Session session_;
  bool started_;
  std::unique_ptr<X11HostWindow> second_;
};

}  // namespace

std::unique_ptr<EditorDriver> makeEditorDriver() {
  return std::make_unique<X11WindowDriver>();
}
