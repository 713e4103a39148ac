// The plain layer: aliased solid fills, outlined circles, straight lines of whole pixels and
// 8-bit text in cells of the editor's own fonts. The Original skin, the appearance bar and the
// Legato switch draw on it alone.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/DrawingTypes.h"

// The fonts the editor makes once per open, for the plain layer's text.
enum class EditorFont : uint8_t {
  Label,  // captions, values, text lines
  Title,  // the Original title
  Small,  // appearance bar and Legato switch captions
};
constexpr int32_t kNumEditorFonts = 3;

constexpr FontSpec kEditorFonts[kNumEditorFonts] = {
    {"Segoe UI", 13, kRegularWeight},
    {"Segoe UI", 36, kBoldWeight},
    {"Segoe UI", 11, kRegularWeight},
};

constexpr const FontSpec& fontSpecOf(EditorFont font) {
  return kEditorFonts[static_cast<int32_t>(font)];
}

// The editor's ground colour, also made once per open: the Original skin's background.
constexpr Rgb kEditorBackground{20, 34, 38};

class PlainCanvas {
 public:
  virtual ~PlainCanvas() = default;

  // Keeps and restores the whole drawing state (colours, fonts, lines) around a painter.
  virtual void saveState() = 0;
  virtual void restoreState() = 0;
  // Fills with the editor's ground colour.
  virtual void fillBackground(RectI rect) = 0;
  // Fills with one colour.
  virtual void fillSolid(RectI rect, Rgb colour) = 0;
  // The outline of the ellipse inside `bounds`, `lineWidth` pixels wide; the inside is left
  // as it was.
  virtual void outlineEllipse(RectI bounds, Rgb colour, int32_t lineWidth) = 0;
  // A straight line from the first point to the second, `lineWidth` pixels wide with round
  // ends; a one-pixel line leaves out its end point.
  virtual void lineSegment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour,
                           int32_t lineWidth) = 0;
  // 8-bit text over what is there: from a point (the top-left of its cell), or in a
  // rectangle.
  virtual void textAt(int32_t x, int32_t y, std::string_view text, EditorFont font, Rgb colour) = 0;
  virtual void textIn(RectI rect, std::string_view text, EditorFont font, Rgb colour,
                      TextAlign align) = 0;
};
