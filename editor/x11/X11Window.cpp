// The X11 child window: creation on the editor's own connection, the idle-driven event loop
// and the transfer of the composed picture to the window.
#include "editor/x11/X11Window.h"

#include <chrono>
#include <new>

#include "editor/x11/XErrorTrap.h"

namespace {

// Pointer buttons and motion, exposure, the end of the pointer grab (seen as leaving the
// window in grab mode) and the keyboard's state. Key presses stay with the host: they carry
// its shortcuts, and the editor reads Shift from the pointer events.
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            LeaveWindowMask | KeymapStateMask;

// Events read per round, and rounds per idle call: a flood of motion cannot hold the host.
constexpr int kEventBatch = 64;
constexpr int kMaxBatchesPerIdle = 16;

// X resource ids have 29 bits; anything larger is no window (and would be cut to another id).
constexpr uintptr_t kLargestXid = 0x1FFFFFFF;

// The back buffer holds cairo's RGB24 pixels: 32-bit words 0x00RRGGBB in this machine's
// order, which a 24-bit TrueColor visual with these masks takes as they are.
constexpr int kDepth = 24;
constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;

int64_t nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool shiftIn(unsigned int state) {
  return (state & ShiftMask) != 0;
}

}  // namespace

X11Window* X11Window::open(uintptr_t parent, int32_t width, int32_t height,
                           X11WindowClient& client) {
  if (parent == 0 || parent > kLargestXid || width <= 0 || height <= 0) return nullptr;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  auto* window = new (std::nothrow) X11Window(display, client, width, height);
  if (window == nullptr) {
    XCloseDisplay(display);
    return nullptr;
  }
  // Xlib's default ends the process when a connection is lost; losing this one (the client
  // killed, the server gone) ends only the editor.
  XSetIOErrorExitHandler(display, &X11Window::onConnectionLost, window);
  if (!window->create(static_cast<Window>(parent))) {
    delete window;
    return nullptr;
  }
  return window;
}

X11Window::X11Window(Display* display, X11WindowClient& client, int32_t width, int32_t height)
    : display_(display),
      client_(client),
      pointer_(client),
      clock_(nowMs()),
      width_(width),
      height_(height) {}

X11Window::~X11Window() {
  release();
}

bool X11Window::create(Window parent) {
  XErrorTrap trap(display_);
  XWindowAttributes parentAttributes;
  if (XGetWindowAttributes(display_, parent, &parentAttributes) == 0 || trap.failed()) return false;
  const int screen = XScreenNumberOfScreen(parentAttributes.screen);
  XVisualInfo visual;
  if (XMatchVisualInfo(display_, screen, kDepth, TrueColor, &visual) == 0 ||
      visual.red_mask != kRedMask || visual.green_mask != kGreenMask ||
      visual.blue_mask != kBlueMask)
    return false;

  XSetWindowAttributes attributes{};
  attributes.background_pixmap = None;  // every paint covers the window: nothing to erase
  attributes.border_pixel = 0;
  attributes.event_mask = kEventMask;
  if (visual.visual == DefaultVisual(display_, screen)) {
    attributes.colormap = DefaultColormap(display_, screen);
  } else {
    colormap_ = XCreateColormap(display_, RootWindow(display_, screen), visual.visual, AllocNone);
    attributes.colormap = colormap_;
  }
  window_ = XCreateWindow(display_, parent, 0, 0, static_cast<unsigned>(width_),
                          static_cast<unsigned>(height_), 0, kDepth, InputOutput, visual.visual,
                          CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &attributes);
  gc_ = XCreateGC(display_, window_, 0, nullptr);
  XMapWindow(display_, window_);
  visual_ = visual.visual;
  return !trap.failed();
}

void X11Window::onConnectionLost(Display*, void* window) {
  static_cast<X11Window*>(window)->connectionLost_ = true;
}

void X11Window::idle() {
  if (display_ == nullptr || connectionLost_) return;
  XEvent events[kEventBatch];
  for (int batch = 0; batch < kMaxBatchesPerIdle; ++batch) {
    int count = 0;
    {
      XErrorTrap trap(display_);
      while (count < kEventBatch && XPending(display_) > 0)
        XNextEvent(display_, &events[count++]);
    }
    // Reported outside the trap: the owner calls the host back from here.
    for (int i = 0; i < count; ++i)
      report(events[i]);
    if (count < kEventBatch) break;
  }
  if (clock_.tickDue(nowMs())) client_.tick();
  paintAndShow();
}

void X11Window::report(const XEvent& event) {
  switch (event.type) {
    case Expose:
      paintPending_ = true;
      break;
    case ButtonPress:
      pointer_.buttonPressed(static_cast<int32_t>(event.xbutton.button), event.xbutton.x,
                             event.xbutton.y, shiftIn(event.xbutton.state),
                             static_cast<uint32_t>(event.xbutton.time));
      break;
    case ButtonRelease:
      pointer_.buttonReleased(static_cast<int32_t>(event.xbutton.button));
      break;
    case MotionNotify:
      pointer_.moved(event.xmotion.x, event.xmotion.y, shiftIn(event.xmotion.state));
      break;
    case LeaveNotify:
      // Another client grabbed the pointer, or the grab of a press ended outside the window.
      if (event.xcrossing.mode == NotifyGrab || event.xcrossing.mode == NotifyUngrab)
        pointer_.grabEnded();
      break;
    default:
      break;
  }
}

// The whole picture goes to the window in one transfer, as on Windows.
void X11Window::paintAndShow() {
  const bool paint = paintPending_;
  if ((!paint && !ungrabPending_) || connectionLost_) return;
  cairo_surface_t* picture = nullptr;
  if (paint) {
    paintPending_ = false;
    picture = client_.paint();
  }
  XErrorTrap trap(display_);
  if (ungrabPending_) {
    ungrabPending_ = false;
    XUngrabPointer(display_, CurrentTime);
  }
  if (picture != nullptr) show(picture);
}

// The picture's pixels are lent to Xlib for the transfer only; the image record is Xlib's
// own and costs no pixels.
void X11Window::show(cairo_surface_t* picture) {
  if (cairo_image_surface_get_format(picture) != CAIRO_FORMAT_RGB24 ||
      cairo_image_surface_get_width(picture) != width_ ||
      cairo_image_surface_get_height(picture) != height_)
    return;
  XImage* image = XCreateImage(display_, visual_, kDepth, ZPixmap, 0,
                               reinterpret_cast<char*>(cairo_image_surface_get_data(picture)),
                               static_cast<unsigned>(width_), static_cast<unsigned>(height_), 32,
                               cairo_image_surface_get_stride(picture));
  if (image == nullptr) return;
  image->byte_order = LSBFirst;  // the words as this machine stores them; Xlib swaps if needed
  XPutImage(display_, window_, gc_, image, 0, 0, 0, 0, static_cast<unsigned>(width_),
            static_cast<unsigned>(height_));
  image->data = nullptr;  // the pixels belong to the picture
  XDestroyImage(image);
}

void X11Window::release() {
  if (display_ == nullptr) return;
  {
    XErrorTrap trap(display_);
    // After a lost connection these only free what Xlib keeps on this side.
    if (ungrabPending_) XUngrabPointer(display_, CurrentTime);
    if (window_ != 0) XDestroyWindow(display_, window_);
    if (gc_ != nullptr) XFreeGC(display_, gc_);
    if (colormap_ != 0) XFreeColormap(display_, colormap_);
    trap.closeDisplay();
  }
  display_ = nullptr;
}
