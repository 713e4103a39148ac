// Storage of the module handle; written once at library attach, read by the editor.
#include "editor/win32/ModuleHandle.h"

void* moduleInstance = nullptr;
