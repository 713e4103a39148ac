// The editor's view of an LV2 plug-in from the UI binary: the values it last heard from the
// host, edits written back as port values in plain units (bracketed by touch when the host
// offers it), and the appearance and factory programs sent as patch:Set messages.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include "editor/EditorLink.h"
#include "params/ParamIds.h"

struct UiHost {
  LV2UI_Write_Function write = nullptr;
  LV2UI_Controller controller = nullptr;
  const LV2UI_Touch* touch = nullptr;  // optional
  const LV2_URID_Map* map = nullptr;   // without it no patch message can be sent
};

class UiLink final : public EditorLink {
 public:
  explicit UiLink(const UiHost& host);
  UiLink(const UiLink&) = delete;
  UiLink& operator=(const UiLink&) = delete;

  double value(int32_t id) const override;
  void storeValue(int32_t id, double value) override;
  int32_t skin() const override { return skin_; }
  void exchangeSkin(int32_t skin) override;
  void beginEdit(int32_t id) override;
  void automate(int32_t id, double value) override;
  void endEdit(int32_t id) override;
  void updateDisplay() override {}
  void loadProgram(int32_t program) override;

  // The host's port_event: a control port's plain value, or a patch:Set on the notification
  // port. Nothing goes back to the host.
  void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
  // Asks the DSP side for the appearance it holds.
  void requestSkin();

 private:
  void writePort(int32_t id);
  void sendSet(LV2_URID property, int32_t value);
  void takeMessage(const LV2_Atom& atom);

  UiHost host_;
  double values_[kNumParams];
  int32_t skin_ = 0;
  LV2_URID eventTransfer_ = 0;
  LV2_URID atomInt_ = 0;
  LV2_URID atomUrid_ = 0;
  LV2_URID atomObject_ = 0;
  LV2_URID patchGet_ = 0;
  LV2_URID patchSet_ = 0;
  LV2_URID patchProperty_ = 0;
  LV2_URID patchValue_ = 0;
  LV2_URID appearance_ = 0;
  LV2_URID program_ = 0;
};
