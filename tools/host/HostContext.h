// What a host tells one plug-in instance about itself when the instance calls back: sample
// rate, block size, transport and process level, plus a count of every call received.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "plugin/vst2.h"
#include "tools/host/HostTypes.h"

struct HostContext {
  static constexpr int32_t kCountedOpcodes = 64;

  const char* productName = "Brisalonde host";
  double sampleRate = 44100.0;
  int32_t blockSize = 512;
  int32_t processLevel = kVstProcessLevelUser;
  VstTimeInfo timeInfo{};  // the transport, kept current by whoever drives the plug-in

  // How often the plug-in sent each host opcode (0..63), and any other opcode.
  std::array<std::atomic<uint32_t>, kCountedOpcodes> callCounts{};
  std::atomic<uint32_t> otherCalls{0};

  uint32_t calls(int32_t opcode) const {
    return opcode >= 0 && opcode < kCountedOpcodes ? callCounts[opcode].load() : 0;
  }
};

// The callback handed to VSTPluginMain. A call is answered from the context bound to its
// AEffect; calls made while the plug-in is still being created (effect null or not yet bound)
// go to the context of the instance being created on this thread.
intptr_t hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                      float opt);

// Binds the context that answers calls during VSTPluginMain on this thread (null to unbind).
void bindCreatingContext(HostContext* context);
// Binds an instance's record to its context; false when every binding slot is taken.
bool bindEffect(AEffect* effect, HostContext* context);
void unbindEffect(AEffect* effect);
