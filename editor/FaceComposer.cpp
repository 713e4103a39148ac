// Composition of the face from the cached backdrop and the value parts.
#include "editor/FaceComposer.h"

#include "editor/EditorLink.h"
#include "editor/EditorWindow.h"
#include "editor/FaceParts.h"
#include "editor/Layout.h"

namespace {

constexpr RectI kWholeWindow{0, 0, kWindowWidth, kWindowHeight};

bool isSkin(int32_t skin) {
  return skin >= 0 && skin < kNumSkins;
}

}  // namespace

bool frameShows(const FaceCache& cache, const double values[kNumParams], int32_t skin,
                int32_t activeParam) {
  if (!cache.frameShown || !isSkin(skin)) return false;
  const FaceKey key = faceKeyOf(values, skin, activeParam);
  return cache.frameKey.skin == key.skin && cache.frameKey.activeParam == key.activeParam &&
         changedParts(cache.frameKey, key) == 0;
}

bool frameShowsEditor(const FaceCache& cache, const EditorWindow& editor) {
  double values[kNumParams];
  for (int32_t id = 0; id < kNumParams; ++id)
    values[id] = editor.owner->value(id);
  return frameShows(cache, values, editor.owner->skin(), editor.activeParam);
}

bool composeFace(FaceCache& cache, FaceSurfaces& surfaces, const double values[kNumParams],
                 int32_t skin, int32_t activeParam) {
  // Until the frame is composed again, the window shows a picture painted without it.
  if (!isSkin(skin)) {
    cache.frameShown = false;
    return false;
  }
  const FaceKey key = faceKeyOf(values, skin, activeParam);
  Canvas* frame = surfaces.frame();
  if (frame == nullptr) {
    cache.frameShown = false;
    return false;
  }
  if (!cache.backdropPainted[skin]) {
    Canvas* backdrop = surfaces.backdrop(skin);
    if (backdrop == nullptr) {
      cache.frameShown = false;
      return false;
    }
    paintEditorBackdrop(*backdrop, skin);
    cache.backdropPainted[skin] = true;
  }
  if (!cache.frameDrawn || cache.frameKey.skin != skin) {
    surfaces.copyBackdropToFrame(skin, kWholeWindow);
    paintEditorValues(*frame, values, skin, activeParam);
  } else {
    const FacePartSet parts = changedParts(cache.frameKey, key);
    if (parts == 0) {
      cache.frameShown = true;
      return true;
    }
    // The areas of different parts hold no pixel of each other: restoring one from the
    // backdrop leaves the others as they are.
    for (int32_t part = 0; part < kNumFaceParts; ++part) {
      const RectI area = facePartArea(skin, part);
      if ((parts & partBit(part)) && area.left < area.right) {
        surfaces.copyBackdropToFrame(skin, area);
      }
    }
    paintFaceParts(*frame, parts, values, skin, activeParam);
  }
  cache.frameKey = key;
  cache.frameDrawn = true;
  cache.frameShown = true;
  return true;
}
