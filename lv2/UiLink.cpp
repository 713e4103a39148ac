// Edits to port writes and patch messages, and the host's port events back into the values
// the face is drawn from.
#include "lv2/UiLink.h"

#include <lv2/atom/forge.h>
#include <lv2/atom/util.h>
#include <lv2/patch/patch.h>

#include "lv2/Lv2Identity.h"
#include "params/ParamRanges.h"
#include "params/ParamTable.h"
#include "params/Programs.h"
#include "params/SkinId.h"

UiLink::UiLink(const UiHost& host) : host_(host) {
  programValues(0, values_);
  if (host_.map == nullptr) return;
  auto urid = [this](const char* uri) { return host_.map->map(host_.map->handle, uri); };
  eventTransfer_ = urid(LV2_ATOM__eventTransfer);
  atomInt_ = urid(LV2_ATOM__Int);
  atomUrid_ = urid(LV2_ATOM__URID);
  atomObject_ = urid(LV2_ATOM__Object);
  patchGet_ = urid(LV2_PATCH__Get);
  patchSet_ = urid(LV2_PATCH__Set);
  patchProperty_ = urid(LV2_PATCH__property);
  patchValue_ = urid(LV2_PATCH__value);
  appearance_ = urid(kLv2AppearanceUri);
  program_ = urid(kLv2ProgramUri);
}

double UiLink::value(int32_t id) const {
  return isValidParam(id) ? values_[id] : 0.0;
}

void UiLink::storeValue(int32_t id, double value) {
  if (isValidParam(id)) values_[id] = value;
}

void UiLink::writePort(int32_t id) {
  if (host_.write == nullptr) return;
  const float plain = static_cast<float>(plainOfUnit(static_cast<ParamId>(id), values_[id]));
  host_.write(host_.controller, static_cast<uint32_t>(id), sizeof plain, 0, &plain);
}

void UiLink::beginEdit(int32_t id) {
  if (host_.touch != nullptr && isValidParam(id))
    host_.touch->touch(host_.touch->handle, static_cast<uint32_t>(id), true);
}

void UiLink::automate(int32_t id, double) {
  if (isValidParam(id)) writePort(id);
}

void UiLink::endEdit(int32_t id) {
  if (host_.touch != nullptr && isValidParam(id))
    host_.touch->touch(host_.touch->handle, static_cast<uint32_t>(id), false);
}

void UiLink::sendSet(LV2_URID property, int32_t value) {
  if (host_.map == nullptr || host_.write == nullptr) return;
  alignas(8) uint8_t buffer[128];
  LV2_Atom_Forge forge;
  lv2_atom_forge_init(&forge, const_cast<LV2_URID_Map*>(host_.map));
  lv2_atom_forge_set_buffer(&forge, buffer, sizeof buffer);
  LV2_Atom_Forge_Frame frame;
  auto* message = reinterpret_cast<LV2_Atom*>(
      lv2_atom_forge_object(&forge, &frame, 0, value < 0 ? patchGet_ : patchSet_));
  lv2_atom_forge_key(&forge, patchProperty_);
  lv2_atom_forge_urid(&forge, property);
  if (value >= 0) {
    lv2_atom_forge_key(&forge, patchValue_);
    lv2_atom_forge_int(&forge, value);
  }
  lv2_atom_forge_pop(&forge, &frame);
  host_.write(host_.controller, kLv2EventsPort, lv2_atom_total_size(message), eventTransfer_,
              message);
}

void UiLink::exchangeSkin(int32_t skin) {
  if (skin < 0 || skin >= kNumSkins) return;
  skin_ = skin;
  sendSet(appearance_, skin);
}

void UiLink::requestSkin() {
  sendSet(appearance_, -1);
}

void UiLink::loadProgram(int32_t program) {
  if (!isValidProgram(program)) return;
  programValues(program, values_);
  // The program number first: the DSP side then holds the exact values, which the port
  // values written after it match.
  sendSet(program_, program);
  for (int32_t id = 0; id < kNumParams; ++id)
    writePort(id);
}

void UiLink::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
  if (buffer == nullptr) return;
  if (format == 0 && port < static_cast<uint32_t>(kNumParams) && size == sizeof(float)) {
    const auto id = static_cast<ParamId>(port);
    const float plain = *static_cast<const float*>(buffer);
    // A port that shows the value held keeps it exact.
    if (static_cast<float>(plainOfUnit(id, values_[id])) == plain) return;
    values_[id] = quantize(unitOfPlain(id, static_cast<double>(plain)), kParamTable[id].steps);
  } else if (format != 0 && format == eventTransfer_ && size >= sizeof(LV2_Atom)) {
    const auto* atom = static_cast<const LV2_Atom*>(buffer);
    if (sizeof(LV2_Atom) + atom->size <= size) takeMessage(*atom);
  }
}

void UiLink::takeMessage(const LV2_Atom& atom) {
  if (atom.type != atomObject_ || atom.size < sizeof(LV2_Atom_Object_Body)) return;
  const auto& object = reinterpret_cast<const LV2_Atom_Object&>(atom);
  if (object.body.otype != patchSet_) return;
  const LV2_Atom* property = nullptr;
  const LV2_Atom* value = nullptr;
  lv2_atom_object_get(&object, patchProperty_, &property, patchValue_, &value, 0);
  if (property == nullptr || property->type != atomUrid_ ||
      reinterpret_cast<const LV2_Atom_URID*>(property)->body != appearance_)
    return;
  if (value == nullptr || value->type != atomInt_ || value->size != sizeof(int32_t)) return;
  const int32_t skin = reinterpret_cast<const LV2_Atom_Int*>(value)->body;
  if (skin >= 0 && skin < kNumSkins) skin_ = skin;
}
