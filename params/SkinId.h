// The editor's three skins, kept in the instance and saved with the state.
#pragma once

#include <cstdint>

enum SkinId : int32_t { Original = 0, Vintage = 1, Silver = 2 };

constexpr int32_t kNumSkins = 3;
