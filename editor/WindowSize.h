// The editor window's fixed size in pixels: the host sizes its frame from it, and the back
// buffers and the painters fill it.
#pragma once

#include <cstdint>

constexpr int32_t kWindowWidth = 860;
constexpr int32_t kWindowHeight = 530;
