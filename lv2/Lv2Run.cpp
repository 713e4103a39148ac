// run(): the port values first, then the event sequence into the engine's queue and the
// patch messages for the skin, then the block, every event on its frame.
#include "lv2/Lv2Run.h"

#include <lv2/atom/util.h>

#include "core/CoreAudio.h"
#include "core/ProgramSlot.h"
#include "engine/BlockProcessor.h"
#include "lv2/Lv2Instance.h"
#include "lv2/Lv2PortValues.h"
#include "params/SkinId.h"

namespace {

bool isObject(const Lv2Uris& uris, const LV2_Atom& atom) {
  return atom.type == uris.atomObject || atom.type == uris.atomBlank;
}

void takeMidi(MidiEventWriter& queue, int64_t frame, const LV2_Atom& atom) {
  if (atom.size == 0 || atom.size > 3) return;  // one channel message; no system exclusive
  const auto* bytes = static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&atom));
  if ((bytes[0] & 0x80) == 0 || bytes[0] >= 0xF0) return;
  const uint8_t data1 = atom.size > 1 ? bytes[1] : 0;
  const uint8_t data2 = atom.size > 2 ? bytes[2] : 0;
  const auto at = frame < 0 ? 0 : frame > INT32_MAX ? INT32_MAX : static_cast<int32_t>(frame);
  queue.append(at, bytes[0], data1, data2);
}

// The patch:Set answer that tells the UI the current skin.
void replySkin(Lv2Instance& p, int64_t frame) {
  if (!p.notifyOpen) return;
  LV2_Atom_Forge& forge = p.forge;
  LV2_Atom_Forge_Frame object;
  if (!lv2_atom_forge_frame_time(&forge, frame)) return;
  if (!lv2_atom_forge_object(&forge, &object, 0, p.uris.patchSet)) return;
  lv2_atom_forge_key(&forge, p.uris.patchProperty);
  lv2_atom_forge_urid(&forge, p.uris.appearance);
  lv2_atom_forge_key(&forge, p.uris.patchValue);
  lv2_atom_forge_int(&forge, p.core.skin.load());
  lv2_atom_forge_pop(&forge, &object);
}

void takePatch(Lv2Instance& p, int64_t frame, const LV2_Atom_Object& message) {
  const LV2_Atom* property = nullptr;
  const LV2_Atom* value = nullptr;
  lv2_atom_object_get(&message, p.uris.patchProperty, &property, p.uris.patchValue, &value, 0);
  if (property == nullptr || property->type != p.uris.atomUrid) return;
  const LV2_URID key = reinterpret_cast<const LV2_Atom_URID*>(property)->body;
  if (message.body.otype == p.uris.patchGet) {
    if (key == p.uris.appearance) replySkin(p, frame);
    return;
  }
  if (message.body.otype != p.uris.patchSet || value == nullptr || value->type != p.uris.atomInt ||
      value->size != sizeof(int32_t))
    return;
  const int32_t number = reinterpret_cast<const LV2_Atom_Int*>(value)->body;
  if (key == p.uris.appearance && number >= 0 && number < kNumSkins) p.core.skin.store(number);
  // The editor's program buttons: the exact values, which the ports it writes then match.
  if (key == p.uris.program) loadProgram(p.core, number);
}

void takeEvents(Lv2Instance& p) {
  if (p.events == nullptr || p.events->atom.type != p.uris.atomSequence) return;
  MidiEventWriter queue(p.core.midiQueue);  // patches leave the queue alone
  LV2_ATOM_SEQUENCE_FOREACH(p.events, ev) {
    if (ev->body.type == p.uris.midiEvent) {
      takeMidi(queue, ev->time.frames, ev->body);
    } else if (isObject(p.uris, ev->body) && ev->body.size >= sizeof(LV2_Atom_Object_Body)) {
      takePatch(p, ev->time.frames, *reinterpret_cast<const LV2_Atom_Object*>(&ev->body));
    }
  }
}

// The host hands the port with its capacity in the atom's size; we write a sequence there.
void openNotify(Lv2Instance& p) {
  p.notifyOpen = false;
  if (p.notify == nullptr) return;
  const uint32_t capacity = p.notify->atom.size;
  lv2_atom_forge_set_buffer(&p.forge, reinterpret_cast<uint8_t*>(p.notify), capacity);
  p.notifyOpen = lv2_atom_forge_sequence_head(&p.forge, &p.notifyFrame, 0) != 0;
}

void closeNotify(Lv2Instance& p) {
  if (p.notifyOpen) lv2_atom_forge_pop(&p.forge, &p.notifyFrame);
  p.notifyOpen = false;
}

}  // namespace

void runInstance(Lv2Instance& p, uint32_t frames) {
  openNotify(p);
  takePortValues(p.core, p.controls);
  if (p.startPending) {
    // As a VST 2 host resumes the plug-in after setting values: no smoothing toward them.
    resetCore(p.core);
    p.startPending = false;
  }
  takeEvents(p);
  const int32_t n = frames > INT32_MAX ? INT32_MAX : static_cast<int32_t>(frames);
  float* outputs[2] = {p.outputs[0], p.outputs[1]};
  renderFloat(p.core, outputs[0] != nullptr && outputs[1] != nullptr ? outputs : nullptr, n, false);
  closeNotify(p);
}
