// The editor's requests carried out on the instance; host notifications go through the
// host callback and their results are ignored.
#include "plugin/InstanceLink.h"

#include "plugin/PluginInstance.h"
#include "plugin/ProgramState.h"

double InstanceLink::value(int32_t id) const {
  return isValidParam(id) ? instance_.paramValues[id].load() : 0.0;
}

void InstanceLink::storeValue(int32_t id, double value) {
  if (isValidParam(id)) instance_.paramValues[id].store(value);
}

int32_t InstanceLink::skin() const {
  return instance_.skin.load();
}

void InstanceLink::exchangeSkin(int32_t skin) {
  instance_.skin.exchange(skin);
}

void InstanceLink::callHost(int32_t opcode, int32_t index, float opt) {
  if (instance_.hostCallback != nullptr)
    instance_.hostCallback(&instance_.effect, opcode, index, 0, nullptr, opt);
}

void InstanceLink::beginEdit(int32_t id) {
  callHost(audioMasterBeginEdit, id, 0.0f);
}

void InstanceLink::automate(int32_t id, double value) {
  callHost(audioMasterAutomate, id, static_cast<float>(value));
}

void InstanceLink::endEdit(int32_t id) {
  callHost(audioMasterEndEdit, id, 0.0f);
}

void InstanceLink::updateDisplay() {
  callHost(audioMasterUpdateDisplay, 0, 0.0f);
}

void InstanceLink::loadProgram(int32_t program) {
  ::loadProgram(instance_, program);
}
