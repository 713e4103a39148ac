// The host callback: answers a plug-in's questions from the context of its instance.
#include "tools/host/HostContext.h"

#include <cstring>

namespace {

constexpr int32_t kHostVstVersion = 2400;
constexpr int32_t kHostVendorVersion = 10200;
constexpr const char* kHostVendor = "Brisalonde";
constexpr int32_t kLanguageEnglish = 1;
constexpr size_t kBindingSlots = 64;

// Capabilities this host has; everything else is answered with 0.
constexpr const char* kHostCanDo[] = {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo"};

// A fixed table, so that a lookup from the audio thread neither locks nor allocates.
struct Binding {
  std::atomic<AEffect*> effect{nullptr};
  std::atomic<HostContext*> context{nullptr};
};
Binding bindings[kBindingSlots];
thread_local HostContext* creatingContext = nullptr;

HostContext* contextOf(AEffect* effect) {
  if (effect != nullptr)
    for (Binding& b : bindings)
      if (b.effect.load(std::memory_order_acquire) == effect) {
        HostContext* bound = b.context.load(std::memory_order_acquire);
        if (bound != nullptr) return bound;
      }
  return creatingContext;
}

void copyText(void* destination, const char* text, size_t capacity) {
  if (destination == nullptr) return;
  char* out = static_cast<char*>(destination);
  std::strncpy(out, text, capacity - 1);
  out[capacity - 1] = '\0';
}

bool hostCanDo(const void* text) {
  if (text == nullptr) return false;
  for (const char* capability : kHostCanDo)
    if (std::strcmp(static_cast<const char*>(text), capability) == 0) return true;
  return false;
}

}  // namespace

void bindCreatingContext(HostContext* context) {
  creatingContext = context;
}

bool bindEffect(AEffect* effect, HostContext* context) {
  for (Binding& b : bindings) {
    AEffect* expected = nullptr;
    if (b.effect.compare_exchange_strong(expected, effect)) {
      b.context.store(context, std::memory_order_release);
      return true;
    }
  }
  return false;
}

void unbindEffect(AEffect* effect) {
  for (Binding& b : bindings)
    if (b.effect.load() == effect) {
      b.context.store(nullptr);
      b.effect.store(nullptr);
    }
}

intptr_t hostCallback(AEffect* effect, int32_t opcode, int32_t, intptr_t, void* ptr, float) {
  HostContext* context = contextOf(effect);
  if (context != nullptr) {
    if (opcode >= 0 && opcode < HostContext::kCountedOpcodes)
      context->callCounts[opcode].fetch_add(1, std::memory_order_relaxed);
    else
      context->otherCalls.fetch_add(1, std::memory_order_relaxed);
  }
  switch (opcode) {
    case audioMasterVersion:
      return kHostVstVersion;
    case audioMasterWantMidi:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
    case audioMasterUpdateDisplay:
      return 1;
    case audioMasterGetTime:
      return context != nullptr ? reinterpret_cast<intptr_t>(&context->timeInfo) : 0;
    case audioMasterGetSampleRate:
      return context != nullptr ? static_cast<intptr_t>(context->sampleRate) : 0;
    case audioMasterGetBlockSize:
      return context != nullptr ? context->blockSize : 0;
    case audioMasterGetCurrentProcessLevel:
      return context != nullptr ? context->processLevel : 0;
    case audioMasterGetVendorString:
      copyText(ptr, kHostVendor, kVstMaxVendorStrLen);
      return 1;
    case audioMasterGetProductString:
      copyText(ptr, context != nullptr ? context->productName : kHostVendor, kVstMaxProductStrLen);
      return 1;
    case audioMasterGetVendorVersion:
      return kHostVendorVersion;
    case audioMasterCanDo:
      return hostCanDo(ptr) ? 1 : 0;
    case audioMasterGetLanguage:
      return kLanguageEnglish;
    default:
      return 0;  // automation, MIDI output, idle, latency and the rest need no answer
  }
}
