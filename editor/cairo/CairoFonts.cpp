// Making the editor's cairo faces and measuring their cell metrics once.
#include "editor/cairo/CairoFonts.h"

#include <cstring>

namespace {

constexpr int32_t kBoldFrom = 600;

// The ascent and descent that the family's own tables give, unrounded, per pixel of em:
// text cells are rounded from them the way GDI rounds its text metrics.
void measure(CairoFace& face) {
  cairo_matrix_t unit;
  cairo_matrix_init_identity(&unit);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_scaled_font_t* scaled = cairo_scaled_font_create(face.face, &unit, &unit, options);
  cairo_font_extents_t extents{};
  cairo_scaled_font_extents(scaled, &extents);
  if (cairo_scaled_font_status(scaled) == CAIRO_STATUS_SUCCESS) {
    face.ascentPerEm = extents.ascent;
    face.descentPerEm = extents.descent;
  }
  cairo_scaled_font_destroy(scaled);
  cairo_font_options_destroy(options);
}

CairoFace makeFace(const char* family, cairo_font_weight_t weight) {
  CairoFace face;
  face.face = cairo_toy_font_face_create(family, CAIRO_FONT_SLANT_NORMAL, weight);
  measure(face);
  return face;
}

bool isMonoFamily(const char* family) {
  return family != nullptr && std::strcmp(family, "Consolas") == 0;
}

}  // namespace

CairoFonts::CairoFonts(const char* sansFamily, const char* monoFamily) {
  faces_[SansRegular] = makeFace(sansFamily, CAIRO_FONT_WEIGHT_NORMAL);
  faces_[SansBold] = makeFace(sansFamily, CAIRO_FONT_WEIGHT_BOLD);
  faces_[MonoRegular] = makeFace(monoFamily, CAIRO_FONT_WEIGHT_NORMAL);
  faces_[MonoBold] = makeFace(monoFamily, CAIRO_FONT_WEIGHT_BOLD);
}

CairoFonts::~CairoFonts() {
  for (CairoFace& face : faces_)
    cairo_font_face_destroy(face.face);
}

const CairoFace& CairoFonts::faceFor(const FontSpec& font) const {
  const bool bold = font.weight >= kBoldFrom;
  if (isMonoFamily(font.family)) return faces_[bold ? MonoBold : MonoRegular];
  return faces_[bold ? SansBold : SansRegular];
}
