// The few entry points of the GDI+ flat interface (gdiplus.dll) that the editor uses,
// declared from their documented signatures.
#pragma once

#include <windows.h>

namespace gdiplus {

struct GpGraphics;
struct GpBrush;
struct GpPen;

struct GpPointF {
  float X;
  float Y;
};

struct GpPoint {
  INT X;
  INT Y;
};

using GpStatus = int;
using ARGB = DWORD;

struct StartupInput {
  UINT32 GdiplusVersion;
  void* DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};

constexpr int kSmoothingModeAntiAlias = 4;
constexpr int kSmoothingModeNone = 3;
constexpr int kFlushIntentionSync = 1;
constexpr int kWrapModeTile = 0;
constexpr int kUnitWorld = 0;

extern "C" {
GpStatus WINAPI GdiplusStartup(ULONG_PTR* token, const StartupInput* input, void* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);

GpStatus WINAPI GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
GpStatus WINAPI GdipDeleteGraphics(GpGraphics* graphics);
GpStatus WINAPI GdipSetSmoothingMode(GpGraphics* graphics, int smoothingMode);
GpStatus WINAPI GdipFlush(GpGraphics* graphics, int intention);
GpStatus WINAPI GdipGetDC(GpGraphics* graphics, HDC* hdc);
GpStatus WINAPI GdipReleaseDC(GpGraphics* graphics, HDC hdc);

GpStatus WINAPI GdipCreateSolidFill(ARGB colour, GpBrush** brush);
GpStatus WINAPI GdipCreateLineBrush(const GpPointF* point1, const GpPointF* point2, ARGB colour1,
                                    ARGB colour2, int wrapMode, GpBrush** brush);
GpStatus WINAPI GdipCreateLineBrushI(const GpPoint* point1, const GpPoint* point2, ARGB colour1,
                                     ARGB colour2, int wrapMode, GpBrush** brush);
GpStatus WINAPI GdipDeleteBrush(GpBrush* brush);

GpStatus WINAPI GdipCreatePen1(ARGB colour, float width, int unit, GpPen** pen);
GpStatus WINAPI GdipDeletePen(GpPen* pen);
GpStatus WINAPI GdipSetPenStartCap(GpPen* pen, int cap);
GpStatus WINAPI GdipSetPenEndCap(GpPen* pen, int cap);

GpStatus WINAPI GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, float x, float y,
                                  float width, float height);
GpStatus WINAPI GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width,
                                   INT height);
GpStatus WINAPI GdipFillEllipse(GpGraphics* graphics, GpBrush* brush, float x, float y, float width,
                                float height);
GpStatus WINAPI GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width,
                                 INT height);
GpStatus WINAPI GdipDrawLine(GpGraphics* graphics, GpPen* pen, float x1, float y1, float x2,
                             float y2);
GpStatus WINAPI GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, float x, float y, float width,
                                  float height);
GpStatus WINAPI GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, float x, float y, float width,
                                float height);
GpStatus WINAPI GdipDrawArc(GpGraphics* graphics, GpPen* pen, float x, float y, float width,
                            float height, float startAngle, float sweepAngle);
GpStatus WINAPI GdipDrawCurve(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
}

}  // namespace gdiplus
