// Edit notifications through the host callback; their results are ignored.
#include "plugin/HostCallbackNotifier.h"

#include "plugin/PluginInstance.h"

void HostCallbackNotifier::callHost(int32_t opcode, int32_t index, float opt) {
  if (instance_.hostCallback != nullptr)
    instance_.hostCallback(&instance_.effect, opcode, index, 0, nullptr, opt);
}

void HostCallbackNotifier::beginEdit(int32_t id) {
  callHost(audioMasterBeginEdit, id, 0.0f);
}

void HostCallbackNotifier::automate(int32_t id, double value) {
  callHost(audioMasterAutomate, id, static_cast<float>(value));
}

void HostCallbackNotifier::endEdit(int32_t id) {
  callHost(audioMasterEndEdit, id, 0.0f);
}

void HostCallbackNotifier::updateDisplay() {
  callHost(audioMasterUpdateDisplay, 0, 0.0f);
}
