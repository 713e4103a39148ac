// An open editor that nothing changes sends nothing to the X server: its refresh ticks
// compare what it shows with the instance and put no picture; a change, and an exposure,
// still put one at the next tick or idle call. The puts are counted by the server.
#include <X11/Xproto.h>

#include "tests/x11/X11EditorFixture.h"
#include "tests/x11/X11RequestCount.h"

namespace {

constexpr uint32_t kSelected = rgbPixel(226, 176, 104);

TEST_F(X11EditorTest, IdleTicksPutNothingButChangesAndExposuresDo) {
  TestPlugin plugin;
  const Window editor = open(plugin, *host_);
  ASSERT_NE(editor, 0u);
  idleFor(3 * kIdlePeriodMs);
  X11RequestCount puts(X_PutImage);
  ASSERT_TRUE(puts.ok()) << "the X server has no RECORD extension";

  idleFor(1000);  // ten ticks
  EXPECT_EQ(puts.count(), 0) << "an idle editor put a picture";

  plugin.set(14, 0.0f);
  idleFor(150);  // a tick and an idle call after it
  EXPECT_EQ(picture(editor).at(663, 350), kSelected) << "the change is not shown";
  // Xlib cuts one picture into several requests of the server's largest size.
  const int onePicture = puts.count();
  EXPECT_GT(onePicture, 0) << "the change was not put";
  idleFor(500);
  EXPECT_EQ(puts.count(), onePicture) << "ticks after the change put it again";

  XClearArea(display_, editor, 0, 0, 0, 0, True);  // exposes the whole window
  XSync(display_, False);
  idle();
  EXPECT_EQ(puts.count(), 2 * onePicture) << "an exposure must be answered with the picture";
}

}  // namespace
