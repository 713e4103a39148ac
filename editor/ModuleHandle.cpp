// Storage of the module handle; written once at library attach, read by the editor.
#include "editor/ModuleHandle.h"

void* moduleInstance = nullptr;
