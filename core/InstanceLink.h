// The editor's view of one instrument: its parameter store, skin and programs, behind the
// interface the editor owns; edit notifications go on to the host through a HostNotifier.
#pragma once

#include "editor/EditorLink.h"

class HostNotifier;
struct InstrumentCore;

class InstanceLink final : public EditorLink {
 public:
  InstanceLink(InstrumentCore& core, HostNotifier& notifier) : core_(core), notifier_(notifier) {}
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
  InstrumentCore& core_;
  HostNotifier& notifier_;
};
