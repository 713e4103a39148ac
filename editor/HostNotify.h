// The editor's calls back to the host, and the one way the editor writes a value.
#pragma once

#include <cstdint>

struct PluginInstance;
class WindowPort;

void sendBeginEdit(PluginInstance& instance, int32_t id);
void sendEndEdit(PluginInstance& instance, int32_t id);
void sendUpdateDisplay(PluginInstance& instance);

// Stores the conformed value (quantize) into the parameter store and reports it to the host
// with audioMasterAutomate.
void applyEdit(PluginInstance& instance, int32_t id, double value);

// A closed edit: begin-edit, the value written and reported, a repaint request, end-edit.
void applyBracketedEdit(PluginInstance& instance, WindowPort& window, int32_t id, double value);
