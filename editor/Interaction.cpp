// Mouse handling: regions, the drag law with its anchor, the Silver press jump, defaults on
// double-click and wheel steps; each edit is bracketed for the host.
#include "editor/Interaction.h"

#include <cmath>

#include "editor/EditorLink.h"
#include "editor/EditorWindow.h"
#include "editor/HostNotify.h"
#include "editor/Layout.h"
#include "editor/WindowPort.h"
#include "params/Programs.h"

namespace {

// Within 0..1, a non-finite result counting as 0: the continuous form of the stored-value rule.
double limitUnit(double v) {
  return quantize(v, 0);
}

double dragPerPixel(int32_t skin, bool shift) {
  const double base = skin == Silver ? kFaderDragPerPixel : kKnobDragPerPixel;
  return shift ? base * kFineDragFactor : base;
}

double wheelStep(int32_t id, bool shift) {
  const int32_t steps = kParamTable[id].steps;
  if (steps > 0) return 1.0 / steps;
  return shift ? kWheelStep * kFineDragFactor : kWheelStep;
}

double legatoByPosition(int32_t x) {
  return x >= kLegatoOnLeft ? 1.0 : 0.0;
}

// Ends a drag: one end-edit for the dragged parameter, then the capture goes.
void endDrag(EditorWindow& editor, WindowPort& window) {
  if (editor.activeParam < 0) return;
  const int32_t id = editor.activeParam;
  editor.activeParam = -1;
  editor.owner->endEdit(id);
  window.releaseCaptureIfHeld();
}

void selectSkin(EditorWindow& editor, WindowPort& window, int32_t skin) {
  endDrag(editor, window);
  editor.owner->exchangeSkin(skin);
  editor.owner->updateDisplay();
  window.invalidate();
}

void selectProgram(EditorWindow& editor, WindowPort& window, int32_t program) {
  EditorLink& instance = *editor.owner;
  instance.loadProgram(program);
  double values[kNumParams];
  programValues(program, values);
  for (int32_t id = 0; id < kNumParams; ++id)
    applyBracketedEdit(instance, window, id, values[id]);
}

void startDrag(EditorWindow& editor, WindowPort& window, int32_t id, int32_t y, bool shift,
               int32_t skin) {
  EditorLink& instance = *editor.owner;
  editor.activeParam = id;
  editor.dragAnchorY = y;
  editor.dragAnchorValue = instance.value(id);
  instance.beginEdit(id);
  window.setCapture();
  if (skin != Silver || shift) return;
  // A press away from the fader's thumb moves the thumb to the pressed point.
  const double bottom = kFaderTrackBottom + kRowPitch * rowOf(id);
  const double thumbY = bottom - kFaderTravel * editor.dragAnchorValue;
  if (std::fabs(y - thumbY) <= kFaderJumpDistance) return;
  const double target = limitUnit((bottom - y) / kFaderTravel);
  editor.dragAnchorValue = target;
  applyEdit(instance, id, target);
  window.invalidate();
}

}  // namespace

int32_t hitTestControl(int32_t x, int32_t y, int32_t skin) {
  const HitBox& cell = skin == Silver ? kFaderCellBox : kKnobCellBox;
  for (int32_t id = 0; id < kNumParams; ++id) {
    if (id == kLegato) continue;
    const int32_t dx = kColumnPitch * columnOf(id);
    const int32_t dy = kRowPitch * rowOf(id);
    if (HitBox{cell.left + dx, cell.top + dy, cell.right + dx, cell.bottom + dy}.contains(x, y))
      return id;
  }
  return -1;
}

int32_t hitTestSkinSegment(int32_t x, int32_t y) {
  for (int32_t skin = 0; skin < kNumSkins; ++skin)
    if (kSkinSegments[skin].contains(x, y)) return skin;
  return -1;
}

int32_t hitTestProgram(int32_t x, int32_t y) {
  if (!kProgramButtonRow.contains(x, y)) return -1;
  return (x - kProgramButtonRow.left) / kProgramButtonPitch;
}

bool hitLegatoSwitch(int32_t x, int32_t y) {
  return kLegatoSwitchBox.contains(x, y);
}

void onButtonDown(EditorWindow& editor, WindowPort& window, int32_t x, int32_t y, bool shift) {
  EditorLink& instance = *editor.owner;
  const int32_t skin = instance.skin();
  if (const int32_t segment = hitTestSkinSegment(x, y); segment >= 0) {
    selectSkin(editor, window, segment);
    return;
  }
  if (const int32_t program = hitTestProgram(x, y); program >= 0) {
    selectProgram(editor, window, program);
    return;
  }
  if (hitLegatoSwitch(x, y)) {
    editor.activeParam = -1;
    applyBracketedEdit(instance, window, kLegato, legatoByPosition(x));
    return;
  }
  const int32_t id = hitTestControl(x, y, skin);
  if (id < 0) {
    editor.activeParam = -1;
    return;
  }
  startDrag(editor, window, id, y, shift, skin);
}

void onMouseMove(EditorWindow& editor, WindowPort& window, int32_t y, bool shift) {
  if (editor.activeParam < 0) return;
  const double perPixel = dragPerPixel(editor.owner->skin(), shift);
  const double value = limitUnit(editor.dragAnchorValue + (editor.dragAnchorY - y) * perPixel);
  editor.dragAnchorValue = value;
  editor.dragAnchorY = y;
  applyEdit(*editor.owner, editor.activeParam, value);
  window.invalidate();
}

void onButtonUp(EditorWindow& editor, WindowPort& window) {
  endDrag(editor, window);
}

void onCaptureChanged(EditorWindow& editor) {
  if (editor.activeParam < 0) return;
  const int32_t id = editor.activeParam;
  editor.activeParam = -1;
  editor.owner->endEdit(id);
}

void onDoubleClick(EditorWindow& editor, WindowPort& window, int32_t x, int32_t y) {
  EditorLink& instance = *editor.owner;
  if (hitLegatoSwitch(x, y)) {
    applyBracketedEdit(instance, window, kLegato, legatoByPosition(x));
    return;
  }
  const int32_t id = hitTestControl(x, y, instance.skin());
  if (id < 0) return;
  applyBracketedEdit(instance, window, id, kParamTable[id].defaultValue);
}

void onWheel(EditorWindow& editor, WindowPort& window, int32_t screenX, int32_t screenY,
             int32_t delta, bool shift) {
  EditorLink& instance = *editor.owner;
  int32_t x = screenX;
  int32_t y = screenY;
  window.screenToClient(x, y);
  int32_t id = kLegato;
  double step = kLegatoWheelStep;
  if (!hitLegatoSwitch(x, y)) {
    id = hitTestControl(x, y, instance.skin());
    if (id < 0) return;
    step = wheelStep(id, shift);
  }
  const double change = step * (delta / kWheelNotch);
  applyBracketedEdit(instance, window, id, instance.value(id) + change);
}

// Outside a drag the tick repaints only when what the window shows has gone out of date: an
// idle editor sends nothing to the screen.
void onTimer(EditorWindow& editor, WindowPort& window) {
  if (editor.activeParam < 0 && !window.showsCurrentFace()) window.invalidate();
}

void endDragOnClose(EditorWindow& editor, WindowPort& window) {
  endDrag(editor, window);
}
