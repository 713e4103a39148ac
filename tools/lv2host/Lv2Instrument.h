// Any LV2 instrument driven as a host drives it, through lilv: found by URI among the
// installed bundles (LV2_PATH) or in one bundle, instantiated with urid:map, its ports connected by
// kind (controls at their defaults, MIDI into the first event input, audio outputs read back), a
// preset applied by its label, and blocks run with MIDI on their frames. Linux only.
#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Lv2Instrument {
 public:
  // Room for a few thousand MIDI events in one block.
  static constexpr uint32_t kSequenceBytes = 1 << 17;

  // A control input as the plug-in declares it, with the host's value the port reads.
  struct Control {
    std::string symbol;
    std::string name;
    float minimum = 0.0f;
    float maximum = 1.0f;
    bool toggled = false;
    bool integer = false;
    float* value = nullptr;
  };

  // The URI of the first plug-in in a bundle directory; empty when it holds none.
  static std::string firstPluginUri(const std::string& bundleDir);

  Lv2Instrument();
  ~Lv2Instrument();
  Lv2Instrument(const Lv2Instrument&) = delete;
  Lv2Instrument& operator=(const Lv2Instrument&) = delete;

  // Finds and instantiates the plug-in; false with error() when it cannot. `open` looks in
  // the installed bundles, `openBundle` in the one bundle directory only.
  bool open(const std::string& uri, double sampleRate, int32_t maxBlock);
  bool openBundle(const std::string& bundleDir, const std::string& uri, double sampleRate,
                  int32_t maxBlock);
  const std::string& error() const { return error_; }
  std::string name() const;
  std::string author() const;
  // The control inputs in port order.
  std::vector<Control> controls();
  // Instantiates the plug-in again at another rate, carrying its state and port values over;
  // false (with the old instance kept) when the plug-in refuses the rate.
  bool reinstantiate(double sampleRate);
  // Applies the preset labelled `label`; false when the plug-in has none of that label.
  bool applyPreset(const std::string& label);
  std::vector<std::string> presetLabels();  // in label order
  // The preset labelled `label` as a state to apply later; null when there is none.
  LilvState* presetState(const std::string& label);

  // A control input port by its symbol; null when there is none.
  float* control(const std::string& symbol);
  // A preset or a saved state: ports and the plug-in's own state; the current state, ports
  // included, as a portable plain state (the caller frees it; null when it cannot be saved).
  void applyState(const LilvState* state);
  LilvState* saveState();
  // The same as Turtle text, as a host keeps it in a session; empty, or false, on failure.
  std::string saveStateText();
  bool applyStateText(const std::string& text);
  // The two halves of those: a state as text, and text as a state (null unless it is a whole
  // state description).
  std::string stateText(const LilvState* state);
  LilvState* stateFromText(const std::string& text);

  // For calling the plug-in's extensions directly.
  LilvInstance* instance() const { return instance_; }
  LV2_URID_Map* map() { return &map_; }
  const LV2_Feature* const* features() const { return features_; }
  LV2_URID urid(const char* uri);

  void activate();
  void deactivate();
  // Any atom (a patch message, say) on the MIDI input's sequence at a frame of the coming block.
  void addAtom(uint32_t frame, const LV2_Atom* atom);
  // What the plug-in wrote on its first event output in the last block; null when it has none.
  const LV2_Atom_Sequence* eventOutput() const;
  // MIDI messages of 1 to 3 bytes at frames inside the coming block; then the block.
  void addMidi(uint32_t frame, const uint8_t* bytes, size_t size);
  void run(uint32_t frames);
  int32_t outputCount() const { return static_cast<int32_t>(outputs_.size()); }
  const float* output(int32_t channel) const { return outputs_[channel].data(); }
  // Lets the plug-in write an audio output straight into the caller's buffer, from the next
  // block on; output() then no longer shows that channel.
  void connectOutput(int32_t channel, float* buffer);

 private:
  struct Port;
  static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri);
  static const char* unmapUri(LV2_URID_Unmap_Handle handle, LV2_URID urid);
  static void setPortValue(const char* symbol, void* user, const void* value, uint32_t size,
                           uint32_t type);
  static const void* portValue(const char* symbol, void* user, uint32_t* size, uint32_t* type);
  bool instantiate(const std::string& uri, double sampleRate, int32_t maxBlock);
  bool connectPorts(int32_t maxBlock);
  void connectAll();
  void prepareOutputs();
  void clearInputs();

  LilvWorld* world_ = nullptr;
  const LilvPlugin* plugin_ = nullptr;
  LilvInstance* instance_ = nullptr;
  std::vector<std::string> uris_;
  LV2_URID_Map map_{};
  LV2_URID_Unmap unmap_{};
  LV2_Feature mapFeature_{};
  const LV2_Feature* features_[2] = {nullptr, nullptr};
  std::vector<Port> ports_;
  std::vector<std::vector<float>> outputs_;
  std::vector<uint32_t> outputPorts_;        // the port index of each output channel
  std::vector<std::vector<float>> scratch_;  // audio inputs and CV ports
  std::vector<std::unique_ptr<uint64_t[]>> sequences_;
  uint8_t* midiInput_ = nullptr;
  std::vector<uint8_t*> atomOutputs_;
  LV2_URID midiEvent_ = 0;
  LV2_URID sequenceType_ = 0;
  LV2_URID chunkType_ = 0;
  bool active_ = false;
  double savedValue_ = 0.0;  // a port value while a state is saved
  std::string error_;
};
