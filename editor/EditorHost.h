// What the dispatcher needs of the editor: open it in a host window, serve it from the host's
// idle calls, and close it.
#pragma once

struct PluginInstance;

// 1 when the editor window exists, else 0 (a null parent, or no editor on this platform).
int openEditor(PluginInstance& instance, void* parentWindow);

// Closes an open editor, ending a drag in progress; harmless when none is open.
void closeEditor(PluginInstance& instance);

// The host's periodic idle call (effEditIdle): where the window system has no timer of the
// editor's own (X11), it reads the window's events, refreshes and paints from here; on
// Windows the window's own timer does that and this does nothing.
void idleEditor(PluginInstance& instance);
