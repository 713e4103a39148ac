// A whole editor picture as plain numbers, and how two of them differ: what the cached face
// is compared by, whatever surface drew it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every pixel of an 860 x 530 picture, top row first, all 32 bits as the surface holds them.
using FacePixels = std::vector<uint32_t>;

// Empty when the two pictures are equal; else how many pixels differ and where the first is.
std::string pictureDifference(const FacePixels& a, const FacePixels& b);
