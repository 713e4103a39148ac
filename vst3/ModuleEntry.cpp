// The module's exported entry points: the factory, and the load and unload calls hosts make
// around it (ModuleEntry and ModuleExit on Linux, InitDll and ExitDll on Windows). The module
// keeps no global state beyond the factory, so the load and unload calls only succeed. On
// Windows the module-attach handler keeps the handle the editor's window class needs.
#include "vst3/ClassFactory.h"

#if defined(_WIN32)
#include <windows.h>

#include "editor/win32/ModuleHandle.h"
#define BRISALONDE_EXPORT extern "C" __declspec(dllexport)
#else
#define BRISALONDE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

BRISALONDE_EXPORT vst3::IPluginFactory* VST3_CALL GetPluginFactory() {
  return brisalonde_vst3::moduleFactory();
}

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) moduleInstance = module;
  return TRUE;
}

BRISALONDE_EXPORT bool InitDll() {
  return true;
}
BRISALONDE_EXPORT bool ExitDll() {
  return true;
}
#else
BRISALONDE_EXPORT bool ModuleEntry(void*) {
  return true;
}
BRISALONDE_EXPORT bool ModuleExit() {
  return true;
}
#endif
