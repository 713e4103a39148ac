// Port discovery and connection, presets and states through lilv, and event sequences
// written with the atom utilities.
#include "tools/lv2host/Lv2Instrument.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tools/lv2host/Lv2StateText.h"

struct Lv2Instrument::Port {
  std::string symbol;
  bool control = false;
  bool input = false;
  float value = 0.0f;
  void* buffer = nullptr;  // what the port is connected to; null when it is left unconnected
};

namespace {

// Node helpers that free what they make.
struct Node {
  explicit Node(LilvNode* n) : node(n) {}
  ~Node() { lilv_node_free(node); }
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
  // The node's text, or `absent` when there is no node.
  std::string text(const std::string& absent = "") const {
    return node != nullptr ? lilv_node_as_string(node) : absent;
  }
  LilvNode* node;
};

}  // namespace

Lv2Instrument::Lv2Instrument() {
  map_.handle = this;
  map_.map = mapUri;
  unmap_.handle = this;
  unmap_.unmap = unmapUri;
  mapFeature_ = {LV2_URID__map, &map_};
  features_[0] = &mapFeature_;
  midiEvent_ = urid(LV2_MIDI__MidiEvent);
  sequenceType_ = urid(LV2_ATOM__Sequence);
  chunkType_ = urid(LV2_ATOM__Chunk);
}

Lv2Instrument::~Lv2Instrument() {
  if (instance_ != nullptr) {
    if (active_) lilv_instance_deactivate(instance_);
    lilv_instance_free(instance_);
  }
  if (world_ != nullptr) lilv_world_free(world_);
}

LV2_URID Lv2Instrument::mapUri(LV2_URID_Map_Handle handle, const char* uri) {
  return static_cast<Lv2Instrument*>(handle)->urid(uri);
}

const char* Lv2Instrument::unmapUri(LV2_URID_Unmap_Handle handle, LV2_URID urid) {
  const auto& uris = static_cast<Lv2Instrument*>(handle)->uris_;
  return urid >= 1 && urid <= uris.size() ? uris[urid - 1].c_str() : nullptr;
}

LV2_URID Lv2Instrument::urid(const char* uri) {
  for (size_t i = 0; i < uris_.size(); ++i)
    if (uris_[i] == uri) return static_cast<LV2_URID>(i + 1);
  uris_.emplace_back(uri);
  return static_cast<LV2_URID>(uris_.size());
}

std::string Lv2Instrument::firstPluginUri(const std::string& bundleDir) {
  LilvWorld* world = lilv_world_new();
  std::string uri;
  {
    Node bundle(lilv_new_file_uri(world, nullptr, (bundleDir + "/").c_str()));
    lilv_world_load_bundle(world, bundle.node);
    const LilvPlugins* plugins = lilv_world_get_all_plugins(world);
    LilvIter* first = lilv_plugins_begin(plugins);
    if (!lilv_plugins_is_end(plugins, first))
      uri = lilv_node_as_uri(lilv_plugin_get_uri(lilv_plugins_get(plugins, first)));
  }
  lilv_world_free(world);
  return uri;
}

bool Lv2Instrument::open(const std::string& uri, double sampleRate, int32_t maxBlock) {
  if (world_ != nullptr) return false;
  world_ = lilv_world_new();
  lilv_world_load_all(world_);
  return instantiate(uri, sampleRate, maxBlock);
}

bool Lv2Instrument::openBundle(const std::string& bundleDir, const std::string& uri,
                               double sampleRate, int32_t maxBlock) {
  if (world_ != nullptr) return false;
  world_ = lilv_world_new();
  Node bundle(lilv_new_file_uri(world_, nullptr, (bundleDir + "/").c_str()));
  lilv_world_load_bundle(world_, bundle.node);
  return instantiate(uri, sampleRate, maxBlock);
}

bool Lv2Instrument::instantiate(const std::string& uri, double sampleRate, int32_t maxBlock) {
  Node uriNode(lilv_new_uri(world_, uri.c_str()));
  plugin_ = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), uriNode.node);
  if (plugin_ == nullptr) {
    error_ = "no LV2 plug-in " + uri + " in the bundles looked in";
    return false;
  }
  instance_ = lilv_plugin_instantiate(plugin_, sampleRate, features_);
  if (instance_ == nullptr) {
    error_ = "the LV2 plug-in " + uri + " could not be instantiated";
    return false;
  }
  return connectPorts(maxBlock);
}

std::string Lv2Instrument::name() const {
  return plugin_ != nullptr ? Node(lilv_plugin_get_name(plugin_)).text() : "";
}

std::string Lv2Instrument::author() const {
  return plugin_ != nullptr ? Node(lilv_plugin_get_author_name(plugin_)).text() : "";
}

std::vector<Lv2Instrument::Control> Lv2Instrument::controls() {
  std::vector<Control> list;
  if (plugin_ == nullptr) return list;
  Node toggled(lilv_new_uri(world_, LV2_CORE__toggled));
  Node integer(lilv_new_uri(world_, LV2_CORE__integer));
  const uint32_t count = lilv_plugin_get_num_ports(plugin_);
  std::vector<float> minimum(count), maximum(count);
  lilv_plugin_get_port_ranges_float(plugin_, minimum.data(), maximum.data(), nullptr);
  for (uint32_t i = 0; i < count; ++i) {
    Port& p = ports_[i];
    if (!p.control || !p.input) continue;
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin_, i);
    Control c;
    c.symbol = p.symbol;
    c.name = Node(lilv_port_get_name(plugin_, port)).text(p.symbol);
    // A port without a declared range is taken as 0 to 1.
    c.minimum = std::isnan(minimum[i]) ? 0.0f : minimum[i];
    c.maximum = std::isnan(maximum[i]) ? 1.0f : maximum[i];
    c.toggled = lilv_port_has_property(plugin_, port, toggled.node);
    c.integer = lilv_port_has_property(plugin_, port, integer.node);
    c.value = &p.value;
    list.push_back(c);
  }
  return list;
}

bool Lv2Instrument::reinstantiate(double sampleRate) {
  if (instance_ == nullptr) return false;
  LilvInstance* fresh = lilv_plugin_instantiate(plugin_, sampleRate, features_);
  if (fresh == nullptr) return false;
  LilvState* state = saveState();
  deactivate();
  lilv_instance_free(instance_);
  instance_ = fresh;
  connectAll();
  if (state != nullptr) applyState(state);
  lilv_state_free(state);
  return true;
}

bool Lv2Instrument::connectPorts(int32_t maxBlock) {
  Node inputClass(lilv_new_uri(world_, LV2_CORE__InputPort));
  Node controlClass(lilv_new_uri(world_, LV2_CORE__ControlPort));
  Node audioClass(lilv_new_uri(world_, LV2_CORE__AudioPort));
  Node cvClass(lilv_new_uri(world_, LV2_CORE__CVPort));
  Node atomClass(lilv_new_uri(world_, LV2_ATOM__AtomPort));
  Node midiClass(lilv_new_uri(world_, LV2_MIDI__MidiEvent));
  Node optionalProperty(lilv_new_uri(world_, LV2_CORE__connectionOptional));
  const uint32_t count = lilv_plugin_get_num_ports(plugin_);
  std::vector<float> defaults(count);
  lilv_plugin_get_port_ranges_float(plugin_, nullptr, nullptr, defaults.data());
  ports_.resize(count);
  const auto frames = static_cast<size_t>(maxBlock);
  for (uint32_t i = 0; i < count; ++i) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin_, i);
    Port& p = ports_[i];
    p.symbol = lilv_node_as_string(lilv_port_get_symbol(plugin_, port));
    p.input = lilv_port_is_a(plugin_, port, inputClass.node);
    if (lilv_port_is_a(plugin_, port, controlClass.node)) {
      p.control = true;
      p.value = std::isnan(defaults[i]) ? 0.0f : defaults[i];
      p.buffer = &p.value;
    } else if (lilv_port_is_a(plugin_, port, audioClass.node) && !p.input) {
      outputs_.emplace_back(frames, 0.0f);
      outputPorts_.push_back(i);
      p.buffer = outputs_.back().data();
    } else if (lilv_port_is_a(plugin_, port, audioClass.node) ||
               lilv_port_is_a(plugin_, port, cvClass.node)) {
      scratch_.emplace_back(frames, 0.0f);
      p.buffer = scratch_.back().data();
    } else if (lilv_port_is_a(plugin_, port, atomClass.node)) {
      sequences_.emplace_back(new uint64_t[kSequenceBytes / sizeof(uint64_t)]());
      auto* buffer = reinterpret_cast<uint8_t*>(sequences_.back().get());
      if (p.input && midiInput_ == nullptr &&
          lilv_port_supports_event(plugin_, port, midiClass.node))
        midiInput_ = buffer;
      if (!p.input) atomOutputs_.push_back(buffer);
      p.buffer = buffer;
    } else if (!lilv_port_has_property(plugin_, port, optionalProperty.node)) {
      error_ = "the LV2 plug-in has a port of a kind this host does not know: " + p.symbol;
      return false;
    }
  }
  if (midiInput_ == nullptr) {
    error_ = "the LV2 plug-in has no MIDI input";
    return false;
  }
  connectAll();
  clearInputs();
  return true;
}

void Lv2Instrument::connectAll() {
  for (uint32_t i = 0; i < ports_.size(); ++i)
    lilv_instance_connect_port(instance_, i, ports_[i].buffer);
}

void Lv2Instrument::connectOutput(int32_t channel, float* buffer) {
  if (channel < 0 || channel >= outputCount() || buffer == nullptr) return;
  lilv_instance_connect_port(instance_, outputPorts_[static_cast<size_t>(channel)], buffer);
}

// Outputs get their capacity before a block, and keep what the plug-in wrote until the next.
void Lv2Instrument::prepareOutputs() {
  for (uint8_t* buffer : atomOutputs_) {
    auto* atom = reinterpret_cast<LV2_Atom*>(buffer);
    atom->type = chunkType_;
    atom->size = kSequenceBytes - sizeof(LV2_Atom);
  }
}

// Inputs get an empty sequence after a block.
void Lv2Instrument::clearInputs() {
  for (const auto& storage : sequences_) {
    auto* buffer = reinterpret_cast<uint8_t*>(storage.get());
    if (std::find(atomOutputs_.begin(), atomOutputs_.end(), buffer) != atomOutputs_.end()) continue;
    auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(buffer);
    lv2_atom_sequence_clear(sequence);
    sequence->atom.type = sequenceType_;
    sequence->body.unit = 0;
    sequence->body.pad = 0;
  }
}

const LV2_Atom_Sequence* Lv2Instrument::eventOutput() const {
  if (atomOutputs_.empty()) return nullptr;
  const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*>(atomOutputs_.front());
  return sequence->atom.type == sequenceType_ ? sequence : nullptr;
}

std::string Lv2Instrument::saveStateText() {
  LilvState* state = saveState();
  if (state == nullptr) return "";
  std::string out = stateText(state);
  lilv_state_free(state);
  return out;
}

bool Lv2Instrument::applyStateText(const std::string& text) {
  LilvState* state = stateFromText(text);
  if (state == nullptr) return false;
  applyState(state);
  lilv_state_free(state);
  return true;
}

std::string Lv2Instrument::stateText(const LilvState* state) {
  char* text = lilv_state_to_string(world_, &map_, &unmap_, state, "urn:lv2host:state", nullptr);
  std::string out = text != nullptr ? text : "";
  lilv_free(text);
  return out;
}

LilvState* Lv2Instrument::stateFromText(const std::string& text) {
  if (!isWholeStateText(text)) return nullptr;
  return lilv_state_new_from_string(world_, &map_, text.c_str());
}

float* Lv2Instrument::control(const std::string& symbol) {
  for (Port& p : ports_)
    if (p.control && p.input && p.symbol == symbol) return &p.value;
  return nullptr;
}

const void* Lv2Instrument::portValue(const char* symbol, void* user, uint32_t* size,
                                     uint32_t* type) {
  auto& self = *static_cast<Lv2Instrument*>(user);
  const float* value = self.control(symbol);
  if (value == nullptr) return nullptr;
  // As a double: lilv writes a float's text to 8 decimal places, which loses small values,
  // and a double's to 16, which gives every float back exactly.
  self.savedValue_ = *value;
  *size = sizeof(double);
  *type = self.urid(LV2_ATOM__Double);
  return &self.savedValue_;
}

void Lv2Instrument::applyState(const LilvState* state) {
  lilv_state_restore(state, instance_, setPortValue, this, 0, features_);
}

LilvState* Lv2Instrument::saveState() {
  return lilv_state_new_from_instance(plugin_, instance_, &map_, nullptr, nullptr, nullptr, nullptr,
                                      portValue, this, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE,
                                      features_);
}

void Lv2Instrument::setPortValue(const char* symbol, void* user, const void* value, uint32_t size,
                                 uint32_t type) {
  auto& self = *static_cast<Lv2Instrument*>(user);
  for (Port& p : self.ports_) {
    if (!p.control || p.symbol != symbol || value == nullptr) continue;
    if (type == self.urid(LV2_ATOM__Float) && size == sizeof(float))
      std::memcpy(&p.value, value, sizeof(float));
    else if (type == self.urid(LV2_ATOM__Double) && size == sizeof(double))
      p.value = static_cast<float>(*static_cast<const double*>(value));
    else if (type == self.urid(LV2_ATOM__Int) && size == sizeof(int32_t))
      p.value = static_cast<float>(*static_cast<const int32_t*>(value));
  }
}

std::vector<std::string> Lv2Instrument::presetLabels() {
  std::vector<std::string> labels;
  Node presetClass(lilv_new_uri(world_, LV2_PRESETS__Preset));
  Node label(lilv_new_uri(world_, LILV_NS_RDFS "label"));
  LilvNodes* presets = lilv_plugin_get_related(plugin_, presetClass.node);
  LILV_FOREACH(nodes, i, presets) {
    const LilvNode* preset = lilv_nodes_get(presets, i);
    lilv_world_load_resource(world_, preset);
    LilvNode* name = lilv_world_get(world_, preset, label.node, nullptr);
    if (name != nullptr) labels.emplace_back(lilv_node_as_string(name));
    lilv_node_free(name);
  }
  lilv_nodes_free(presets);
  // lilv's order may differ from one world to the next; a host's program list must not.
  std::sort(labels.begin(), labels.end());
  return labels;
}

bool Lv2Instrument::applyPreset(const std::string& wanted) {
  LilvState* state = presetState(wanted);
  if (state == nullptr) return false;
  applyState(state);
  lilv_state_free(state);
  return true;
}

LilvState* Lv2Instrument::presetState(const std::string& wanted) {
  Node presetClass(lilv_new_uri(world_, LV2_PRESETS__Preset));
  Node label(lilv_new_uri(world_, LILV_NS_RDFS "label"));
  LilvNodes* presets = lilv_plugin_get_related(plugin_, presetClass.node);
  LilvState* found = nullptr;
  LILV_FOREACH(nodes, i, presets) {
    const LilvNode* preset = lilv_nodes_get(presets, i);
    lilv_world_load_resource(world_, preset);
    LilvNode* name = lilv_world_get(world_, preset, label.node, nullptr);
    const bool match = name != nullptr && wanted == lilv_node_as_string(name);
    lilv_node_free(name);
    if (match && found == nullptr) found = lilv_state_new_from_world(world_, &map_, preset);
  }
  lilv_nodes_free(presets);
  return found;
}

void Lv2Instrument::activate() {
  lilv_instance_activate(instance_);
  active_ = true;
}

void Lv2Instrument::deactivate() {
  if (active_) lilv_instance_deactivate(instance_);
  active_ = false;
}

void Lv2Instrument::addAtom(uint32_t frame, const LV2_Atom* atom) {
  if (atom == nullptr) return;
  std::vector<uint8_t> event(sizeof(LV2_Atom_Event) + atom->size);
  auto* header = reinterpret_cast<LV2_Atom_Event*>(event.data());
  header->time.frames = frame;
  std::memcpy(&header->body, atom, sizeof(LV2_Atom) + atom->size);
  lv2_atom_sequence_append_event(reinterpret_cast<LV2_Atom_Sequence*>(midiInput_),
                                 kSequenceBytes - sizeof(LV2_Atom), header);
}

void Lv2Instrument::addMidi(uint32_t frame, const uint8_t* bytes, size_t size) {
  if (size == 0 || size > 3) return;
  struct {
    LV2_Atom_Event header;
    uint8_t data[8];
  } event{};
  event.header.time.frames = frame;
  event.header.body.size = static_cast<uint32_t>(size);
  event.header.body.type = midiEvent_;
  std::memcpy(event.data, bytes, size);
  lv2_atom_sequence_append_event(reinterpret_cast<LV2_Atom_Sequence*>(midiInput_),
                                 kSequenceBytes - sizeof(LV2_Atom), &event.header);
}

void Lv2Instrument::run(uint32_t frames) {
  prepareOutputs();
  lilv_instance_run(instance_, frames);
  clearInputs();
}
