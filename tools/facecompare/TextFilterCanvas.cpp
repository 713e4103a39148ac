// The text calls of the filtering canvas: counted, and passed on only when chosen.
#include "tools/facecompare/TextFilterCanvas.h"

void TextFilterCanvas::textAt(int32_t x, int32_t y, std::string_view text, EditorFont font,
                              Rgb colour) {
  if (passNext()) target_.textAt(x, y, text, font, colour);
}

void TextFilterCanvas::textIn(RectI rect, std::string_view text, EditorFont font, Rgb colour,
                              TextAlign align) {
  if (passNext()) target_.textIn(rect, text, font, colour, align);
}

void TextFilterCanvas::drawFaceText(std::u16string_view text, const FontSpec& font, Rgb colour,
                                    RectI rect, TextAlign align) {
  if (passNext()) target_.drawFaceText(text, font, colour, rect, align);
}
