// What both drawing layers speak of: colours of text and plain fills, pixel rectangles, fonts
// by their look, and how a line of text sits in its rectangle.
#pragma once

#include <cstdint>

// 8-bit RGB: the plain layer's fills and lines, and every text colour.
struct Rgb {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A pixel rectangle: right and bottom are excluded when filled.
struct RectI {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  friend bool operator==(const RectI&, const RectI&) = default;
};

// A font by what it looks like: family name, character (em) height in pixels and weight.
struct FontSpec {
  const char* family;  // "Segoe UI", "Arial" or "Consolas"
  int32_t pixelSize;
  int32_t weight;  // 400 regular, 700 bold
};

constexpr int32_t kRegularWeight = 400;
constexpr int32_t kBoldWeight = 700;

// Text in a rectangle is one line, vertically centred on the font's cell height, drawn with
// no prefix processing; it is placed at the left edge or centred horizontally.
enum class TextAlign : uint8_t { Left, Centre };
