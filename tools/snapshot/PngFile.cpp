// PNG output through the stb image writer.
#include "tools/snapshot/PngFile.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

bool writePng(const std::string& path, const Capture& capture) {
  if (capture.width <= 0 || capture.height <= 0) return false;
  std::vector<unsigned char> rgb;
  rgb.reserve(capture.pixels.size() * 3);
  for (uint32_t pixel : capture.pixels) {
    rgb.push_back(static_cast<unsigned char>(pixel >> 16));
    rgb.push_back(static_cast<unsigned char>(pixel >> 8));
    rgb.push_back(static_cast<unsigned char>(pixel));
  }
  return stbi_write_png(path.c_str(), capture.width, capture.height, 3, rgb.data(),
                        capture.width * 3) != 0;
}
