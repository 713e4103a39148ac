// One whole paint of the editor face with the cairo canvas, per skin: the skin itself, the
// appearance bar and the Legato switch drawn into an 860 x 530 image surface, as the Linux
// window composes its back buffer. The fonts are made once, as an open editor keeps them.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include "editor/Layout.h"
#include "editor/Painters.h"
#include "editor/SkinId.h"
#include "editor/cairo/CairoCanvas.h"
#include "plugin/Programs.h"

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

BENCHMARK(paintFace)->ArgName("skin")->Arg(Original)->Arg(Vintage)->Arg(Silver)->Unit(
    benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
