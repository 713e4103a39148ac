// The editor's calls back to the host, and the one way the editor writes a value.
#pragma once

#include <cstdint>

class EditorLink;
class WindowPort;

// Stores the conformed value (quantize) into the parameter store and reports it to the host
// with audioMasterAutomate.
void applyEdit(EditorLink& instance, int32_t id, double value);

// A closed edit: begin-edit, the value written and reported, a repaint request, end-edit.
void applyBracketedEdit(EditorLink& instance, WindowPort& window, int32_t id, double value);
