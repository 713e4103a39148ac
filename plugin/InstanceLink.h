// The editor's view of one instance: its parameter store, skin, host callback and
// programs, behind the interface the editor owns.
#pragma once

#include "editor/EditorLink.h"

struct PluginInstance;

class InstanceLink final : public EditorLink {
 public:
  explicit InstanceLink(PluginInstance& instance) : instance_(instance) {}
  InstanceLink(const InstanceLink&) = delete;
  InstanceLink& operator=(const InstanceLink&) = delete;

  double value(int32_t id) const override;
  void storeValue(int32_t id, double value) override;
  int32_t skin() const override;
  void exchangeSkin(int32_t skin) override;
  void beginEdit(int32_t id) override;
  void automate(int32_t id, double value) override;
  void endEdit(int32_t id) override;
  void updateDisplay() override;
  void loadProgram(int32_t program) override;

 private:
  void callHost(int32_t opcode, int32_t index, float opt);

  PluginInstance& instance_;
};
