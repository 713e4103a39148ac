// One instrument instance: a single allocation that begins with the AEffect record the host
// holds, followed by everything the instance keeps.
#pragma once

#include <atomic>
#include <cstdint>

#include "editor/WindowSize.h"
#include "engine/MidiEventQueue.h"
#include "engine/ToneEngine.h"
#include "plugin/InstanceLink.h"
#include "plugin/ParamTable.h"
#include "plugin/StateChunk.h"
#include "plugin/vst2.h"

struct EditorWindow;

constexpr size_t kProgramNameSize = 25;  // 24 characters and a terminating zero

struct PluginInstance {
  AEffect effect;
  audioMasterCallback hostCallback;
  ToneEngine engine;
  std::atomic<double> paramValues[kNumParams];
  std::atomic<int32_t> currentProgram;
  std::atomic<int32_t> skin;
  MidiEventQueue midiQueue;
  StateChunk chunkBuffer;
  ERect editorRect;
  EditorWindow* editor;
  double hostSampleRate;
  char programName[kProgramNameSize];
  InstanceLink editorLink{*this};  // what the editor reads and writes

  explicit PluginInstance(audioMasterCallback callback);
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;
};

static_assert(std::atomic<double>::is_always_lock_free);
static_assert(std::atomic<int32_t>::is_always_lock_free);

// The instance behind an AEffect handed out by VSTPluginMain; null for a null record.
inline PluginInstance* instanceOf(AEffect* effect) {
  return effect == nullptr ? nullptr : static_cast<PluginInstance*>(effect->object);
}

// Identity of the instrument as the host sees it.
constexpr int32_t kUniqueId = fourCharCode('T', 'Q', 'X', '2');
constexpr int32_t kPluginVersion = 10200;
constexpr int32_t kVstVersion = 2400;
constexpr int32_t kNumOutputs = 2;
constexpr double kDefaultSampleRate = 44100.0;
