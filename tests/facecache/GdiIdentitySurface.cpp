// The face-identity walk's surface under wine: the editor's GDI bitmaps composed through GDI
// and GDI+, against the face painted in one pass on a new bitmap.
#include <windows.h>

#include "editor/win32/GdiFaceSurfaces.h"
#include "tests/facecache/IdentitySurface.h"
#include "tests/facecache/OnePassFace.h"

namespace {

class GdiIdentitySurface : public IdentitySurface {
 public:
  FacePixels composed() const override {
    HDC frame = surfaces_.frameDc();
    return frame == nullptr ? FacePixels{} : readFacePixels(frame);
  }
  FacePixels onePass(const FaceState& state) const override { return reference_.paint(state); }
  size_t pixelBytes() const override { return surfaces_.pixelBytes(); }
  // The frame's bitmap as GDI made it: its rows may be padded.
  size_t pictureBytes() const override {
    BITMAP frame{};
    HDC dc = surfaces_.frameDc();
    if (dc == nullptr || GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof frame, &frame) == 0)
      return 0;
    return static_cast<size_t>(frame.bmWidthBytes) * frame.bmHeight;
  }

 private:
  FaceSurfaces& beginPaint() override {
    surfaces_.beginPaint(reference_.screen(), reference_.resources());
    return surfaces_;
  }
  void endPaint() override { surfaces_.endPaint(); }
  void releaseSurfaces() override { surfaces_.release(); }

  OnePassFace reference_;  // GDI+ started, the editor's fonts and brush made
  GdiFaceSurfaces surfaces_;
};

}  // namespace

std::unique_ptr<IdentitySurface> makeIdentitySurface() {
  return std::make_unique<GdiIdentitySurface>();
}
