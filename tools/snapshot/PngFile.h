// Writing a captured picture as an 8-bit RGB PNG file.
#pragma once

#include <string>

#include "tools/snapshot/Capture.h"

bool writePng(const std::string& path, const Capture& capture);
