// skins-paint-times: what the editor of the Windows build costs in each skin. Opens the
// editor in a window of its own, as a host does, and measures with the performance counter
// and the process's CPU time:
// - a paint with nothing changed (InvalidateRect, then UpdateWindow);
// - a paint after the host changed one value (a different control each time);
// - the CPU the process uses while the editor stays open and idle, its 100-ms timer running;
// - the same while the host automates one parameter every 100 ms.
// Paint times are the median, fastest and slowest of many paints, with the process's CPU time
// per paint over all of them; CPU while open is a share of one core.
//
//   skins-paint-times --plugin PATH [--paints N] [--seconds S] [--skin original|vintage|silver]
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

constexpr int32_t kWindowWidth = 860;
constexpr int32_t kWindowHeight = 530;
constexpr wchar_t kEditorClass[] = L"BrisalondeMultiSkinVST2_110";
constexpr int32_t kNumSkins = 3;
constexpr int32_t kNumParams = 16;
constexpr int32_t kLegato = 14;
constexpr int32_t kAutomatedParam = 12;  // Output
constexpr int kDefaultPaints = 300;
constexpr double kDefaultSeconds = 30.0;
constexpr int kWarmUpPaints = 5;
constexpr DWORD kAutomationPeriodMs = 100;
constexpr const char* kSkinNames[kNumSkins] = {"original", "vintage", "silver"};
// A point inside each skin segment of the appearance bar.
constexpr POINT kSegmentPoint[kNumSkins] = {{530, 47}, {628, 47}, {726, 47}};

struct Options {
  std::string plugin;
  int paints = kDefaultPaints;
  double seconds = kDefaultSeconds;
  int32_t onlySkin = -1;
};

// Wall time of single paints, and the process's CPU time per paint over all of them.
struct Spread {
  double median;
  double fastest;
  double slowest;
  double cpuPerPaint;
};

intptr_t hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// User and kernel time of this process so far.
double processCpuMs() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0.0;
  const auto ticks = [](FILETIME t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
  };
  return (ticks(kernel) + ticks(user)) / 10000.0;
}

Spread spreadOf(std::vector<double> times, double cpuMs) {
  std::sort(times.begin(), times.end());
  return Spread{times[times.size() / 2], times.front(), times.back(),
                cpuMs / static_cast<double>(times.size())};
}

double paintOnce(HWND editor) {
  InvalidateRect(editor, nullptr, FALSE);
  const double start = nowMs();
  UpdateWindow(editor);
  GdiFlush();
  return nowMs() - start;
}

// A value in 0..1 that differs from the previous one handed out.
float nextValue() {
  static uint32_t state = 12345;
  state = state * 1664525u + 1013904223u;
  return static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
}

Spread unchangedPaints(HWND editor, int paints) {
  std::vector<double> times;
  const double startCpu = processCpuMs();
  for (int k = 0; k < paints; ++k)
    times.push_back(paintOnce(editor));
  return spreadOf(times, processCpuMs() - startCpu);
}

Spread oneValuePaints(AEffect* effect, HWND editor, int paints) {
  std::vector<double> times;
  const double startCpu = processCpuMs();
  for (int k = 0; k < paints; ++k) {
    const int32_t id = k % kNumParams;
    effect->setParameter(effect, id,
                         id == kLegato ? static_cast<float>(k / kNumParams % 2) : nextValue());
    times.push_back(paintOnce(editor));
  }
  return spreadOf(times, processCpuMs() - startCpu);
}

// Share of one core the process used while its messages were dispatched for `seconds`, as a
// host's message loop does; with `automate`, the host sets one parameter every 100 ms.
double cpuWhileOpen(AEffect* effect, double seconds, bool automate) {
  const double startWall = nowMs();
  const double endWall = startWall + seconds * 1000.0;
  const double startCpu = processCpuMs();
  double nextAutomation = startWall;
  for (double now = startWall; now < endWall; now = nowMs()) {
    if (automate && now >= nextAutomation) {
      effect->setParameter(effect, kAutomatedParam, nextValue());
      nextAutomation += kAutomationPeriodMs;
    }
    const double wakeAt = automate ? std::min(endWall, nextAutomation) : endWall;
    const auto waitMs = static_cast<DWORD>(std::max(0.0, wakeAt - nowMs()) + 1.0);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 100.0 * (processCpuMs() - startCpu) / (nowMs() - startWall);
}

void measure(AEffect* effect, HWND editor, int32_t skin, const Options& options) {
  const POINT at = kSegmentPoint[skin];
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  for (int k = 0; k < kWarmUpPaints; ++k)
    paintOnce(editor);
  const Spread unchanged = unchangedPaints(editor, options.paints);
  const Spread oneValue = oneValuePaints(effect, editor, options.paints);
  const double idle = cpuWhileOpen(effect, options.seconds, false);
  const double automated = cpuWhileOpen(effect, options.seconds, true);
  std::printf("%-8s | %7.2f %7.2f %7.2f %7.2f | %7.2f %7.2f %7.2f %7.2f | %5.1f %% | %5.1f %%\n",
              kSkinNames[skin], unchanged.median, unchanged.fastest, unchanged.slowest,
              unchanged.cpuPerPaint, oneValue.median, oneValue.fastest, oneValue.slowest,
              oneValue.cpuPerPaint, idle, automated);
  std::fflush(stdout);
}

// Returns an error text, or null when the arguments are good.
const char* parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return "an option lacks its value";
    const char* value = argv[++i];
    if (arg == "--plugin") {
      options.plugin = value;
    } else if (arg == "--paints") {
      options.paints = std::max(1, std::atoi(value));
    } else if (arg == "--seconds") {
      options.seconds = std::max(0.5, std::atof(value));
    } else if (arg == "--skin") {
      for (int32_t skin = 0; skin < kNumSkins; ++skin)
        if (std::strcmp(value, kSkinNames[skin]) == 0) options.onlySkin = skin;
      if (options.onlySkin < 0) return "unknown skin";
    } else {
      return "unknown option";
    }
  }
  return options.plugin.empty() ? "no plug-in given" : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const char* error = parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "%s\nusage: skins-paint-times --plugin PATH [--paints N] [--seconds S] "
                 "[--skin original|vintage|silver]\n",
                 error);
    return 2;
  }
  PluginModule module;
  if (!module.load(options.plugin)) {
    std::fprintf(stderr, "%s\n", module.error().c_str());
    return 1;
  }
  AEffect* effect = module.entry()(hostCallback);
  if (effect == nullptr) return 1;
  int status = 1;
  {
    HostWindow host(kWindowWidth, kWindowHeight);
    // What the host's own window and message loop cost, for comparison.
    const double hostAloneCpu = cpuWhileOpen(effect, options.seconds, false);
    if (host.handle() != nullptr &&
        effect->dispatcher(effect, effEditOpen, 0, 0, host.handle(), 0.0f) == 1) {
      if (HWND editor = findChildOfClass(host.handle(), kEditorClass)) {
        std::printf("%d paints each, %.1f s of CPU measurement each; times in ms\n", options.paints,
                    options.seconds);
        std::printf("host window alone, editor closed: CPU %.1f %%\n", hostAloneCpu);
        std::printf(
            "skin     | unchanged: median fastest slowest cpu/paint | one value: median "
            "fastest slowest cpu/paint | CPU idle | CPU automated\n");
        for (int32_t skin = 0; skin < kNumSkins; ++skin)
          if (options.onlySkin < 0 || options.onlySkin == skin)
            measure(effect, editor, skin, options);
        status = 0;
      }
      effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    }
  }
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  return status;
}
