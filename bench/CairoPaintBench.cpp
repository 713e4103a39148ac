// Paints of the editor face with the cairo canvas into 860 x 530 image surfaces, per
// skin, as the Linux window makes them: one whole paint in one pass (skin, appearance
// bar, Legato switch), and the cached face brought up to date when nothing changed and after
// one value changed. The fonts are made once, as an open editor keeps them. With a display,
// also the transfer of a composed face to a mapped window, as every paint ends.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <random>

#include "editor/FaceComposer.h"
#include "editor/Layout.h"
#include "editor/Painters.h"
#include "editor/cairo/CairoCanvas.h"
#include "editor/cairo/CairoFaceSurfaces.h"
#include "params/Programs.h"
#include "params/SkinId.h"

namespace {

void paintFace(benchmark::State& state) {
  const auto skin = static_cast<int32_t>(state.range(0));
  double values[kNumParams];
  programValues(0, values);
  const CairoFonts fonts;
  cairo_surface_t* backBuffer =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWindowWidth, kWindowHeight);
  for (auto _ : state) {
    {
      CairoCanvas canvas(backBuffer, fonts);
      paintEditor(canvas, values, skin, -1);
    }
    cairo_surface_flush(backBuffer);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(backBuffer));
  }
  cairo_surface_destroy(backBuffer);
}

// The editor's cache with its backdrop painted and a first frame composed, as after the
// first paint of an open editor.
struct CachedFace {
  CairoFonts fonts;
  CairoFaceSurfaces surfaces;
  FaceCache cache;
  double values[kNumParams];
  int32_t skin;

  explicit CachedFace(int32_t shownSkin) : skin(shownSkin) {
    programValues(0, values);
    compose();
  }
  bool compose() {
    surfaces.beginPaint(fonts);
    const bool composed = composeFace(cache, surfaces, values, skin, -1);
    surfaces.endPaint();
    return composed;
  }
};

// A paint with nothing changed: the key compared, the kept frame handed to the window as it is.
void unchangedFace(benchmark::State& state) {
  CachedFace face(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(face.compose());
    benchmark::DoNotOptimize(face.surfaces.frameSurface());
  }
}

// A paint right after one value changed, a different control each time to a random value
// (so the Vintage lamps and the Silver program mark change too, as they follow the values).
void oneValueFace(benchmark::State& state) {
  CachedFace face(static_cast<int32_t>(state.range(0)));
  std::mt19937 random(1313);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int32_t id = 0;
  for (auto _ : state) {
    id = (id + 1) % kNumParams;
    const double before = face.values[id];
    while (face.values[id] == before)
      face.values[id] = quantize(unit(random), kParamTable[id].steps);
    benchmark::DoNotOptimize(face.compose());
  }
}

// One XPutImage of the whole face to a mapped 860 x 530 window, waited for (XSync), on the
// display DISPLAY names: the rest of every paint, changed or not. Wall time: the X server's
// share is the larger.
void putFace(benchmark::State& state) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    state.SkipWithError("no X display");
    for (auto _ : state) {
    }
    return;
  }
  const int screen = DefaultScreen(display);
  XVisualInfo visual;
  if (XMatchVisualInfo(display, screen, 24, TrueColor, &visual) == 0) {
    state.SkipWithError("no 24-bit TrueColor visual");
    for (auto _ : state) {
    }
    XCloseDisplay(display);
    return;
  }
  XSetWindowAttributes attributes{};
  attributes.colormap =
      XCreateColormap(display, RootWindow(display, screen), visual.visual, AllocNone);
  const Window window =
      XCreateWindow(display, RootWindow(display, screen), 0, 0, kWindowWidth, kWindowHeight, 0, 24,
                    InputOutput, visual.visual, CWColormap, &attributes);
  XMapWindow(display, window);
  GC gc = XCreateGC(display, window, 0, nullptr);
  CachedFace face(Vintage);
  cairo_surface_t* frame = face.surfaces.frameSurface();
  XImage* image =
      XCreateImage(display, visual.visual, 24, ZPixmap, 0,
                   reinterpret_cast<char*>(cairo_image_surface_get_data(frame)), kWindowWidth,
                   kWindowHeight, 32, cairo_image_surface_get_stride(frame));
  image->byte_order = LSBFirst;
  XSync(display, False);
  for (auto _ : state) {
    XPutImage(display, window, gc, image, 0, 0, 0, 0, kWindowWidth, kWindowHeight);
    XSync(display, False);
  }
  image->data = nullptr;
  XDestroyImage(image);
  XFreeGC(display, gc);
  XDestroyWindow(display, window);
  XFreeColormap(display, attributes.colormap);
  XCloseDisplay(display);
}

BENCHMARK(paintFace)->ArgName("skin")->Arg(Original)->Arg(Vintage)->Arg(Silver)->Unit(
    benchmark::kMillisecond);
BENCHMARK(unchangedFace)
    ->ArgName("skin")
    ->Arg(Original)
    ->Arg(Vintage)
    ->Arg(Silver)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(oneValueFace)
    ->ArgName("skin")
    ->Arg(Original)
    ->Arg(Vintage)
    ->Arg(Silver)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(putFace)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
