// Text runs recorded from the painters, faces painted with cairo, and ink boxes.
#include "tools/facecompare/TextInk.h"

#include <algorithm>

#include "editor/Layout.h"
#include "editor/PaintEditor.h"
#include "editor/RecordingCanvas.h"
#include "editor/cairo/CairoCanvas.h"
#include "tools/facecompare/TextFilterCanvas.h"

namespace {

// Ground within this many levels of the text colour cannot show the text's ink.
constexpr int32_t kLeastContrast = 48;

uint32_t packed(Rgb colour) {
  return (static_cast<uint32_t>(colour.red) << 16) | (static_cast<uint32_t>(colour.green) << 8) |
         colour.blue;
}

void include(InkBox& box, int32_t x, int32_t y) {
  if (box.empty()) {
    box = InkBox{x, y, x, y};
    return;
  }
  box.left = std::min(box.left, x);
  box.top = std::min(box.top, y);
  box.right = std::max(box.right, x);
  box.bottom = std::max(box.bottom, y);
}

InkBox clampedTo(const InkBox& box, const Picture& picture) {
  return InkBox{std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, picture.width - 1),
                std::min(box.bottom, picture.height - 1)};
}

}  // namespace

InkBox grown(const InkBox& box, int32_t by) {
  if (box.empty()) return box;
  return InkBox{box.left - by, box.top - by, box.right + by, box.bottom + by};
}

InkBox unite(const InkBox& a, const InkBox& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return InkBox{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

std::vector<TextRun> textRunsOf(const FaceState& state) {
  RecordingCanvas recording;
  paintEditor(recording, state.values, state.skin, state.activeParam);
  std::vector<TextRun> runs;
  for (const DrawCall& call : recording.calls) {
    if (call.op == DrawOp::TextAt) {
      runs.push_back(TextRun{call.text, call.rgb, false, call.rect});
    } else if (call.op == DrawOp::TextIn || call.op == DrawOp::DrawFaceText) {
      runs.push_back(TextRun{call.text, call.rgb, true, call.rect});
    }
  }
  return runs;
}

Picture paintFace(const FaceState& state, const CairoFonts& fonts, int32_t keptText) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWindowWidth, kWindowHeight);
  {
    CairoCanvas canvas(surface, fonts);
    if (keptText == kAllText) {
      paintEditor(canvas, state.values, state.skin, state.activeParam);
    } else {
      TextFilterCanvas filter(canvas, keptText);
      paintEditor(filter, state.values, state.skin, state.activeParam);
    }
  }
  Picture picture;
  pictureFromSurface(surface, picture);
  cairo_surface_destroy(surface);
  return picture;
}

InkBox changedBox(const Picture& a, const Picture& b, const InkBox& area) {
  InkBox box;
  const InkBox within = clampedTo(area, a);
  for (int32_t y = within.top; y <= within.bottom; ++y)
    for (int32_t x = within.left; x <= within.right; ++x)
      if (a.at(x, y) != b.at(x, y)) include(box, x, y);
  return box;
}

InkBox inkBox(const Picture& picture, const Picture& textless, Rgb colour, const InkBox& area) {
  const uint32_t ink = packed(colour);
  InkBox box;
  const InkBox within = clampedTo(area, picture);
  for (int32_t y = within.top; y <= within.bottom; ++y)
    for (int32_t x = within.left; x <= within.right; ++x) {
      const int32_t groundContrast = channelDistance(textless.at(x, y), ink);
      if (groundContrast < kLeastContrast) continue;
      if (2 * channelDistance(picture.at(x, y), ink) <= groundContrast) include(box, x, y);
    }
  return box;
}
