// Request counting over a RECORD context on two connections of its own: one to control the
// context, one that receives the recorded requests.
#include "tests/x11/X11RequestCount.h"

X11RequestCount::X11RequestCount(uint8_t opcode) {
  control_ = XOpenDisplay(nullptr);
  data_ = XOpenDisplay(nullptr);
  int major = 0, minor = 0;
  if (control_ == nullptr || data_ == nullptr || !XRecordQueryVersion(control_, &major, &minor))
    return;
  XRecordRange* range = XRecordAllocRange();
  if (range == nullptr) return;
  range->core_requests.first = opcode;
  range->core_requests.last = opcode;
  XRecordClientSpec clients = XRecordAllClients;
  context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
  XFree(range);
  XSync(control_, False);
  if (context_ != 0 && !XRecordEnableContextAsync(data_, context_, &X11RequestCount::intercept,
                                                  reinterpret_cast<XPointer>(this))) {
    XRecordFreeContext(control_, context_);
    context_ = 0;
  }
}

X11RequestCount::~X11RequestCount() {
  if (context_ != 0) {
    XRecordDisableContext(control_, context_);
    XSync(control_, False);
    XRecordProcessReplies(data_);
    XRecordFreeContext(control_, context_);
  }
  if (data_ != nullptr) XCloseDisplay(data_);
  if (control_ != nullptr) XCloseDisplay(control_);
}

int X11RequestCount::count() {
  // A round trip on the control connection lets the server pass on what it recorded so far.
  XSync(control_, False);
  XRecordProcessReplies(data_);
  return count_;
}

void X11RequestCount::intercept(XPointer self, XRecordInterceptData* data) {
  if (data->category == XRecordFromClient) ++reinterpret_cast<X11RequestCount*>(self)->count_;
  XRecordFreeData(data);
}
