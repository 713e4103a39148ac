// Turns a crash inside a hosted plug-in into one clear line on stderr (the program, the
// plug-in file, the fault and the call that was running) and a chosen exit code, instead of
// a bare signal, a core dump or a debugger prompt.
#pragma once

#include <cstdint>

namespace crashguard {

// Installs the handlers for the whole process; `programName` and `plugin` are copied.
void install(const char* programName, int exitCode);
void setPlugin(const char* pluginPath);
// A file to delete if the process crashes (a half-written output); null for none.
void setDiscardFile(const char* path);

// Marks the call into the plug-in that is running, for the message; restores the previous
// mark when it ends. `what` must be a string with static lifetime.
class Stage {
 public:
  explicit Stage(const char* what, int32_t opcode = -1);
  ~Stage();
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

 private:
  const char* previousWhat_;
  int32_t previousOpcode_;
};

}  // namespace crashguard
