// The fonts of an open editor on Linux: cairo faces chosen through fontconfig, made once per
// open and kept by the window layer, as the Windows layer keeps its GDI fonts.
#pragma once

#include <cairo.h>

#include "editor/DrawingTypes.h"

// One face with the cell metrics of its family, per pixel of em height.
struct CairoFace {
  cairo_font_face_t* face = nullptr;
  double ascentPerEm = 0.0;
  double descentPerEm = 0.0;
};

// The families the skins name are drawn with metric-compatible free faces: Arial and
// Segoe UI with the sans family, Consolas with the mono family. Where fontconfig lacks a
// family it substitutes its nearest (its metric aliases, then DejaVu or the default sans),
// so a missing font never stops a paint.
class CairoFonts {
 public:
  static constexpr const char* kSansFamily = "Liberation Sans";
  static constexpr const char* kMonoFamily = "Liberation Mono";

  CairoFonts() : CairoFonts(kSansFamily, kMonoFamily) {}
  // Other families in place of the two, for tests of the fallback.
  CairoFonts(const char* sansFamily, const char* monoFamily);
  ~CairoFonts();
  CairoFonts(const CairoFonts&) = delete;
  CairoFonts& operator=(const CairoFonts&) = delete;

  // The face that draws `font`: its family mapped as above (any other family draws with the
  // sans family), bold from weight 600 up.
  const CairoFace& faceFor(const FontSpec& font) const;

 private:
  enum Slot { SansRegular, SansBold, MonoRegular, MonoBold, kNumSlots };
  CairoFace faces_[kNumSlots];
};
