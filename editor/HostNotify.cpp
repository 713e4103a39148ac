// Edits made in the editor, conformed and reported to the host.
#include "editor/HostNotify.h"

#include "editor/EditorLink.h"
#include "editor/WindowPort.h"
#include "params/ParamTable.h"

void applyEdit(EditorLink& instance, int32_t id, double value) {
  if (!isValidParam(id)) return;
  const double stored = quantize(value, kParamTable[id].steps);
  instance.storeValue(id, stored);
  instance.automate(id, stored);
}

void applyBracketedEdit(EditorLink& instance, WindowPort& window, int32_t id, double value) {
  instance.beginEdit(id);
  applyEdit(instance, id, value);
  window.invalidate();
  instance.endEdit(id);
}
