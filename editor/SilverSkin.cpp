// The Silver skin: a pale brushed-aluminium panel on a slate ground, faders with
// scales and coloured accents, the button of the matching factory program marked, and a
// light footer band.
#include <string_view>

#include "editor/FaceTexts.h"
#include "editor/Layout.h"
#include "editor/ProgramMatch.h"
#include "editor/SilverFader.h"
#include "editor/SilverSkin.h"
#include "editor/SkinDrawing.h"
#include "editor/WideValueText.h"

namespace {

constexpr Argb kGround = 0xFF1E272D;

// Panel: 14-px margins of ground to the left and right.
constexpr int32_t kPanelLeft = 14;
constexpr int32_t kPanelWidth = 832;
constexpr Argb kPanelTopLeft = 0xFFEDF2F5;
constexpr Argb kPanelBottomRight = 0xFFA1B1BB;
constexpr int32_t kBrushLeft = 15;
constexpr int32_t kBrushRight = 845;
constexpr int32_t kDarkBrushEvery = 3;
constexpr Pen kDarkBrushPen{0x0E314656, 1.0f};
constexpr Pen kLightBrushPen{0x12FFFFFF, 1.0f};
constexpr Pen kLeftEdgePen{0xFFF3F9FC, 1.5f};
constexpr int32_t kLeftEdgeX = 14;
constexpr Pen kRightEdgePen{0xFF647A8A, 2.0f};
constexpr int32_t kRightEdgeX = 845;

// Header: a dark rule with a light one under it, the title and the model line.
constexpr int32_t kHeaderRuleLeft = 31;
constexpr int32_t kHeaderRuleRight = 829;
constexpr Pen kHeaderRuleDarkPen{0xFF526A79, 1.0f};
constexpr int32_t kHeaderRuleDarkY = 88;
constexpr Pen kHeaderRuleLightPen{0xFFF5F9FB, 1.0f};
constexpr int32_t kHeaderRuleLightY = 90;
constexpr FaceTextStyle kTitleStyle{kTitleFont, {30, 49, 61}, TextAlign::Left};
constexpr RectI kTitleRect{38, 20, 448, 59};
constexpr FaceTextStyle kModelLineStyle{kFineTextFont, {79, 103, 117}, TextAlign::Left};
constexpr RectI kModelLineRect{40, 60, 480, 76};

constexpr PixelPoint kScrews[] = {{23, 12}, {836, 12}, {23, 518}, {836, 518}};

// Program buttons; the one whose values are the current ones gets a teal label and bar.
constexpr int32_t kButtonFirstX = 30;
constexpr int32_t kButtonWidth = 150;
constexpr int32_t kButtonTop = 105;
constexpr int32_t kButtonHeight = 27;
constexpr Argb kButtonShadow = 0xFF4F6674;
constexpr int32_t kButtonShadowTop = 107;
constexpr int32_t kButtonShadowHeight = 28;
constexpr Argb kButtonFaceTop = 0xFFEFF4F7;
constexpr Argb kButtonFaceBottom = 0xFFB1C0CA;
constexpr int32_t kButtonGradientBottom = 131;
constexpr Pen kButtonTopLightPen{0xFFFEFFFF, 1.0f};
constexpr FaceTextStyle kButtonLabelStyle{kLabelFont, {54, 75, 89}, TextAlign::Centre};
constexpr Rgb kMatchedLabelColour{27, 88, 105};
constexpr int32_t kButtonLabelTop = 107;
constexpr int32_t kButtonLabelBottom = 129;
constexpr Argb kMatchedBar = 0xFF286677;
constexpr RectI kMatchedBarRect{1, 130, 149, 133};  // from the button's left edge
// The labels and bars of all five buttons: the value part that follows the matched program.
// Anti-aliasing may touch the row under a bar.
constexpr RectI kProgramMarksArea{
    kButtonFirstX, kButtonLabelTop,
    kButtonFirstX + (kNumPrograms - 1) * kProgramButtonPitch + kButtonWidth,
    kMatchedBarRect.bottom + 1};

// Strips: one translucent panel per control, positioned from its grid offset (103c, 150r).
constexpr RectI kStripRect{29, 145, 120, 290};
constexpr PixelPoint kStripGradientStart{30, 144};
constexpr PixelPoint kStripGradientEnd{122, 285};
constexpr Argb kStripTopLeft = 0xD2EBF0F3;
constexpr Argb kStripBottomRight = 0xC8B4C3CD;
constexpr Pen kStripLightPen{0xFFF6FBFD, 1.0f};
constexpr Pen kStripShadePen{0xFF7E93A1, 1.0f};
constexpr RectI kAccentTabRect{36, 145, 113, 147};
constexpr FaceTextStyle kCaptionStyle{kLabelFont, {43, 64, 78}, TextAlign::Centre};
constexpr RectI kCaptionRect{28, 153, 120, 169};
constexpr int32_t kFaderCentreX = 73;
constexpr int32_t kFaderTop = 174;
constexpr Argb kValueBoxIdle = 0xFF283944;
constexpr Argb kValueBoxActive = 0xFF1D5162;
constexpr RectI kValueBoxRect{33, 265, 114, 283};
constexpr Pen kValueBoxLightPen{0xFFF1F7FA, 1.0f};
constexpr int32_t kValueBoxLightY = 284;
constexpr FaceTextStyle kValueStyle{kValueFont, {222, 240, 241}, TextAlign::Centre};
constexpr RectI kValueTextRect{30, 263, 117, 286};
// A strip's value part: the cap's travel with its shadow and outline, the value box and its
// light, in a column as wide as the grid's; Legato's holds only the value box, under the switch.
constexpr RectI kStripPartArea{26, 162, 26 + kColumnPitch, 290};
constexpr RectI kLegatoPartArea{26, 261, 26 + kColumnPitch, 290};

// Footer: a double rule, the section and MIDI lines, and a light band with the dedication.
constexpr int32_t kFooterLeft = 38;
constexpr int32_t kFooterRuleRight = 821;
constexpr Pen kFooterRuleDarkPen{0xFF68808E, 1.0f};
constexpr int32_t kFooterRuleDarkY = 448;
constexpr Pen kFooterRuleLightPen{0xFFF0F6F9, 1.0f};
constexpr int32_t kFooterRuleLightY = 449;
constexpr Rgb kFooterTextColour{57, 82, 98};
constexpr FaceTextStyle kSectionStyle{kLabelFont, kFooterTextColour, TextAlign::Left};
constexpr RectI kSectionRect{39, 455, 299, 474};
constexpr std::u16string_view kMidiLine =
    u"MIDI   \u00B7   BEND \u00B12   \u00B7   CC1 VIBRATO   \u00B7   CC64 SUSTAIN";
constexpr FaceTextStyle kMidiLineStyle{kFineTextFont, kFooterTextColour, TextAlign::Left};
constexpr RectI kMidiLineRect{354, 455, 822, 474};
constexpr Argb kBandColour = 0xFFB0C0C9;
constexpr RectI kBandRect{38, 484, 822, 510};
constexpr Pen kBandEdgePen{0xFF8CA1AE, 1.0f};
constexpr FaceTextStyle kDedicationStyle{kDedicationFont, {45, 70, 87}, TextAlign::Centre};
constexpr RectI kDedicationRect{42, 486, 818, 507};

void drawPanel(ShapeCanvas& canvas) {
  canvas.fillPixelRectangle(Brush::solid(kGround), 0, 0, kWindowWidth, kWindowHeight);
  canvas.fillPixelRectangle(
      Brush::gradientInt(0, 0, kPanelTopLeft, kWindowWidth, kWindowHeight, kPanelBottomRight),
      kPanelLeft, 0, kPanelWidth, kWindowHeight);
  for (int32_t y = 0; y < kWindowHeight; ++y)
    drawPixelLine(canvas, y % kDarkBrushEvery == 0 ? kDarkBrushPen : kLightBrushPen, kBrushLeft, y,
                  kBrushRight, y);
  drawPixelLine(canvas, kLeftEdgePen, kLeftEdgeX, 0, kLeftEdgeX, kWindowHeight);
  drawPixelLine(canvas, kRightEdgePen, kRightEdgeX, 0, kRightEdgeX, kWindowHeight);
}

void drawHeader(ShapeCanvas& canvas) {
  drawPixelLine(canvas, kHeaderRuleDarkPen, kHeaderRuleLeft, kHeaderRuleDarkY, kHeaderRuleRight,
                kHeaderRuleDarkY);
  drawPixelLine(canvas, kHeaderRuleLightPen, kHeaderRuleLeft, kHeaderRuleLightY, kHeaderRuleRight,
                kHeaderRuleLightY);
  drawStyledText(canvas, kFaceTitle, kTitleStyle, kTitleRect);
  drawStyledText(canvas, kFaceModelLine, kModelLineStyle, kModelLineRect);
  drawScrews(canvas, kScrews, kSilverScrew);
}

int32_t buttonLeft(int32_t k) {
  return kButtonFirstX + kProgramButtonPitch * k;
}

void drawProgramButton(ShapeCanvas& canvas, int32_t k) {
  const int32_t x = buttonLeft(k);
  canvas.fillPixelRectangle(Brush::solid(kButtonShadow), x, kButtonShadowTop, kButtonWidth,
                            kButtonShadowHeight);
  canvas.fillPixelRectangle(Brush::gradientInt(x, kButtonTop, kButtonFaceTop, x,
                                               kButtonGradientBottom, kButtonFaceBottom),
                            x, kButtonTop, kButtonWidth, kButtonHeight);
  drawPixelLine(canvas, kButtonTopLightPen, x, kButtonTop, x + kButtonWidth, kButtonTop);
}

// The label, in the marked colour with the bar under it when k is the matched program.
void drawProgramLabel(ShapeCanvas& canvas, int32_t k, int32_t matched) {
  const int32_t x = buttonLeft(k);
  FaceTextStyle labelStyle = kButtonLabelStyle;
  if (k == matched) labelStyle.colour = kMatchedLabelColour;
  drawStyledText(canvas, kFaceProgramLabels[k], labelStyle,
                 RectI{x, kButtonLabelTop, x + kButtonWidth, kButtonLabelBottom});
  if (k == matched)
    fillPixelRect(canvas, Brush::solid(kMatchedBar), offsetRect(kMatchedBarRect, x, 0));
}

PixelPoint stripOffset(int32_t id) {
  return PixelPoint{kColumnPitch * columnOf(id), kRowPitch * rowOf(id)};
}

// The strip with its lights, tab and caption, and the fader's scale and slot.
void drawStripFrame(ShapeCanvas& canvas, int32_t id) {
  const auto [p, q] = stripOffset(id);
  const RectI strip = offsetRect(kStripRect, p, q);
  fillPixelRect(
      canvas,
      Brush::gradientInt(p + kStripGradientStart.x, q + kStripGradientStart.y, kStripTopLeft,
                         p + kStripGradientEnd.x, q + kStripGradientEnd.y, kStripBottomRight),
      strip);
  drawPixelLine(canvas, kStripLightPen, strip.left, strip.top, strip.left, strip.bottom);
  drawPixelLine(canvas, kStripShadePen, strip.right, strip.top, strip.right, strip.bottom);
  fillPixelRect(canvas, Brush::solid(accentColour(id)), offsetRect(kAccentTabRect, p, q));
  drawStyledText(canvas, kFaceCaptions[id], kCaptionStyle, offsetRect(kCaptionRect, p, q));
  // Legato has no fader: the switch is drawn in its place afterwards.
  if (id != kLegato)
    drawSilverFaderTrack(canvas, static_cast<float>(p + kFaderCentreX),
                         static_cast<float>(q + kFaderTop));
}

// The fader's cap, the value box with its light and the value text.
void drawStripValue(ShapeCanvas& canvas, int32_t id, double value, bool active) {
  const auto [p, q] = stripOffset(id);
  if (id != kLegato)
    drawSilverFaderCap(canvas, id, static_cast<float>(p + kFaderCentreX),
                       static_cast<float>(q + kFaderTop), value, active);
  const RectI box = offsetRect(kValueBoxRect, p, q);
  fillPixelRect(canvas, Brush::solid(active ? kValueBoxActive : kValueBoxIdle), box);
  drawPixelLine(canvas, kValueBoxLightPen, box.left, q + kValueBoxLightY, box.right,
                q + kValueBoxLightY);
  drawStyledText(canvas, wideValueText(id, value).view(), kValueStyle,
                 offsetRect(kValueTextRect, p, q));
}

void drawFooter(ShapeCanvas& canvas) {
  drawPixelLine(canvas, kFooterRuleDarkPen, kFooterLeft, kFooterRuleDarkY, kFooterRuleRight,
                kFooterRuleDarkY);
  drawPixelLine(canvas, kFooterRuleLightPen, kFooterLeft, kFooterRuleLightY, kFooterRuleRight,
                kFooterRuleLightY);
  drawStyledText(canvas, kFaceSectionLine, kSectionStyle, kSectionRect);
  drawStyledText(canvas, kMidiLine, kMidiLineStyle, kMidiLineRect);
  fillPixelRect(canvas, Brush::solid(kBandColour), kBandRect);
  drawPixelLine(canvas, kBandEdgePen, kBandRect.left, kBandRect.top, kBandRect.right,
                kBandRect.top);
  drawStyledText(canvas, kFaceDedication, kDedicationStyle, kDedicationRect);
}

}  // namespace

void paintSilverSkin(ShapeCanvas& canvas, const double values[kNumParams], int32_t activeParam) {
  canvas.openShapes();
  drawPanel(canvas);
  drawHeader(canvas);
  const int32_t matched = matchedProgram(values);
  for (int32_t k = 0; k < kNumPrograms; ++k) {
    drawProgramButton(canvas, k);
    drawProgramLabel(canvas, k, matched);
  }
  for (int32_t id = 0; id < kNumParams; ++id) {
    drawStripFrame(canvas, id);
    drawStripValue(canvas, id, values[id], id == activeParam);
  }
  drawFooter(canvas);
  canvas.closeShapes();
}

void paintSilverBackdrop(ShapeCanvas& canvas) {
  canvas.openShapes();
  drawPanel(canvas);
  drawHeader(canvas);
  for (int32_t k = 0; k < kNumPrograms; ++k)
    drawProgramButton(canvas, k);
  for (int32_t id = 0; id < kNumParams; ++id)
    drawStripFrame(canvas, id);
  drawFooter(canvas);
  canvas.closeShapes();
}

void paintSilverParts(ShapeCanvas& canvas, FacePartSet parts, const double values[kNumParams],
                      int32_t activeParam) {
  canvas.openShapes();
  if (parts & partBit(kProgramMarksPart)) {
    const int32_t matched = matchedProgram(values);
    for (int32_t k = 0; k < kNumPrograms; ++k)
      drawProgramLabel(canvas, k, matched);
  }
  for (int32_t id = 0; id < kNumParams; ++id)
    if (parts & partBit(id)) drawStripValue(canvas, id, values[id], id == activeParam);
  canvas.closeShapes();
}

RectI silverPartArea(int32_t part) {
  if (part == kProgramMarksPart) return kProgramMarksArea;
  if (!isValidParam(part)) return RectI{};
  const auto [p, q] = stripOffset(part);
  return offsetRect(part == kLegato ? kLegatoPartArea : kStripPartArea, p, q);
}
