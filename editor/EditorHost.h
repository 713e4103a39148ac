// What the plug-in needs of the editor: open it in a host window, serve it from the host's
// idle calls, and close it. `editor` is the instance's slot for the open editor, null while
// closed.
#pragma once

#include <cstdint>

class EditorLink;
struct EditorWindow;

// 1 when the editor window exists, else 0 (a null parent, or a window the system would not make).
int openEditor(EditorWindow*& editor, EditorLink& owner, void* parentWindow);

// Closes an open editor, ending a drag in progress; harmless when none is open.
void closeEditor(EditorWindow*& editor);

// The host's periodic idle call (effEditIdle): where the window system gives the editor no
// timer of its own (X11), it reads the window's events, refreshes and paints from here; on
// Windows the window's own timer does that and this does nothing.
void idleEditor(EditorWindow* editor);

// The file descriptor of the open editor's own display connection (X11), for hosts that
// serve the editor from a run loop watching it; -1 where the window system needs none, or
// when no editor is open.
int editorEventSource(EditorWindow* editor);

// The open editor's own window (an X11 window id, or an HWND), for hosts that want the
// widget itself; 0 when no editor is open.
uintptr_t editorWindowHandle(EditorWindow* editor);
