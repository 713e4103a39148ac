// A small LV2 host for tests, through lilv: loads the bundle, makes instances with urid:map
// only, applies presets and states, and runs blocks with MIDI and patch messages on the
// events port.
#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lv2/Lv2Identity.h"

// One MIDI message at an absolute frame of a render.
struct TimedMidi {
  int64_t frame;
  uint8_t status;
  uint8_t data1;
  uint8_t data2;
};

class Lv2World {
 public:
  explicit Lv2World(const std::string& bundleDir);
  ~Lv2World();
  Lv2World(const Lv2World&) = delete;
  Lv2World& operator=(const Lv2World&) = delete;

  LilvWorld* world() const { return world_; }
  const LilvPlugin* plugin() const { return plugin_; }
  LV2_URID_Map* map() { return &map_; }
  LV2_URID urid(const char* uri);
  const char* unmap(LV2_URID urid) const;
  // urid:map alone, null-terminated.
  const LV2_Feature* const* features() const { return features_; }
  // The bundle's preset with this label, loaded; null when there is none.
  const LilvNode* preset(const std::string& label);

 private:
  static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri);

  LilvWorld* world_ = nullptr;
  const LilvPlugin* plugin_ = nullptr;
  LilvNodes* presets_ = nullptr;
  std::vector<std::string> uris_;
  LV2_URID_Map map_{};
  LV2_Feature mapFeature_{};
  const LV2_Feature* features_[2] = {nullptr, nullptr};
};

class Lv2Plugin {
 public:
  static constexpr uint32_t kSequenceBytes = 1 << 16;

  Lv2Plugin(Lv2World& world, double rate);
  ~Lv2Plugin();
  Lv2Plugin(const Lv2Plugin&) = delete;
  Lv2Plugin& operator=(const Lv2Plugin&) = delete;

  bool ok() const { return instance_ != nullptr; }
  LilvInstance* instance() const { return instance_; }
  float& control(int32_t id) { return controls_[id]; }

  // A preset or a saved state: ports and the plug-in's own state.
  void apply(const LilvState* state);
  // The current state, ports included; the caller frees it.
  LilvState* save();

  void activate();
  void deactivate();
  // One block with the given MIDI (frames relative to the block) and patch:Set/Get of the
  // appearance (value < 0 sends a Get); the output lands in left()/right().
  void run(uint32_t frames, const std::vector<TimedMidi>& midi, int32_t appearanceSet = -2);
  // Puts a patch:Set of the factory program on the events port of the next run.
  void sendProgram(int32_t program) { pendingProgram_ = program; }
  const std::vector<float>& left() const { return left_; }
  const std::vector<float>& right() const { return right_; }
  // The appearance the last run reported on the notification port, or -1.
  int32_t reportedAppearance() const { return reported_; }

 private:
  static void setPortValue(const char* symbol, void* user, const void* value, uint32_t size,
                           uint32_t type);
  static const void* portValue(const char* symbol, void* user, uint32_t* size, uint32_t* type);
  float* controlBySymbol(const char* symbol);
  void readNotifications();

  Lv2World& world_;
  LilvInstance* instance_ = nullptr;
  float controls_[kNumParams] = {};
  alignas(8) uint8_t events_[kSequenceBytes];
  alignas(8) uint8_t notify_[kSequenceBytes];
  std::vector<float> left_, right_;
  int32_t reported_ = -1;
  int32_t pendingProgram_ = -1;
  bool active_ = false;
};
