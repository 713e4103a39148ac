// The library's module handle, kept when the process attaches the library.
#pragma once

extern void* moduleInstance;
