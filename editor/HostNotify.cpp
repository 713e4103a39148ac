// Host notifications sent by the editor; their results are ignored.
#include "editor/HostNotify.h"

#include "editor/WindowPort.h"
#include "plugin/PluginInstance.h"

namespace {

void callHost(PluginInstance& instance, int32_t opcode, int32_t index, float opt) {
  if (instance.hostCallback != nullptr)
    instance.hostCallback(&instance.effect, opcode, index, 0, nullptr, opt);
}

}  // namespace

void sendBeginEdit(PluginInstance& instance, int32_t id) {
  callHost(instance, audioMasterBeginEdit, id, 0.0f);
}

void sendEndEdit(PluginInstance& instance, int32_t id) {
  callHost(instance, audioMasterEndEdit, id, 0.0f);
}

void sendUpdateDisplay(PluginInstance& instance) {
  callHost(instance, audioMasterUpdateDisplay, 0, 0.0f);
}

void applyEdit(PluginInstance& instance, int32_t id, double value) {
  if (!isValidParam(id)) return;
  const double stored = quantize(value, kParamTable[id].steps);
  instance.paramValues[id].store(stored);
  callHost(instance, audioMasterAutomate, id, static_cast<float>(stored));
}

void applyBracketedEdit(PluginInstance& instance, WindowPort& window, int32_t id, double value) {
  sendBeginEdit(instance, id);
  applyEdit(instance, id, value);
  window.invalidate();
  sendEndEdit(instance, id);
}
