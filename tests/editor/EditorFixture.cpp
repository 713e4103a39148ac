// The editor test stand-in.
#include "tests/editor/EditorFixture.h"

namespace {

intptr_t recordingHost(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt) {
  if (opcode != audioMasterVersion) EditorTest::received().push_back(HostNote{opcode, index, opt});
  return opcode == audioMasterVersion ? 2400 : 0;
}

uintptr_t buttons(bool shift) {
  return 0x0001 | (shift ? kShiftKeyFlag : 0);
}

}  // namespace

std::vector<HostNote>& EditorTest::received() {
  static std::vector<HostNote> notes;
  return notes;
}

EditorTest::EditorTest() : instance(std::make_unique<PluginInstance>(recordingHost)) {
  received().clear();
  editor.owner = &instance->editorLink;
  editor.activeParam = -1;
  window.editor = &editor;
}

EditorTest::~EditorTest() {
  received().clear();
}

RouteResult EditorTest::send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return routeMessage(editor, window, message, wParam, lParam);
}

void EditorTest::press(int32_t x, int32_t y, bool shift) {
  send(kMessageButtonDown, buttons(shift), packPoint(x, y));
}

void EditorTest::moveTo(int32_t x, int32_t y, bool shift) {
  send(kMessageMouseMove, buttons(shift), packPoint(x, y));
}

void EditorTest::release(int32_t x, int32_t y) {
  send(kMessageButtonUp, 0, packPoint(x, y));
}

void EditorTest::doubleClick(int32_t x, int32_t y) {
  send(kMessageDoubleClick, buttons(false), packPoint(x, y));
}

void EditorTest::wheel(int32_t x, int32_t y, int32_t delta, bool shift) {
  const uintptr_t wParam =
      (static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16) | (shift ? kShiftKeyFlag : 0);
  send(kMessageWheel, wParam, packPoint(x + FakeWindow::kOriginX, y + FakeWindow::kOriginY));
}

std::vector<HostNote> EditorTest::notes(int32_t opcode) const {
  std::vector<HostNote> found;
  for (const HostNote& note : received())
    if (note.opcode == opcode) found.push_back(note);
  return found;
}
