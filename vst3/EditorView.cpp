// The editor view's life: attach, serve from the run loop or the window's own timer, remove.
#include "vst3/EditorView.h"

#include <cstring>

#include "editor/EditorHost.h"
#include "editor/FaceLabel.h"
#include "editor/Layout.h"
#include "vst3/PluginIds.h"
#include "vst3/Vst3Instance.h"

namespace brisalonde_vst3 {

namespace {

#if defined(_WIN32)
constexpr const char* kPlatformType = vst3::kPlatformTypeHWND;
#else
constexpr const char* kPlatformType = vst3::kPlatformTypeX11EmbedWindowID;
#endif

constexpr vst3::ViewRect kEditorRect{0, 0, kWindowWidth, kWindowHeight};

bool isOurType(vst3::FIDString type) {
  return type != nullptr && std::strcmp(type, kPlatformType) == 0;
}

}  // namespace

EditorView::EditorView(Vst3Instance& instance) : instance_(instance) {
  instance_.addRef();
}

EditorView::~EditorView() {
  removed();
  instance_.release();
}

vst3::tresult EditorView::queryInterface(const vst3::TUID iid, void** obj) {
  if (obj == nullptr) return vst3::kInvalidArgument;
  void* found = nullptr;
  if (vst3::kIidFUnknown.matches(iid) || vst3::kIidIPlugView.matches(iid)) {
    found = static_cast<vst3::IPlugView*>(this);
  } else if (vst3::kIidIEventHandler.matches(iid)) {
    found = static_cast<vst3::IEventHandler*>(this);
  } else if (vst3::kIidITimerHandler.matches(iid)) {
    found = static_cast<vst3::ITimerHandler*>(this);
  }
  *obj = found;
  if (found == nullptr) return vst3::kNoInterface;
  addRef();
  return vst3::kResultOk;
}

uint32_t EditorView::addRef() {
  return refs_.fetch_add(1) + 1;
}

uint32_t EditorView::release() {
  const uint32_t left = refs_.fetch_sub(1) - 1;
  if (left == 0) delete this;
  return left;
}

vst3::tresult EditorView::isPlatformTypeSupported(vst3::FIDString type) {
  return isOurType(type) ? vst3::kResultTrue : vst3::kResultFalse;
}

vst3::tresult EditorView::attached(void* parent, vst3::FIDString type) {
  // One editor per instance: a second view cannot take the window of the first.
  if (attached_ || parent == nullptr || !isOurType(type) || instance_.editorSlot() != nullptr)
    return vst3::kResultFalse;
  setFaceLabel(kFaceLabel);
  if (openEditor(instance_.editorSlot(), instance_.core().editorLink, parent) == 0)
    return vst3::kResultFalse;
  attached_ = true;
  const int fd = editorEventSource(instance_.editorSlot());
  if (fd >= 0 && frame_ != nullptr) {
    void* loop = nullptr;
    if (frame_->queryInterface(vst3::kIidIRunLoop.bytes, &loop) == vst3::kResultOk &&
        loop != nullptr) {
      runLoop_ = static_cast<vst3::IRunLoop*>(loop);
      runLoop_->registerEventHandler(this, fd);
      runLoop_->registerTimer(this, kTimerMilliseconds);
    }
  }
  return vst3::kResultOk;
}

void EditorView::stopRunLoop() {
  if (runLoop_ == nullptr) return;
  runLoop_->unregisterTimer(this);
  runLoop_->unregisterEventHandler(this);
  runLoop_->release();
  runLoop_ = nullptr;
}

vst3::tresult EditorView::removed() {
  if (!attached_) return vst3::kResultFalse;
  stopRunLoop();
  closeEditor(instance_.editorSlot());  // ends a drag in progress with the host
  attached_ = false;
  return vst3::kResultOk;
}

vst3::tresult EditorView::onWheel(float) {
  return vst3::kResultFalse;  // the window receives the wheel itself
}

vst3::tresult EditorView::onKeyDown(vst3::char16, int16_t, int16_t) {
  return vst3::kResultFalse;
}

vst3::tresult EditorView::onKeyUp(vst3::char16, int16_t, int16_t) {
  return vst3::kResultFalse;
}

vst3::tresult EditorView::getSize(vst3::ViewRect* size) {
  if (size == nullptr) return vst3::kInvalidArgument;
  *size = kEditorRect;
  return vst3::kResultOk;
}

vst3::tresult EditorView::onSize(vst3::ViewRect* newSize) {
  if (newSize == nullptr) return vst3::kInvalidArgument;
  const bool same = newSize->right - newSize->left == kWindowWidth &&
                    newSize->bottom - newSize->top == kWindowHeight;
  return same ? vst3::kResultOk : vst3::kResultFalse;
}

vst3::tresult EditorView::onFocus(vst3::TBool) {
  return vst3::kResultOk;
}

vst3::tresult EditorView::setFrame(vst3::IPlugFrame* frame) {
  frame_ = frame;  // the host's; it outlives the view's attachment
  return vst3::kResultOk;
}

vst3::tresult EditorView::canResize() {
  return vst3::kResultFalse;
}

vst3::tresult EditorView::checkSizeConstraint(vst3::ViewRect* rect) {
  if (rect == nullptr) return vst3::kInvalidArgument;
  rect->right = rect->left + kWindowWidth;
  rect->bottom = rect->top + kWindowHeight;
  return vst3::kResultOk;
}

void EditorView::onFDIsSet(int) {
  idleEditor(instance_.editorSlot());
}

void EditorView::onTimer() {
  idleEditor(instance_.editorSlot());
}

}  // namespace brisalonde_vst3
