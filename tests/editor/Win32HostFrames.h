// The host frames of a Windows test program: made at first use and kept until it ends, since
// making and mapping a top-level window costs seconds under wine. Null without a display.
#pragma once

#include <windows.h>

// Frame 0, or frame 1 beside it.
HWND win32HostFrame(int frame);
