// One VST 2 instance: a single allocation that begins with the AEffect record the host holds,
// followed by the instrument core, the state buffer handed out to the host and the editor's
// window slot.
#pragma once

#include <cstdint>

#include "core/InstrumentCore.h"
#include "core/StateChunk.h"
#include "plugin/HostCallbackNotifier.h"
#include "plugin/vst2.h"

struct EditorWindow;

// What the host sees of the instance, first in it.
struct HostRecord {
  AEffect effect;
  audioMasterCallback hostCallback;
};

struct PluginInstance : HostRecord, InstrumentCore {
  StateChunk chunkBuffer;
  ERect editorRect;
  EditorWindow* editor;
  HostCallbackNotifier notifier{*this};  // the editor's edits, told to the host

  explicit PluginInstance(audioMasterCallback callback);
};

// The instance behind an AEffect handed out by VSTPluginMain; null for a null record.
inline PluginInstance* instanceOf(AEffect* effect) {
  return effect == nullptr ? nullptr : static_cast<PluginInstance*>(effect->object);
}

// Identity of the instrument as the host sees it.
constexpr int32_t kUniqueId = fourCharCode('T', 'Q', 'X', '2');
constexpr int32_t kPluginVersion = 10200;
constexpr int32_t kVstVersion = 2400;
constexpr int32_t kNumOutputs = 2;
constexpr int16_t kEditorWidth = 860;
constexpr int16_t kEditorHeight = 530;
