// Keeps the last composed face and brings it up to date with as little drawing as possible:
// each appearance's backdrop is painted once into a surface of its own, and the frame, the
// picture the window shows, is redrawn only in the value parts whose inputs changed. A paint
// whose key equals the frame's draws nothing; the platform then only copies the frame to the
// window. The platform provides the surfaces; this logic is the same on every platform.
#pragma once

#include <cstdint>

#include "editor/Canvas.h"
#include "editor/FaceKey.h"
#include "params/SkinId.h"

// The platform's off-screen pictures of the window's size.
class FaceSurfaces {
 public:
  // A canvas drawing on the backdrop of `skin` (0 to 2), made on first use; null when it
  // cannot be made.
  virtual Canvas* backdrop(int32_t skin) = 0;
  // A canvas drawing on the frame, made on first use; null when it cannot be made.
  virtual Canvas* frame() = 0;
  // Copies `area` of the backdrop of `skin` to the same place in the frame.
  virtual void copyBackdropToFrame(int32_t skin, RectI area) = 0;

 protected:
  ~FaceSurfaces() = default;
};

// What the surfaces hold: which backdrops are painted and which face the frame shows.
struct FaceCache {
  bool backdropPainted[kNumSkins] = {};
  bool frameDrawn = false;
  bool frameShown = false;  // the last paint showed the frame, not a one-pass picture
  FaceKey frameKey{};
};

// True when the frame holds the face of `values`, `skin` and `activeParam` exactly.
bool frameShows(const FaceCache& cache, const double values[kNumParams], int32_t skin,
                int32_t activeParam);

// The same for what the editor's instance holds now.
struct EditorWindow;
bool frameShowsEditor(const FaceCache& cache, const EditorWindow& editor);

// Brings the frame up to the face of `values`, `skin` and `activeParam`. False when a surface
// could not be made or the skin is none of the three: the caller then paints in one pass.
bool composeFace(FaceCache& cache, FaceSurfaces& surfaces, const double values[kNumParams],
                 int32_t skin, int32_t activeParam);
