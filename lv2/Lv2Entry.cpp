// The DSP binary's one export, lv2_descriptor, and the life cycle behind it. It needs only
// urid:map; options and block-length promises are not used, so any block length plays.
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstring>
#include <new>

#include "core/CoreAudio.h"
#include "lv2/Lv2Instance.h"
#include "lv2/Lv2Run.h"
#include "lv2/Lv2State.h"

namespace {

const LV2_URID_Map* findMap(const LV2_Feature* const* features) {
  if (features == nullptr) return nullptr;
  for (const LV2_Feature* const* f = features; *f != nullptr; ++f) {
    if ((*f)->URI != nullptr && std::strcmp((*f)->URI, LV2_URID__map) == 0)
      return static_cast<const LV2_URID_Map*>((*f)->data);
  }
  return nullptr;
}

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*,
                       const LV2_Feature* const* features) {
  const LV2_URID_Map* map = findMap(features);
  if (map == nullptr || map->map == nullptr) return nullptr;
  auto* p = new (std::nothrow) Lv2Instance;
  if (p == nullptr) return nullptr;
  if (!acceptSampleRate(p->core, rate)) {
    delete p;
    return nullptr;
  }
  mapUris(*map, p->uris);
  lv2_atom_forge_init(&p->forge, const_cast<LV2_URID_Map*>(map));
  for (auto& control : p->controls)
    control = nullptr;
  p->events = nullptr;
  p->outputs[0] = p->outputs[1] = nullptr;
  p->notify = nullptr;
  p->notifyOpen = false;
  p->startPending = true;
  return p;
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
  if (handle == nullptr) return;
  auto& p = *static_cast<Lv2Instance*>(handle);
  if (port < static_cast<uint32_t>(kNumParams)) {
    p.controls[port] = static_cast<const float*>(data);
  } else if (port == kLv2EventsPort) {
    p.events = static_cast<const LV2_Atom_Sequence*>(data);
  } else if (port == kLv2LeftPort || port == kLv2RightPort) {
    p.outputs[port - kLv2LeftPort] = static_cast<float*>(data);
  } else if (port == kLv2NotifyPort) {
    p.notify = static_cast<LV2_Atom_Sequence*>(data);
  }
}

void activate(LV2_Handle handle) {
  if (handle != nullptr) static_cast<Lv2Instance*>(handle)->startPending = true;
}

void run(LV2_Handle handle, uint32_t frames) {
  if (handle != nullptr) runInstance(*static_cast<Lv2Instance*>(handle), frames);
}

void deactivate(LV2_Handle) {}

void cleanup(LV2_Handle handle) {
  delete static_cast<Lv2Instance*>(handle);
}

const void* extensionData(const char* uri) {
  static const LV2_State_Interface state = {saveState, restoreState};
  if (uri != nullptr && std::strcmp(uri, LV2_STATE__interface) == 0) return &state;
  return nullptr;
}

const LV2_Descriptor kDescriptor = {kLv2PluginUri, instantiate, connectPort, activate,
                                    run,           deactivate,  cleanup,     extensionData};

}  // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
