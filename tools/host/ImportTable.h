// The import table of a loaded Windows module: the entries through which it calls functions
// of other DLLs, found by function name and pointed elsewhere. For hooks that count or fake
// what a plug-in asks of the system. Windows only.
#pragma once

#include <windows.h>

#include <functional>

// The module (program or DLL) whose image holds `address`; null when none does.
HMODULE moduleContaining(const void* address);

// Calls visit(name, entry) for each function the module imports by name; `entry` is the
// table slot holding the address the module calls.
void forEachNamedImport(HMODULE module, const std::function<void(const char*, void**)>& visit);

// Points an import entry at `target`; the table is read-only once the module is loaded.
void setImportEntry(void** entry, void* target);
