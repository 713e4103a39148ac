// What the core tells its host about edits made in the editor, in no format's terms: each
// adapter turns these into its own host calls. Called from the editor's thread only.
#pragma once

#include <cstdint>

class HostNotifier {
 public:
  virtual void beginEdit(int32_t id) = 0;
  // `value` is the normalized value just stored.
  virtual void automate(int32_t id, double value) = 0;
  virtual void endEdit(int32_t id) = 0;
  // Something beyond one parameter changed (a program was loaded).
  virtual void updateDisplay() = 0;

 protected:
  ~HostNotifier() = default;
};
