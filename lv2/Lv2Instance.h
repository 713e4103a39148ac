// One LV2 instance: the instrument core with the host's port buffers, the mapped URIs and
// the forge that writes replies to the notification port.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>

#include "core/HostNotifier.h"
#include "core/InstrumentCore.h"
#include "lv2/Lv2Identity.h"
#include "lv2/Lv2Uris.h"

// The DSP side has no editor: edits reach the host as port writes from the UI binary.
class SilentNotifier final : public HostNotifier {
 public:
  void beginEdit(int32_t) override {}
  void automate(int32_t, double) override {}
  void endEdit(int32_t) override {}
  void updateDisplay() override {}
};

struct Lv2Instance {
  SilentNotifier notifier;
  InstrumentCore core{notifier};
  Lv2Uris uris;
  LV2_Atom_Forge forge;
  const float* controls[kNumParams];
  const LV2_Atom_Sequence* events;
  float* outputs[2];
  LV2_Atom_Sequence* notify;
  LV2_Atom_Forge_Frame notifyFrame;  // the open sequence on the notification port
  bool notifyOpen;                   // false when the port is missing or has no room
  bool startPending;  // the first run() after activate() takes the ports without smoothing
};
