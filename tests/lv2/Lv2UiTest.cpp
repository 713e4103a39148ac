// The UI binary on an X display: it opens inside the host's parent and asks for the
// appearance; a drag gives touch begin, port writes in plain units and touch end; a host
// port event changes the face within one idle and is not written back; it closes and opens
// again; with no display, no parent or a parent that is no window it fails cleanly. Its face
// is the VST 2 editor's, but for the format on the appearance bar.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <dlfcn.h>
#include <lv2/atom/atom.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "lv2/Lv2Identity.h"
#include "tools/host/HostedPlugin.h"
#include "tools/host/PluginModule.h"
#include "tools/snapshot/EditorPhoto.h"
#include "tools/snapshot/X11HostWindow.h"

namespace {

constexpr int32_t kFrameX = 60;
constexpr int32_t kFrameY = 40;
// A point inside the Square control in the default appearance.
constexpr int32_t kSquareX = 73;
constexpr int32_t kSquareY = 215;
// The appearance bar's corner that names the format and version.
constexpr int32_t kLabelLeft = 700;
constexpr int32_t kLabelBottom = 40;

struct Written {
  uint32_t port;
  uint32_t format;
  float value;  // for control ports
};

struct Touched {
  uint32_t port;
  bool grabbed;
};

class Lv2Ui : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "needs an X display";
    module_ = dlopen(BRISALONDE_LV2_UI_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module_, nullptr) << dlerror();
    auto entry =
        reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(dlsym(module_, "lv2ui_descriptor"));
    ASSERT_NE(entry, nullptr);
    descriptor_ = entry(0);
    ASSERT_NE(descriptor_, nullptr);
    EXPECT_STREQ(descriptor_->URI, kLv2UiUri);
    frame_ = std::make_unique<X11HostWindow>(display_, kFrameX, kFrameY, 860, 530);
    map_ = {this, mapUri};
    touch_ = {this, touchPort};
  }

  void TearDown() override {
    if (ui_ != nullptr) descriptor_->cleanup(ui_);
    frame_.reset();
    if (display_ != nullptr) XCloseDisplay(display_);
    // The module stays loaded (as it asks), so it is not closed here.
  }

  std::vector<LV2_Feature> hostFeatures(void* parent) {
    return {{LV2_UI__parent, parent},
            {LV2_UI__idleInterface, nullptr},
            {LV2_UI__touch, &touch_},
            {LV2_URID__map, &map_}};
  }

  LV2UI_Handle open(std::vector<LV2_Feature> features) {
    std::vector<const LV2_Feature*> list;
    for (const LV2_Feature& f : features)
      list.push_back(&f);
    list.push_back(nullptr);
    widget_ = nullptr;
    return descriptor_->instantiate(descriptor_, kLv2PluginUri, "", write, this, &widget_,
                                    list.data());
  }

  void idle() {
    XSync(display_, False);
    const auto* iface = static_cast<const LV2UI_Idle_Interface*>(
        descriptor_->extension_data(LV2_UI__idleInterface));
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->idle(ui_), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    iface->idle(ui_);
  }

  void pointerTo(int32_t x, int32_t y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), kFrameX + x, kFrameY + y, CurrentTime);
    idle();
  }

  void button(bool down) {
    XTestFakeButtonEvent(display_, 1, down ? True : False, CurrentTime);
    idle();
  }

  Capture picture() {
    Capture c;
    EXPECT_TRUE(captureX11Window(display_, reinterpret_cast<Window>(widget_), c));
    return c;
  }

  static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri) {
    auto& uris = static_cast<Lv2Ui*>(handle)->uris_;
    for (size_t i = 0; i < uris.size(); ++i)
      if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
  }
  static void write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
                    const void* buffer) {
    auto& self = *static_cast<Lv2Ui*>(controller);
    Written w{port, format, 0.0f};
    if (format == 0 && size == sizeof(float)) w.value = *static_cast<const float*>(buffer);
    self.written_.push_back(w);
  }
  static void touchPort(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
    static_cast<Lv2Ui*>(handle)->touched_.push_back({port, grabbed});
  }

  Display* display_ = nullptr;
  void* module_ = nullptr;
  const LV2UI_Descriptor* descriptor_ = nullptr;
  std::unique_ptr<X11HostWindow> frame_;
  LV2UI_Handle ui_ = nullptr;
  LV2UI_Widget widget_ = nullptr;
  std::vector<std::string> uris_;
  LV2_URID_Map map_{};
  LV2UI_Touch touch_{};
  std::vector<Written> written_;
  std::vector<Touched> touched_;
};

TEST_F(Lv2Ui, OpensInTheParentAndAsksForTheAppearance) {
  ui_ = open(hostFeatures(frame_->handle()));
  ASSERT_NE(ui_, nullptr);
  const std::vector<Window> children = frame_->children();
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(reinterpret_cast<Window>(widget_), children[0]);
  ASSERT_EQ(written_.size(), 1u);
  EXPECT_EQ(written_[0].port, kLv2EventsPort);
  EXPECT_EQ(written_[0].format, mapUri(this, LV2_ATOM__eventTransfer));
}

TEST_F(Lv2Ui, DragTouchesWritesPlainValuesAndLetsGo) {
  ui_ = open(hostFeatures(frame_->handle()));
  ASSERT_NE(ui_, nullptr);
  pointerTo(kSquareX, kSquareY);
  written_.clear();
  button(true);
  pointerTo(kSquareX, kSquareY - 10);
  pointerTo(kSquareX, kSquareY - 20);
  button(false);
  ASSERT_EQ(touched_.size(), 2u);
  EXPECT_EQ(touched_[0].port, 0u);
  EXPECT_TRUE(touched_[0].grabbed);
  EXPECT_EQ(touched_[1].port, 0u);
  EXPECT_FALSE(touched_[1].grabbed);
  ASSERT_EQ(written_.size(), 2u);
  EXPECT_EQ(written_[0].port, 0u);
  EXPECT_FLOAT_EQ(written_[0].value, 60.0f) << "percent, from the default 55";
  EXPECT_FLOAT_EQ(written_[1].value, 65.0f);
}

TEST_F(Lv2Ui, PortEventChangesTheFaceAndIsNotWrittenBack) {
  ui_ = open(hostFeatures(frame_->handle()));
  ASSERT_NE(ui_, nullptr);
  idle();
  const Capture before = picture();
  written_.clear();
  const float full = 100.0f;
  descriptor_->port_event(ui_, 0, sizeof full, 0, &full);
  // The face refreshes on the editor's tick, at most every 100 ms: the first idle after.
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  idle();
  const Capture after = picture();
  EXPECT_NE(before.pixels, after.pixels);
  EXPECT_TRUE(written_.empty());
}

TEST_F(Lv2Ui, FaceDiffersFromTheVst2EditorOnlyInTheFormatLabel) {
  ui_ = open(hostFeatures(frame_->handle()));
  ASSERT_NE(ui_, nullptr);
  idle();
  const Capture lv2 = picture();
  PluginModule module;
  ASSERT_TRUE(module.load(BRISALONDE_VST2_PATH)) << module.error();
  HostedPlugin vst2;
  ASSERT_TRUE(vst2.create(module));
  Capture other;
  std::string error;
  ASSERT_TRUE(photographEditor(vst2.effect(), PressPoint{}, other, error)) << error;
  ASSERT_EQ(lv2.width, other.width);
  ASSERT_EQ(lv2.height, other.height);
  int labelPixels = 0, elsewhere = 0;
  for (int32_t y = 0; y < lv2.height; ++y)
    for (int32_t x = 0; x < lv2.width; ++x)
      if (lv2.at(x, y) != other.at(x, y))
        ++(x >= kLabelLeft && y < kLabelBottom ? labelPixels : elsewhere);
  EXPECT_GT(labelPixels, 0) << "the label reads the same as in the VST 2 editor";
  EXPECT_EQ(elsewhere, 0);
}

TEST_F(Lv2Ui, ClosesAndOpensAgain) {
  ui_ = open(hostFeatures(frame_->handle()));
  ASSERT_NE(ui_, nullptr);
  descriptor_->cleanup(ui_);
  ui_ = nullptr;
  XSync(display_, False);
  EXPECT_TRUE(frame_->children().empty());
  ui_ = open(hostFeatures(frame_->handle()));
  ASSERT_NE(ui_, nullptr);
  EXPECT_EQ(frame_->children().size(), 1u);
}

TEST_F(Lv2Ui, FailsCleanlyWithoutDisplayOrParent) {
  EXPECT_EQ(open({{LV2_UI__idleInterface, nullptr}}), nullptr) << "no parent";
  EXPECT_EQ(open(hostFeatures(reinterpret_cast<void*>(uintptr_t{0x3fffff}))), nullptr)
      << "a parent that is no window";
  const std::string display = std::getenv("DISPLAY");
  setenv("DISPLAY", ":31999", 1);
  EXPECT_EQ(open(hostFeatures(frame_->handle())), nullptr) << "no display";
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_TRUE(frame_->children().empty());
}

}  // namespace
