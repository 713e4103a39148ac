// What the Vintage and Silver skins share in how they draw: the fonts of their texts, a text
// style (font, colour, alignment), and shapes given in whole pixels.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "editor/Screw.h"
#include "editor/ShapeCanvas.h"

inline constexpr char kArialFace[] = "Arial";
inline constexpr char kConsolasFace[] = "Consolas";

constexpr FontSpec kTitleFont{kArialFace, 31, kBoldWeight};
constexpr FontSpec kFineTextFont{kArialFace, 10, kRegularWeight};  // model and MIDI lines
constexpr FontSpec kLabelFont{kArialFace, 10, kBoldWeight};        // captions, buttons, sections
constexpr FontSpec kValueFont{kConsolasFace, 11, kRegularWeight};
constexpr FontSpec kDedicationFont{kArialFace, 11, kRegularWeight};

struct FaceTextStyle {
  FontSpec font;
  Rgb colour;
  TextAlign align;
};

struct PixelPoint {
  int32_t x;
  int32_t y;
};

inline void drawStyledText(ShapeCanvas& canvas, std::u16string_view text,
                           const FaceTextStyle& style, RectI rect) {
  canvas.drawFaceText(text, style.font, style.colour, rect, style.align);
}

constexpr RectI offsetRect(RectI rect, int32_t dx, int32_t dy) {
  return RectI{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

// A rectangle filled with the integer variant of the call.
inline void fillPixelRect(ShapeCanvas& canvas, const Brush& brush, RectI rect) {
  canvas.fillPixelRectangle(brush, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top);
}

// A line between two whole-pixel points.
inline void drawPixelLine(ShapeCanvas& canvas, const Pen& pen, int32_t x0, int32_t y0, int32_t x1,
                          int32_t y1) {
  canvas.strokeLine(pen, PointF{static_cast<float>(x0), static_cast<float>(y0)},
                    PointF{static_cast<float>(x1), static_cast<float>(y1)});
}

inline void drawScrews(ShapeCanvas& canvas, std::span<const PixelPoint> centres,
                       ScrewColours colours) {
  for (const PixelPoint& centre : centres)
    drawScrew(canvas, centre.x, centre.y, colours);
}
