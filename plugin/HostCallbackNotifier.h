// The core's edit notifications as VST 2 host callbacks.
#pragma once

#include <cstdint>

#include "core/HostNotifier.h"

struct PluginInstance;

class HostCallbackNotifier final : public HostNotifier {
 public:
  explicit HostCallbackNotifier(PluginInstance& instance) : instance_(instance) {}
  HostCallbackNotifier(const HostCallbackNotifier&) = delete;
  HostCallbackNotifier& operator=(const HostCallbackNotifier&) = delete;

  void beginEdit(int32_t id) override;
  void automate(int32_t id, double value) override;
  void endEdit(int32_t id) override;
  void updateDisplay() override;

 private:
  void callHost(int32_t opcode, int32_t index, float opt);

  PluginInstance& instance_;
};
