// The Vintage skin: a dark brushed faceplate between wooden cheeks, a cream header,
// knobs with amber scale lamps, and a dark footer.
#include <string_view>

#include "editor/FaceTexts.h"
#include "editor/Layout.h"
#include "editor/SkinDrawing.h"
#include "editor/VintageBackdrop.h"
#include "editor/VintageKnob.h"
#include "editor/VintageSkin.h"
#include "editor/WideValueText.h"

namespace {

constexpr FaceTextStyle kTitleStyle{kTitleFont, {37, 44, 38}, TextAlign::Left};
constexpr RectI kTitleRect{45, 20, 425, 57};
constexpr FaceTextStyle kModelLineStyle{kFineTextFont, {66, 70, 54}, TextAlign::Left};
constexpr RectI kModelLineRect{47, 58, 527, 74};

constexpr PixelPoint kHeaderScrews[] = {{35, 22}, {825, 22}, {35, 77}, {825, 77}};
constexpr PixelPoint kFooterScrews[] = {{35, 519}, {825, 519}};

// Program buttons: a cream gradient face over a dark shadow that shows as a band below it.
constexpr int32_t kButtonFirstX = 30;
constexpr int32_t kButtonWidth = 150;
constexpr int32_t kButtonTop = 105;
constexpr int32_t kButtonHeight = 27;
constexpr Argb kButtonShadow = 0xFF0A0D0B;
constexpr int32_t kButtonShadowTop = 107;
constexpr int32_t kButtonShadowHeight = 29;
constexpr Argb kButtonFaceTop = 0xFFCDC6A3;
constexpr Argb kButtonFaceBottom = 0xFF9D9779;
constexpr Pen kButtonTopLightPen{0xFFEAE1BF, 1.0f};
constexpr int32_t kButtonTopLightY = 106;
constexpr Pen kButtonBottomLinePen{0xFF525441, 1.0f};
constexpr int32_t kButtonBottomLineY = 131;
constexpr FaceTextStyle kButtonLabelStyle{kLabelFont, {32, 41, 34}, TextAlign::Centre};
constexpr int32_t kButtonLabelTop = 109;
constexpr int32_t kButtonLabelBottom = 127;

// Dividers between the control groups of each row.
struct Divider {
  int32_t x;
  int32_t top;
  int32_t bottom;
};
constexpr Pen kDividerPen{0x3C818368, 1.0f};
constexpr Divider kDividers[] = {
    {332, 148, 281}, {641, 148, 281},                   // levels | envelope, glide | vibrato
    {229, 300, 433}, {435, 300, 433}, {641, 300, 433},  // tremolo | pitch | output | legato
};

// Control cells: caption on top, knob, value box below; positions from the cell's base point.
constexpr int32_t kCellBaseX = 30;
constexpr int32_t kCellBaseY = 154;
constexpr FaceTextStyle kCaptionStyle{kLabelFont, {221, 213, 179}, TextAlign::Centre};
constexpr RectI kCaptionRect{-3, -2, 89, 14};
constexpr PointF kKnobCentre{43, 61};
constexpr Argb kValueBoxIdle = 0xFF141A16;
constexpr Argb kValueBoxActive = 0xFF43412B;
constexpr RectI kValueBoxRect{3, 110, 84, 130};
constexpr Rgb kValueTextIdle{209, 196, 151};
constexpr Rgb kValueTextActive{255, 222, 153};
constexpr RectI kValueTextRect{0, 108, 87, 132};
// A control's value part: the knob with its lamps and shadow (44 px around the centre at most)
// and the value box, in a column as wide as the grid's; Legato's holds only the value box,
// under the switch.
constexpr RectI kControlPartArea{-6, 14, kColumnPitch - 6, 134};
constexpr RectI kLegatoPartArea{-6, 106, kColumnPitch - 6, 134};

// Footer: a rule, the section and MIDI lines, and a dark band with the dedication.
constexpr Pen kFooterRulePen{0xFF6D7259, 1.0f};
constexpr RectI kFooterRule{45, 447, 814, 447};
constexpr FaceTextStyle kSectionStyle{kLabelFont, {176, 176, 144}, TextAlign::Left};
constexpr RectI kSectionRect{45, 454, 315, 469};
constexpr std::u16string_view kMidiLine =
    u"MIDI   \u2022   BEND \u00B1 2   \u2022   CC1 VIBRATO   \u2022   CC64 SUSTAIN";
constexpr FaceTextStyle kMidiLineStyle{
    {kArialFace, 9, kRegularWeight}, {175, 177, 145}, TextAlign::Left};
constexpr RectI kMidiLineRect{354, 454, 811, 469};
constexpr Argb kBandColour = 0xFF141915;
constexpr RectI kBandRect{45, 480, 815, 511};
constexpr Pen kBandEdgePen{0xFF505842, 1.0f};
constexpr FaceTextStyle kDedicationStyle{kDedicationFont, {208, 197, 158}, TextAlign::Centre};
constexpr RectI kDedicationRect{48, 485, 812, 505};

void drawHeader(ShapeCanvas& canvas) {
  drawStyledText(canvas, kFaceTitle, kTitleStyle, kTitleRect);
  drawStyledText(canvas, kFaceModelLine, kModelLineStyle, kModelLineRect);
  drawScrews(canvas, kHeaderScrews, kVintageScrew);
}

void drawProgramButtons(ShapeCanvas& canvas) {
  for (int32_t k = 0; k < kNumPrograms; ++k) {
    const int32_t x = kButtonFirstX + kProgramButtonPitch * k;
    canvas.fillPixelRectangle(Brush::solid(kButtonShadow), x, kButtonShadowTop, kButtonWidth,
                              kButtonShadowHeight);
    canvas.fillPixelRectangle(Brush::gradientInt(x, kButtonTop, kButtonFaceTop, x,
                                                 kButtonTop + kButtonHeight, kButtonFaceBottom),
                              x, kButtonTop, kButtonWidth, kButtonHeight);
    drawPixelLine(canvas, kButtonTopLightPen, x + 1, kButtonTopLightY, x + kButtonWidth - 1,
                  kButtonTopLightY);
    drawPixelLine(canvas, kButtonBottomLinePen, x, kButtonBottomLineY, x + kButtonWidth,
                  kButtonBottomLineY);
    drawStyledText(canvas, kFaceProgramLabels[k], kButtonLabelStyle,
                   RectI{x, kButtonLabelTop, x + kButtonWidth, kButtonLabelBottom});
  }
}

void drawDividers(ShapeCanvas& canvas) {
  for (const Divider& divider : kDividers)
    drawPixelLine(canvas, kDividerPen, divider.x, divider.top, divider.x, divider.bottom);
}

PixelPoint cellBase(int32_t id) {
  return PixelPoint{kCellBaseX + kColumnPitch * columnOf(id), kCellBaseY + kRowPitch * rowOf(id)};
}

void drawCaption(ShapeCanvas& canvas, int32_t id) {
  const PixelPoint base = cellBase(id);
  drawStyledText(canvas, kFaceCaptions[id], kCaptionStyle,
                 offsetRect(kCaptionRect, base.x, base.y));
}

// The knob, the value box and the value text: all of them follow the value or the drag.
void drawControl(ShapeCanvas& canvas, int32_t id, double value, bool active) {
  const auto [x, y] = cellBase(id);
  // Legato has no knob: the switch is drawn in its place afterwards.
  if (id != kLegato)
    drawVintageKnob(canvas, static_cast<float>(x) + kKnobCentre.x,
                    static_cast<float>(y) + kKnobCentre.y, value);
  fillPixelRect(canvas, Brush::solid(active ? kValueBoxActive : kValueBoxIdle),
                offsetRect(kValueBoxRect, x, y));
  const FaceTextStyle valueStyle{kValueFont, active ? kValueTextActive : kValueTextIdle,
                                 TextAlign::Centre};
  drawStyledText(canvas, wideValueText(id, value).view(), valueStyle,
                 offsetRect(kValueTextRect, x, y));
}

void drawFooter(ShapeCanvas& canvas) {
  drawPixelLine(canvas, kFooterRulePen, kFooterRule.left, kFooterRule.top, kFooterRule.right,
                kFooterRule.bottom);
  drawStyledText(canvas, kFaceSectionLine, kSectionStyle, kSectionRect);
  drawStyledText(canvas, kMidiLine, kMidiLineStyle, kMidiLineRect);
  fillPixelRect(canvas, Brush::solid(kBandColour), kBandRect);
  drawPixelLine(canvas, kBandEdgePen, kBandRect.left, kBandRect.top, kBandRect.right,
                kBandRect.top);
  drawStyledText(canvas, kFaceDedication, kDedicationStyle, kDedicationRect);
  drawScrews(canvas, kFooterScrews, kVintageScrew);
}

void drawSkinTop(ShapeCanvas& canvas) {
  drawVintageBackdrop(canvas);
  drawHeader(canvas);
  drawProgramButtons(canvas);
  drawDividers(canvas);
}

}  // namespace

void paintVintageSkin(ShapeCanvas& canvas, const double values[kNumParams], int32_t activeParam) {
  canvas.openShapes();
  drawSkinTop(canvas);
  for (int32_t id = 0; id < kNumParams; ++id) {
    drawCaption(canvas, id);
    drawControl(canvas, id, values[id], id == activeParam);
  }
  drawFooter(canvas);
  canvas.closeShapes();
}

void paintVintageBackdrop(ShapeCanvas& canvas) {
  canvas.openShapes();
  drawSkinTop(canvas);
  for (int32_t id = 0; id < kNumParams; ++id)
    drawCaption(canvas, id);
  drawFooter(canvas);
  canvas.closeShapes();
}

void paintVintageParts(ShapeCanvas& canvas, FacePartSet parts, const double values[kNumParams],
                       int32_t activeParam) {
  canvas.openShapes();
  for (int32_t id = 0; id < kNumParams; ++id)
    if (parts & partBit(id)) drawControl(canvas, id, values[id], id == activeParam);
  canvas.closeShapes();
}

RectI vintagePartArea(int32_t part) {
  if (!isValidParam(part)) return RectI{};
  const PixelPoint base = cellBase(part);
  return offsetRect(part == kLegato ? kLegatoPartArea : kControlPartArea, base.x, base.y);
}
