// What the adapters that put another format's plug-in behind the VST 2 record share: texts
// copied into host buffers, the answers about what the instrument is, MIDI held from
// effProcessEvents until the block it belongs to, and the gate that keeps other threads' calls out
// of a block. Header only, so that every bridge library can use it without linking the host
// library.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "plugin/vst2.h"

namespace bridge {

// What a bridged instrument says of itself, the same whatever its format.
struct InstrumentFace {
  std::string name;
  std::string vendor;
  int32_t outputs;
};

// Copies `text` into a host buffer of `capacity` bytes, always terminated.
inline void copyText(void* ptr, const std::string& text, size_t capacity) {
  if (ptr == nullptr || capacity == 0) return;
  const size_t n = std::min(text.size(), capacity - 1);
  std::memcpy(ptr, text.data(), n);
  static_cast<char*>(ptr)[n] = '\0';
}

// The answers to the opcodes that only ask what the instrument is: its name, vendor,
// category, outputs, MIDI input and VST version. False for any other opcode, which the
// bridge answers itself.
inline bool answerFace(const InstrumentFace& face, int32_t opcode, int32_t index, void* ptr,
                       intptr_t& answer) {
  constexpr int32_t kVstVersion = 2400;
  constexpr int32_t kMidiChannels = 16;
  answer = 0;
  switch (opcode) {
    case effGetOutputProperties: {
      if (ptr == nullptr || index < 0 || index >= face.outputs) return true;
      auto* pin = static_cast<VstPinProperties*>(ptr);
      std::memset(pin, 0, sizeof *pin);
      copyText(pin->label, index == 0 ? "Left" : "Right", sizeof pin->label);
      pin->flags = kVstPinIsActive | kVstPinIsStereo;
      answer = 1;
      return true;
    }
    case effGetPlugCategory:
      answer = kPlugCategSynth;
      return true;
    case effGetEffectName:
    case effGetProductString:
      copyText(ptr, face.name, kVstMaxEffectNameLen);
      answer = 1;
      return true;
    case effGetVendorString:
      copyText(ptr, face.vendor, kVstMaxVendorStrLen);
      answer = 1;
      return true;
    case effGetVstVersion:
      answer = kVstVersion;
      return true;
    case effCanDo: {
      if (ptr == nullptr) return true;
      const std::string what = static_cast<const char*>(ptr);
      answer = what == "receiveVstEvents" || what == "receiveVstMidiEvent" ? 1 : -1;
      return true;
    }
    case effGetNumMidiInputChannels:
      answer = kMidiChannels;
      return true;
    default:
      return false;
  }
}

// Taken around every block and around whatever must not overlap one; held for one block (or
// one state operation) at most.
class Gate {
 public:
  void enter() {
    while (taken_.exchange(true, std::memory_order_acquire))
      std::this_thread::yield();
  }
  void leave() { taken_.store(false, std::memory_order_release); }

 private:
  std::atomic<bool> taken_{false};
};

// The MIDI events of the coming block, as effProcessEvents delivered them: frames out of the
// block and out of order included, so that the plug-in's own handling of them is what is
// checked.
class HeldMidi {
 public:
  static constexpr size_t kCapacity = 8192;  // the rest of a flood is dropped
  static constexpr size_t kBytes = 3;

  HeldMidi() { events_.reserve(kCapacity); }

  // effProcessEvents: 1 when taken, 0 for a null list.
  intptr_t hold(const VstEvents* events) {
    if (events == nullptr) return 0;
    // numEvents pointers behind a record that declares two: read through a pointer.
    const VstEvent* const* list = events->events;
    for (int32_t i = 0; i < events->numEvents; ++i) {
      const VstEvent* event = list[i];
      if (event == nullptr || event->type != kVstMidiType) continue;
      if (events_.size() == events_.capacity()) break;
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      Event held{midi->deltaFrames, {}};
      std::memcpy(held.bytes, midi->midiData, kBytes);
      events_.push_back(held);
    }
    return 1;
  }

  // Calls add(offset, bytes) for the events of frames [start, start + frames), re-timed to
  // that piece of the block; the first piece also takes those before the block (their offsets
  // stay negative), the last those beyond it.
  template <typename Add>
  void forPiece(int32_t start, int32_t frames, bool last, Add add) const {
    for (const Event& e : events_) {
      const bool inside = e.frame >= start && e.frame < start + frames;
      const bool before = start == 0 && e.frame < 0;
      const bool beyond = last && e.frame >= start + frames;
      if (inside || before || beyond) add(e.frame - start, e.bytes);
    }
  }

  void clear() { events_.clear(); }

 private:
  struct Event {
    int32_t frame;
    uint8_t bytes[kBytes];
  };
  std::vector<Event> events_;
};

}  // namespace bridge
