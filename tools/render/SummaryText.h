// The summary printed after a render.
#pragma once

#include <string>

#include "tools/render/Render.h"
#include "tools/render/RenderOptions.h"

std::string formatSummary(const RenderOptions& options, const RenderSummary& summary);
