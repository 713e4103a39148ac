// The test host's lilv calls, the URID table and the event sequences it writes.
#include "tests/lv2/Lv2Host.h"

#include <lv2/atom/forge.h>
#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>
#include <lv2/patch/patch.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>

#include <cstring>

Lv2World::Lv2World(const std::string& bundleDir) {
  map_.handle = this;
  map_.map = mapUri;
  mapFeature_ = {LV2_URID__map, &map_};
  features_[0] = &mapFeature_;
  world_ = lilv_world_new();
  LilvNode* bundle = lilv_new_file_uri(world_, nullptr, (bundleDir + "/").c_str());
  lilv_world_load_bundle(world_, bundle);
  lilv_node_free(bundle);
  LilvNode* uri = lilv_new_uri(world_, kLv2PluginUri);
  plugin_ = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), uri);
  lilv_node_free(uri);
  if (plugin_ != nullptr) {
    LilvNode* presetClass = lilv_new_uri(world_, LV2_PRESETS__Preset);
    presets_ = lilv_plugin_get_related(plugin_, presetClass);
    lilv_node_free(presetClass);
  }
}

Lv2World::~Lv2World() {
  lilv_nodes_free(presets_);
  lilv_world_free(world_);
}

LV2_URID Lv2World::mapUri(LV2_URID_Map_Handle handle, const char* uri) {
  return static_cast<Lv2World*>(handle)->urid(uri);
}

LV2_URID Lv2World::urid(const char* uri) {
  for (size_t i = 0; i < uris_.size(); ++i)
    if (uris_[i] == uri) return static_cast<LV2_URID>(i + 1);
  uris_.emplace_back(uri);
  return static_cast<LV2_URID>(uris_.size());
}

const char* Lv2World::unmap(LV2_URID id) const {
  return id >= 1 && id <= uris_.size() ? uris_[id - 1].c_str() : nullptr;
}

const LilvNode* Lv2World::preset(const std::string& label) {
  if (presets_ == nullptr) return nullptr;
  LilvNode* labelPredicate = lilv_new_uri(world_, LILV_NS_RDFS "label");
  const LilvNode* found = nullptr;
  LILV_FOREACH(nodes, i, presets_) {
    const LilvNode* preset = lilv_nodes_get(presets_, i);
    lilv_world_load_resource(world_, preset);
    LilvNode* name = lilv_world_get(world_, preset, labelPredicate, nullptr);
    if (name != nullptr && label == lilv_node_as_string(name)) found = preset;
    lilv_node_free(name);
  }
  lilv_node_free(labelPredicate);
  return found;
}

Lv2Plugin::Lv2Plugin(Lv2World& world, double rate) : world_(world) {
  if (world.plugin() == nullptr) return;
  instance_ = lilv_plugin_instantiate(world.plugin(), rate, world.features());
  if (instance_ == nullptr) return;
  std::vector<float> defaults(lilv_plugin_get_num_ports(world.plugin()));
  lilv_plugin_get_port_ranges_float(world.plugin(), nullptr, nullptr, defaults.data());
  for (int32_t i = 0; i < kNumParams; ++i) {
    controls_[i] = defaults[static_cast<size_t>(i)];
    lilv_instance_connect_port(instance_, static_cast<uint32_t>(i), &controls_[i]);
  }
  lilv_instance_connect_port(instance_, kLv2EventsPort, events_);
  lilv_instance_connect_port(instance_, kLv2NotifyPort, notify_);
}

Lv2Plugin::~Lv2Plugin() {
  if (instance_ == nullptr) return;
  if (active_) lilv_instance_deactivate(instance_);
  lilv_instance_free(instance_);
}

float* Lv2Plugin::controlBySymbol(const char* symbol) {
  for (int32_t i = 0; i < kNumParams; ++i)
    if (std::strcmp(symbol, kLv2PortSymbols[i]) == 0) return &controls_[i];
  return nullptr;
}

void Lv2Plugin::setPortValue(const char* symbol, void* user, const void* value, uint32_t size,
                             uint32_t type) {
  auto& self = *static_cast<Lv2Plugin*>(user);
  float* control = self.controlBySymbol(symbol);
  if (control == nullptr || value == nullptr) return;
  const char* typeUri = self.world_.unmap(type);
  if (typeUri == nullptr) return;
  if (std::strcmp(typeUri, LV2_ATOM__Float) == 0 && size == sizeof(float)) {
    std::memcpy(control, value, sizeof(float));
  } else if (std::strcmp(typeUri, LV2_ATOM__Double) == 0 && size == sizeof(double)) {
    double d;
    std::memcpy(&d, value, sizeof d);
    *control = static_cast<float>(d);
  } else if (std::strcmp(typeUri, LV2_ATOM__Int) == 0 && size == sizeof(int32_t)) {
    int32_t k;
    std::memcpy(&k, value, sizeof k);
    *control = static_cast<float>(k);
  }
}

const void* Lv2Plugin::portValue(const char* symbol, void* user, uint32_t* size, uint32_t* type) {
  auto& self = *static_cast<Lv2Plugin*>(user);
  float* control = self.controlBySymbol(symbol);
  if (control == nullptr) return nullptr;
  *size = sizeof(float);
  *type = self.world_.urid(LV2_ATOM__Float);
  return control;
}

void Lv2Plugin::apply(const LilvState* state) {
  lilv_state_restore(state, instance_, setPortValue, this, 0, world_.features());
}

LilvState* Lv2Plugin::save() {
  return lilv_state_new_from_instance(world_.plugin(), instance_, world_.map(), nullptr, nullptr,
                                      nullptr, nullptr, portValue, this,
                                      LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, world_.features());
}

void Lv2Plugin::activate() {
  lilv_instance_activate(instance_);
  active_ = true;
}

void Lv2Plugin::deactivate() {
  lilv_instance_deactivate(instance_);
  active_ = false;
}

void Lv2Plugin::run(uint32_t frames, const std::vector<TimedMidi>& midi, int32_t appearanceSet) {
  LV2_Atom_Forge forge;
  lv2_atom_forge_init(&forge, world_.map());
  lv2_atom_forge_set_buffer(&forge, events_, sizeof events_);
  LV2_Atom_Forge_Frame sequence;
  lv2_atom_forge_sequence_head(&forge, &sequence, 0);
  if (appearanceSet >= -1) {
    LV2_Atom_Forge_Frame object;
    lv2_atom_forge_frame_time(&forge, 0);
    const bool get = appearanceSet == -1;
    lv2_atom_forge_object(&forge, &object, 0, world_.urid(get ? LV2_PATCH__Get : LV2_PATCH__Set));
    lv2_atom_forge_key(&forge, world_.urid(LV2_PATCH__property));
    lv2_atom_forge_urid(&forge, world_.urid(kLv2AppearanceUri));
    if (!get) {
      lv2_atom_forge_key(&forge, world_.urid(LV2_PATCH__value));
      lv2_atom_forge_int(&forge, appearanceSet);
    }
    lv2_atom_forge_pop(&forge, &object);
  }
  if (pendingProgram_ >= 0) {
    LV2_Atom_Forge_Frame object;
    lv2_atom_forge_frame_time(&forge, 0);
    lv2_atom_forge_object(&forge, &object, 0, world_.urid(LV2_PATCH__Set));
    lv2_atom_forge_key(&forge, world_.urid(LV2_PATCH__property));
    lv2_atom_forge_urid(&forge, world_.urid(kLv2ProgramUri));
    lv2_atom_forge_key(&forge, world_.urid(LV2_PATCH__value));
    lv2_atom_forge_int(&forge, pendingProgram_);
    lv2_atom_forge_pop(&forge, &object);
    pendingProgram_ = -1;
  }
  for (const TimedMidi& m : midi) {
    const uint8_t bytes[3] = {m.status, m.data1, m.data2};
    lv2_atom_forge_frame_time(&forge, m.frame);
    lv2_atom_forge_atom(&forge, 3, world_.urid(LV2_MIDI__MidiEvent));
    lv2_atom_forge_write(&forge, bytes, 3);
  }
  lv2_atom_forge_pop(&forge, &sequence);

  auto* notify = reinterpret_cast<LV2_Atom_Sequence*>(notify_);
  notify->atom.type = 0;
  notify->atom.size = sizeof notify_ - sizeof(LV2_Atom);

  left_.assign(frames, 0.0f);
  right_.assign(frames, 0.0f);
  lilv_instance_connect_port(instance_, kLv2LeftPort, left_.data());
  lilv_instance_connect_port(instance_, kLv2RightPort, right_.data());
  lilv_instance_run(instance_, frames);
  readNotifications();
}

void Lv2Plugin::readNotifications() {
  reported_ = -1;
  const auto* notify = reinterpret_cast<const LV2_Atom_Sequence*>(notify_);
  if (notify->atom.type != world_.urid(LV2_ATOM__Sequence)) return;
  LV2_ATOM_SEQUENCE_FOREACH(notify, ev) {
    if (ev->body.type != world_.urid(LV2_ATOM__Object)) continue;
    const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&ev->body);
    if (object->body.otype != world_.urid(LV2_PATCH__Set)) continue;
    const LV2_Atom* value = nullptr;
    lv2_atom_object_get(object, world_.urid(LV2_PATCH__value), &value, 0);
    if (value != nullptr && value->type == world_.urid(LV2_ATOM__Int))
      reported_ = reinterpret_cast<const LV2_Atom_Int*>(value)->body;
  }
}
