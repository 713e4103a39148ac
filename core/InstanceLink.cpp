// The editor's requests carried out on the core; edit notifications are passed on to the
// host as they come.
#include "core/InstanceLink.h"

#include "core/HostNotifier.h"
#include "core/InstrumentCore.h"
#include "core/ProgramSlot.h"

double InstanceLink::value(int32_t id) const {
  return isValidParam(id) ? core_.paramValues[id].load() : 0.0;
}

void InstanceLink::storeValue(int32_t id, double value) {
  if (isValidParam(id)) core_.paramValues[id].store(value);
}

int32_t InstanceLink::skin() const {
  return core_.skin.load();
}

void InstanceLink::exchangeSkin(int32_t skin) {
  core_.skin.exchange(skin);
}

void InstanceLink::beginEdit(int32_t id) {
  notifier_.beginEdit(id);
}

void InstanceLink::automate(int32_t id, double value) {
  notifier_.automate(id, value);
}

void InstanceLink::endEdit(int32_t id) {
  notifier_.endEdit(id);
}

void InstanceLink::updateDisplay() {
  notifier_.updateDisplay();
}

void InstanceLink::loadProgram(int32_t program) {
  ::loadProgram(core_, program);
}
