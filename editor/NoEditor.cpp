// The editor on platforms without a window implementation: it never opens.
#include "editor/EditorHost.h"

int openEditor(EditorWindow*&, EditorLink&, void*) {
  return 0;
}

void closeEditor(EditorWindow*&) {}
