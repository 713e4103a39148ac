// What the dispatcher needs of the editor: open it in a host window and close it.
#pragma once

struct PluginInstance;

// 1 when the editor window exists, else 0 (a null parent, or no editor on this platform).
int openEditor(PluginInstance& instance, void* parentWindow);

// Closes an open editor, ending a drag in progress; harmless when none is open.
void closeEditor(PluginInstance& instance);
