// The editor's text runs in a face and where their ink lies in a picture of it.
#pragma once

#include <string>
#include <vector>

#include "editor/Canvas.h"
#include "editor/cairo/CairoFonts.h"
#include "tools/facecompare/FaceState.h"
#include "tools/facecompare/Picture.h"

// A box of pixels, all bounds inclusive; empty when right < left.
struct InkBox {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = -1;
  int32_t bottom = -1;
  bool empty() const { return right < left || bottom < top; }
};

InkBox grown(const InkBox& box, int32_t by);
InkBox unite(const InkBox& a, const InkBox& b);

// One text run of a paint, in drawing order.
struct TextRun {
  std::u16string text;
  Rgb colour;
  bool clipped;  // drawn inside `rect`, which then bounds its ink
  RectI rect;
};

std::vector<TextRun> textRunsOf(const FaceState& state);

// The face painted with the cairo canvas: all of it (keptText = kAllText), without texts
// (TextFilterCanvas::kNoText), or with the one text run `keptText`.
constexpr int32_t kAllText = -2;
Picture paintFace(const FaceState& state, const CairoFonts& fonts, int32_t keptText);

// The pixels where two pictures differ at all, within `area`.
InkBox changedBox(const Picture& a, const Picture& b, const InkBox& area);

// The ink of text in `colour` within `area` of `picture`, judged against the face painted
// without text: pixels that moved at least halfway from the ground towards the text colour.
// Ground too close to the text colour to tell does not count.
InkBox inkBox(const Picture& picture, const Picture& textless, Rgb colour, const InkBox& area);
