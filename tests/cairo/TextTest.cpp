// Text on cairo as the Windows layer places it: a cell of ascent plus descent, its top-left
// at the point, or centred vertically in a rectangle with the line at the left or centred.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/cairo/CairoCanvas.h"
#include "tests/cairo/TestSurface.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kInk{255, 255, 255};
// Capitals only: their ink sits between the baseline and the cap height.
constexpr const char* kCapitals = "HHHH";
constexpr FontSpec kArial13{"Arial", 13, kRegularWeight};

class Text : public ::testing::Test {
 protected:
  CairoFonts fonts;
  TestSurface surface{200, 100, kBlack};
  CairoCanvas canvas{surface.surface(), fonts};
};

TEST_F(Text, TextAtPlacesBaselineAtThePoint) {
  canvas.textAt(20, 30, kCapitals, EditorFont::Label, kInk);
  const PixelBox ink = surface.changedBox();
  ASSERT_FALSE(ink.empty());
  // Label is 13 px: a cell of ascent 12 and descent 3 (Liberation Sans), the capitals about
  // 9.5 px tall standing on the baseline at y = 30 + 12.
  EXPECT_EQ(ink.bottom, 41);
  EXPECT_GE(ink.top, 31);
  EXPECT_LE(ink.top, 33);
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.left, 22);
}

TEST_F(Text, TextInRectNotCentredVertically) {
  const RectI rect{10, 10, 190, 90};
  canvas.textIn(rect, kCapitals, EditorFont::Label, kInk, TextAlign::Left);
  const PixelBox ink = surface.changedBox();
  ASSERT_FALSE(ink.empty());
  // The cell (15 px) is centred, so the capitals sit a little below the middle.
  EXPECT_NEAR(ink.centreY(), (rect.top + rect.bottom) / 2.0, 2.0);
  EXPECT_GE(ink.left, rect.left);
  EXPECT_LE(ink.left, rect.left + 2);
}

TEST_F(Text, CentredTextNotCentredHorizontally) {
  const RectI rect{10, 10, 190, 50};
  canvas.textIn(rect, kCapitals, EditorFont::Small, kInk, TextAlign::Centre);
  const PixelBox ink = surface.changedBox();
  ASSERT_FALSE(ink.empty());
  EXPECT_NEAR(ink.centreX(), (rect.left + rect.right) / 2.0, 1.5);
  EXPECT_NEAR(ink.centreY(), (rect.top + rect.bottom) / 2.0, 2.0);
}

TEST_F(Text, FaceTextInRectNotCentred) {
  const RectI rect{0, 0, 200, 100};
  canvas.drawFaceText(u"HHH", FontSpec{"Arial", 31, kBoldWeight}, kInk, rect, TextAlign::Centre);
  const PixelBox ink = surface.changedBox();
  ASSERT_FALSE(ink.empty());
  EXPECT_NEAR(ink.centreX(), 100.0, 1.5);
  EXPECT_NEAR(ink.centreY(), 50.0, 2.5);
}

TEST_F(Text, TextInRectSpillsOutOfIt) {
  const RectI rect{10, 10, 40, 30};
  canvas.textIn(rect, "A line much wider than its box", EditorFont::Label, kInk, TextAlign::Left);
  const PixelBox ink = surface.changedBox();
  ASSERT_FALSE(ink.empty());
  EXPECT_LE(ink.right, rect.right - 1);
  EXPECT_GE(ink.top, rect.top);
  EXPECT_LE(ink.bottom, rect.bottom - 1);
}

TEST_F(Text, BoldDrawnRegular) {
  canvas.drawFaceText(u"HHHH", FontSpec{"Arial", 20, kRegularWeight}, kInk, RectI{0, 0, 200, 50},
                      TextAlign::Left);
  canvas.drawFaceText(u"HHHH", FontSpec{"Arial", 20, kBoldWeight}, kInk, RectI{0, 50, 200, 100},
                      TextAlign::Left);
  const PixelBox regular = surface.changedBox(RectI{0, 0, 200, 50});
  const PixelBox bold = surface.changedBox(RectI{0, 50, 200, 100});
  EXPECT_GT(bold.right - bold.left, regular.right - regular.left + 3);
}

// The em height is the font's pixel size: a 26-px font draws capitals twice as tall as a
// 13-px one.
TEST_F(Text, PixelSizeNotTakenAsEmHeight) {
  canvas.drawFaceText(u"H", kArial13, kInk, RectI{0, 0, 100, 50}, TextAlign::Left);
  canvas.drawFaceText(u"H", FontSpec{"Arial", 26, kRegularWeight}, kInk, RectI{100, 0, 200, 100},
                      TextAlign::Left);
  const PixelBox small = surface.changedBox(RectI{0, 0, 100, 50});
  const PixelBox large = surface.changedBox(RectI{100, 0, 200, 100});
  const int32_t smallHeight = small.bottom - small.top + 1;
  const int32_t largeHeight = large.bottom - large.top + 1;
  EXPECT_NEAR(smallHeight, 9.5, 1.0);
  EXPECT_NEAR(largeHeight, 2 * smallHeight, 2.0);
}

TEST_F(Text, MonoFamilyDrawnProportional) {
  const FontSpec consolas{"Consolas", 11, kRegularWeight};
  canvas.drawFaceText(u"iiiiiiiiii", consolas, kInk, RectI{0, 0, 200, 50}, TextAlign::Left);
  canvas.drawFaceText(u"MMMMMMMMMM", consolas, kInk, RectI{0, 50, 200, 100}, TextAlign::Left);
  const PixelBox narrow = surface.changedBox(RectI{0, 0, 200, 50});
  const PixelBox wide = surface.changedBox(RectI{0, 50, 200, 100});
  EXPECT_NEAR(narrow.right, wide.right, 4);
}

TEST_F(Text, NonLatinTextDropped) {
  canvas.drawFaceText(u"\u0142\u00B7\u2022\u00B1", kArial13, kInk, RectI{0, 0, 200, 100},
                      TextAlign::Left);
  EXPECT_FALSE(surface.changedBox().empty());
}

TEST_F(Text, UnpairedSurrogateStopsTheText) {
  const char16_t text[] = {u'H', 0xD800, u'H', 0};
  canvas.drawFaceText(text, kArial13, kInk, RectI{0, 0, 200, 100}, TextAlign::Left);
  canvas.fillSolid(RectI{190, 90, 200, 100}, kInk);
  EXPECT_FALSE(surface.changedBox(RectI{0, 0, 100, 100}).empty());
  EXPECT_EQ(surface.pixel(195, 95), kInk);
}

// The width GDI gives a line: the sum of the whole-pixel advances of the bi-level hinted
// glyphs.
double hintedWidth(const char* utf8, const char* family, double size) {
  TestSurface scratch(4, 4, kBlack);
  cairo_t* cr = cairo_create(scratch.surface());
  cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  cairo_set_font_options(cr, options);
  cairo_text_extents_t extents{};
  cairo_text_extents(cr, utf8, &extents);
  cairo_font_options_destroy(options);
  cairo_destroy(cr);
  return extents.x_advance;
}

// Small text is where the smoothed glyphs' own advances differ most from the hinted ones.
TEST_F(Text, SmoothedLineLongerOrShorterThanItsHintedWidth) {
  const char* line = "pierwowzoru tego wzoru";
  const double width = hintedWidth(line, CairoFonts::kSansFamily, 11);
  canvas.textIn(RectI{0, 0, 200, 100}, line, EditorFont::Small, kInk, TextAlign::Centre);
  const PixelBox ink = surface.changedBox();
  ASSERT_FALSE(ink.empty());
  EXPECT_NEAR(ink.right - ink.left + 1, width, 2.0);
  EXPECT_NEAR(ink.left, (200 - width) / 2, 2.0);
}

TEST(MissingFont, UnknownFamilyDrawsNothing) {
  CairoFonts fonts;
  TestSurface surface(200, 100, kBlack);
  CairoCanvas canvas(surface.surface(), fonts);
  canvas.drawFaceText(u"HHHH", FontSpec{"No Such Face 7q", 13, kRegularWeight}, kInk,
                      RectI{0, 0, 200, 100}, TextAlign::Left);
  EXPECT_FALSE(surface.changedBox().empty());
}

// fontconfig stands in for families it lacks, so the editor's text still appears.
TEST(MissingFont, MissingFreeFacesStopTheText) {
  CairoFonts fonts("No Such Sans 7q", "No Such Mono 7q");
  TestSurface surface(200, 100, kBlack);
  CairoCanvas canvas(surface.surface(), fonts);
  canvas.textIn(RectI{0, 0, 200, 50}, kCapitals, EditorFont::Label, kInk, TextAlign::Left);
  canvas.drawFaceText(u"HHHH", FontSpec{"Consolas", 11, kRegularWeight}, kInk,
                      RectI{0, 50, 200, 100}, TextAlign::Left);
  EXPECT_FALSE(surface.changedBox(RectI{0, 0, 200, 50}).empty());
  EXPECT_FALSE(surface.changedBox(RectI{0, 50, 200, 100}).empty());
}

}  // namespace
