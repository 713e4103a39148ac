// Canvas calls mapped onto GDI (fills, outlines, text) and GDI+ (anti-aliased shapes).
#include "editor/win32/GdiCanvas.h"

using namespace gdiplus;

namespace {

constexpr size_t kMaxFaceText = 255;

COLORREF colorOf(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

RECT rectOf(RectI rect) {
  return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

// Single-line text, vertically centred, no prefix processing; left or centred.
UINT textFormatOf(TextAlign align) {
  const UINT single = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  return align == TextAlign::Centre ? single | DT_CENTER : single | DT_LEFT;
}

}  // namespace

HFONT makeGdiFont(const FontSpec& font) {
  return CreateFontA(-font.pixelSize, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, font.family);
}

GdiCanvas::GdiCanvas(HDC dc, const GdiResources& resources) : dc_(dc), resources_(resources) {}

GdiCanvas::~GdiCanvas() {
  closeShapes();
}

// --- Plain layer, GDI --------------------------------------------------------------------

void GdiCanvas::saveState() {
  SaveDC(dc_);
}

void GdiCanvas::restoreState() {
  RestoreDC(dc_, -1);
}

void GdiCanvas::fillBackground(RectI rect) {
  const RECT area = rectOf(rect);
  FillRect(dc_, &area, resources_.backgroundBrush);
}

void GdiCanvas::fillSolid(RectI rect, Rgb colour) {
  const RECT area = rectOf(rect);
  HBRUSH brush = CreateSolidBrush(colorOf(colour));
  FillRect(dc_, &area, brush);
  DeleteObject(brush);
}

void GdiCanvas::outlineEllipse(RectI bounds, Rgb colour, int32_t penWidth) {
  HPEN pen = CreatePen(PS_SOLID, penWidth, colorOf(colour));
  HGDIOBJ oldPen = SelectObject(dc_, pen);
  HGDIOBJ oldBrush = SelectObject(dc_, GetStockObject(NULL_BRUSH));
  Ellipse(dc_, bounds.left, bounds.top, bounds.right, bounds.bottom);
  SelectObject(dc_, oldBrush);
  SelectObject(dc_, oldPen);
  DeleteObject(pen);
}

void GdiCanvas::lineSegment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour,
                            int32_t penWidth) {
  HPEN pen = CreatePen(PS_SOLID, penWidth, colorOf(colour));
  HGDIOBJ oldPen = SelectObject(dc_, pen);
  MoveToEx(dc_, x0, y0, nullptr);
  LineTo(dc_, x1, y1);
  SelectObject(dc_, oldPen);
  DeleteObject(pen);
}

// Text state stays selected: the painters bracket their work with saveState/restoreState.
void GdiCanvas::selectTextStyle(EditorFont font, Rgb colour) {
  SelectObject(dc_, resources_.fonts[static_cast<int32_t>(font)]);
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, colorOf(colour));
}

void GdiCanvas::textAt(int32_t x, int32_t y, std::string_view text, EditorFont font, Rgb colour) {
  selectTextStyle(font, colour);
  TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void GdiCanvas::textIn(RectI rect, std::string_view text, EditorFont font, Rgb colour,
                       TextAlign align) {
  selectTextStyle(font, colour);
  RECT area = rectOf(rect);
  DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &area, textFormatOf(align));
}

// --- Shape layer, GDI+ -------------------------------------------------------------------

void GdiCanvas::openShapes() {
  closeShapes();
  GdipCreateFromHDC(dc_, &graphics_);
  GdipSetSmoothingMode(graphics_, kSmoothingModeAntiAlias);
}

void GdiCanvas::closeShapes() {
  if (graphics_ == nullptr) return;
  GdipDeleteGraphics(graphics_);
  graphics_ = nullptr;
}

void GdiCanvas::setSmoothing(bool on) {
  GdipSetSmoothingMode(graphics_, on ? kSmoothingModeAntiAlias : kSmoothingModeNone);
}

GpBrush* GdiCanvas::makeBrush(const Brush& brush) {
  GpBrush* made = nullptr;
  switch (brush.kind) {
    case Brush::Kind::Solid:
      GdipCreateSolidFill(brush.from, &made);
      break;
    case Brush::Kind::Gradient: {
      const GpPointF start{brush.start.x, brush.start.y};
      const GpPointF end{brush.end.x, brush.end.y};
      GdipCreateLineBrush(&start, &end, brush.from, brush.to, kWrapModeTile, &made);
      break;
    }
    case Brush::Kind::GradientInt: {
      const GpPoint start{static_cast<INT>(brush.start.x), static_cast<INT>(brush.start.y)};
      const GpPoint end{static_cast<INT>(brush.end.x), static_cast<INT>(brush.end.y)};
      GdipCreateLineBrushI(&start, &end, brush.from, brush.to, kWrapModeTile, &made);
      break;
    }
  }
  return made;
}

GpPen* GdiCanvas::makePen(const Pen& pen) {
  GpPen* made = nullptr;
  GdipCreatePen1(pen.colour, pen.width, kUnitWorld, &made);
  if (made == nullptr) return nullptr;
  if (pen.startCap != LineCap::Flat) GdipSetPenStartCap(made, static_cast<int>(pen.startCap));
  if (pen.endCap != LineCap::Flat) GdipSetPenEndCap(made, static_cast<int>(pen.endCap));
  return made;
}

void GdiCanvas::dropBrush(GpBrush* brush) {
  if (brush != nullptr) GdipDeleteBrush(brush);
}

void GdiCanvas::dropPen(GpPen* pen) {
  if (pen != nullptr) GdipDeletePen(pen);
}

void GdiCanvas::fillRectangle(const Brush& brush, float x, float y, float width, float height) {
  fillWith(brush,
           [&](GpBrush* made) { return GdipFillRectangle(graphics_, made, x, y, width, height); });
}

void GdiCanvas::fillPixelRectangle(const Brush& brush, int32_t x, int32_t y, int32_t width,
                                   int32_t height) {
  fillWith(brush,
           [&](GpBrush* made) { return GdipFillRectangleI(graphics_, made, x, y, width, height); });
}

void GdiCanvas::fillEllipse(const Brush& brush, float x, float y, float width, float height) {
  fillWith(brush,
           [&](GpBrush* made) { return GdipFillEllipse(graphics_, made, x, y, width, height); });
}

void GdiCanvas::fillPixelEllipse(const Brush& brush, int32_t x, int32_t y, int32_t width,
                                 int32_t height) {
  fillWith(brush,
           [&](GpBrush* made) { return GdipFillEllipseI(graphics_, made, x, y, width, height); });
}

void GdiCanvas::strokeLine(const Pen& pen, PointF from, PointF to) {
  GpPen* made = makePen(pen);
  GdipDrawLine(graphics_, made, from.x, from.y, to.x, to.y);
  dropPen(made);
}

void GdiCanvas::strokeRectangle(const Pen& pen, float x, float y, float width, float height) {
  GpPen* made = makePen(pen);
  GdipDrawRectangle(graphics_, made, x, y, width, height);
  dropPen(made);
}

void GdiCanvas::strokeEllipse(const Pen& pen, float x, float y, float width, float height) {
  GpPen* made = makePen(pen);
  GdipDrawEllipse(graphics_, made, x, y, width, height);
  dropPen(made);
}

void GdiCanvas::strokeArc(const Pen& pen, float x, float y, float width, float height,
                          float startAngle, float sweepAngle) {
  GpPen* made = makePen(pen);
  GdipDrawArc(graphics_, made, x, y, width, height, startAngle, sweepAngle);
  dropPen(made);
}

void GdiCanvas::strokeCurve(const Pen& pen, const PointF* points, int32_t count) {
  static_assert(sizeof(PointF) == sizeof(GpPointF));
  GpPen* made = makePen(pen);
  GdipDrawCurve(graphics_, made, reinterpret_cast<const GpPointF*>(points), count);
  dropPen(made);
}

void GdiCanvas::drawFaceText(std::u16string_view text, const FontSpec& font, Rgb colour, RectI rect,
                             TextAlign align) {
  // GDI text lands on the surface directly, so the shapes drawn so far must be there first.
  GdipFlush(graphics_, kFlushIntentionSync);
  HDC dc = nullptr;
  GdipGetDC(graphics_, &dc);
  HFONT made = makeGdiFont(font);
  if (dc != nullptr) {
    wchar_t buffer[kMaxFaceText + 1];
    const size_t length = text.size() < kMaxFaceText ? text.size() : kMaxFaceText;
    for (size_t i = 0; i < length; ++i)
      buffer[i] = static_cast<wchar_t>(text[i]);
    buffer[length] = L'\0';
    HGDIOBJ oldFont = SelectObject(dc, made);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colorOf(colour));
    RECT area = rectOf(rect);
    DrawTextW(dc, buffer, -1, &area, textFormatOf(align));
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
  }
  DeleteObject(made);
  if (dc != nullptr) GdipReleaseDC(graphics_, dc);
}
