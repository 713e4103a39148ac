// How many GDI objects this process holds.
#pragma once

#include <cstddef>

// GetGuiResources' count; where that answers 0 (wine does not implement it), the live entries
// of the process's GDI handle table, which the process environment block points to.
size_t liveGdiObjects();
