// skins-paint-times: how long the editor of the Windows build takes to paint each appearance.
// Opens the editor in a window of its own, as a host does, and times complete WM_PAINT
// passes (face, appearance bar, Legato switch, copy to the window) with the performance
// counter; prints the median, fastest and slowest of many paints per appearance.
//
//   skins-paint-times [--plugin PATH] [--paints N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/host/PluginModule.h"
#include "tools/snapshot/HostWindow.h"

namespace {

constexpr int32_t kEditorWidth = 860;
constexpr int32_t kEditorHeight = 530;
constexpr wchar_t kEditorClass[] = L"BrisalondeMultiSkinVST2_110";
constexpr int kDefaultPaints = 200;
constexpr int kWarmUpPaints = 5;
constexpr const char* kSkinNames[] = {"Original", "Vintage", "Silver"};
// A point inside each appearance segment of the bar.
constexpr POINT kSegmentPoint[] = {{530, 47}, {628, 47}, {726, 47}};

intptr_t hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

double millisecondsBetween(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double paintOnce(HWND editor, LARGE_INTEGER frequency) {
  InvalidateRect(editor, nullptr, FALSE);
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceCounter(&start);
  UpdateWindow(editor);
  GdiFlush();
  QueryPerformanceCounter(&end);
  return millisecondsBetween(start, end, frequency);
}

void measure(HWND editor, int32_t skin, int paints) {
  const POINT at = kSegmentPoint[skin];
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int k = 0; k < kWarmUpPaints; ++k)
    paintOnce(editor, frequency);
  std::vector<double> times;
  for (int k = 0; k < paints; ++k)
    times.push_back(paintOnce(editor, frequency));
  std::sort(times.begin(), times.end());
  std::printf("%-9s paints %4d  median %7.2f ms  fastest %7.2f ms  slowest %7.2f ms\n",
              kSkinNames[skin], paints, times[times.size() / 2], times.front(), times.back());
}

}  // namespace

int main(int argc, char** argv) {
  std::string plugin;
  int paints = kDefaultPaints;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--plugin") == 0) plugin = argv[i + 1];
    if (std::strcmp(argv[i], "--paints") == 0) paints = std::max(1, std::atoi(argv[i + 1]));
  }
  if (plugin.empty()) {
    std::fprintf(stderr, "usage: skins-paint-times --plugin PATH [--paints N]\n");
    return 2;
  }
  PluginModule module;
  if (!module.load(plugin)) {
    std::fprintf(stderr, "%s\n", module.error().c_str());
    return 1;
  }
  AEffect* effect = module.entry()(hostCallback);
  if (effect == nullptr) return 1;
  int status = 1;
  {
    HostWindow host(kEditorWidth, kEditorHeight);
    if (host.handle() != nullptr &&
        effect->dispatcher(effect, effEditOpen, 0, 0, host.handle(), 0.0f) == 1) {
      if (HWND editor = findChildOfClass(host.handle(), kEditorClass)) {
        for (int32_t skin = 0; skin < 3; ++skin)
          measure(editor, skin, paints);
        status = 0;
      }
      effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    }
  }
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  return status;
}
