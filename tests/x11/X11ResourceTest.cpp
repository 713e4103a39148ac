// The Linux editor's footprint on the X server and in the process: opening and closing the
// real .so's editor a hundred times, painting every appearance and a partial redraw in each
// opening, leaves no more X resources, connections or open files than the first cycle did.
#include "tests/x11/X11EditorFixture.h"

// After the fixture, which brings GoogleTest in before Xlib.
#include <X11/extensions/XRes.h>

#include <dirent.h>

#include <chrono>
#include <map>
#include <sstream>
#include <string>
#include <thread>

namespace {

constexpr int kOpenCloseCycles = 100;
// A point inside each appearance segment, clear of its label.
constexpr int32_t kSegmentX[] = {530, 628, 726};
constexpr int32_t kSegmentY = 47;
// The Legato switch, the same in every appearance: a wheel notch on it redraws that part only.
constexpr int32_t kLegatoX = 700;
constexpr int32_t kLegatoY = 360;
// The server notices a closed connection on its own time; it is given this long to.
constexpr int kSettleTries = 200;
constexpr int kSettleStepMs = 10;

// What every client of the test's own X server holds: this process is its only client.
struct XFootprint {
  int clients = 0;
  std::map<std::string, unsigned> resources;  // count per resource type

  unsigned total() const {
    unsigned sum = 0;
    for (const auto& [type, count] : resources)
      sum += count;
    return sum;
  }
  std::string describe() const {
    std::ostringstream text;
    text << clients << " clients;";
    for (const auto& [type, count] : resources)
      text << ' ' << type << ' ' << count;
    return text.str();
  }
};

XFootprint footprintOf(Display* display) {
  XFootprint footprint;
  XResClient* clients = nullptr;
  if (XResQueryClients(display, &footprint.clients, &clients) == 0) return footprint;
  for (int c = 0; c < footprint.clients; ++c) {
    int numTypes = 0;
    XResType* types = nullptr;
    if (XResQueryClientResources(display, clients[c].resource_base, &numTypes, &types) == 0)
      continue;
    for (int t = 0; t < numTypes; ++t) {
      char* name = XGetAtomName(display, types[t].resource_type);
      footprint.resources[name != nullptr ? name : "?"] += types[t].count;
      XFree(name);
    }
    XFree(types);
  }
  XFree(clients);
  return footprint;
}

// The footprint once the server has seen every editor connection go.
XFootprint settledFootprint(Display* display, int expectedClients) {
  XFootprint footprint = footprintOf(display);
  for (int k = 0; k < kSettleTries && footprint.clients > expectedClients; ++k) {
    std::this_thread::sleep_for(std::chrono::milliseconds(kSettleStepMs));
    footprint = footprintOf(display);
  }
  return footprint;
}

int openFiles() {
  DIR* directory = opendir("/proc/self/fd");
  if (directory == nullptr) return -1;
  int count = 0;
  while (readdir(directory) != nullptr)
    ++count;
  closedir(directory);
  return count;
}

class X11ResourceTest : public X11EditorTest {
 protected:
  void SetUp() override {
    X11EditorTest::SetUp();
    if (HasFatalFailure()) return;
    int event = 0, error = 0;
    ASSERT_TRUE(XResQueryExtension(display_, &event, &error)) << "the server lacks X-Resource";
  }
};

TEST_F(X11ResourceTest, HundredOpenCloseCyclesLeaveNoMoreXResourcesConnectionsOrFiles) {
  TestPlugin plugin;
  const int hostClients = footprintOf(display_).clients;
  XFootprint afterFirst;
  int filesAfterFirst = 0;
  for (int cycle = 1; cycle <= kOpenCloseCycles; ++cycle) {
    ASSERT_NE(open(plugin, *host_), 0u) << "cycle " << cycle;
    // Every cache an open editor makes: each appearance's backdrop and the frame, redrawn in
    // part after a value changed.
    for (int32_t skin = 0; skin < 3; ++skin) {
      click(kSegmentX[skin], kSegmentY);
      wheel(kLegatoX, kLegatoY, skin % 2 == 0 ? -1 : 1);
    }
    const XFootprint whileOpen = footprintOf(display_);
    close(plugin);
    const XFootprint afterClose = settledFootprint(display_, hostClients);
    const int files = openFiles();
    // The count sees the editor: its own connection with its window.
    ASSERT_GT(whileOpen.clients, afterClose.clients) << "cycle " << cycle;
    ASSERT_GT(whileOpen.total(), afterClose.total()) << "cycle " << cycle;
    if (cycle == 1) {
      afterFirst = afterClose;
      filesAfterFirst = files;
    }
    ASSERT_EQ(afterClose.clients, hostClients) << "cycle " << cycle << ": a connection stayed";
    ASSERT_LE(afterClose.total(), afterFirst.total())
        << "cycle " << cycle << ": " << afterClose.describe() << " against "
        << afterFirst.describe() << " after the first";
    ASSERT_LE(files, filesAfterFirst) << "cycle " << cycle << ": open files";
  }
}

}  // namespace
