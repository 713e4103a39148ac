// Comparing two pictures.
#include "tests/facecache/FacePixels.h"

#include "editor/WindowSize.h"

std::string pictureDifference(const FacePixels& a, const FacePixels& b) {
  if (a.size() != b.size())
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  size_t differing = 0;
  size_t first = 0;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && differing++ == 0) first = i;
  if (differing == 0) return {};
  return std::to_string(differing) + " pixels differ, the first at (" +
         std::to_string(first % kWindowWidth) + ", " + std::to_string(first / kWindowWidth) + ")";
}
