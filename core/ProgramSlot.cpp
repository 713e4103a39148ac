// Factory program loading and the current program's name.
#include "core/ProgramSlot.h"

#include "core/HostText.h"
#include "core/InstrumentCore.h"
#include "core/ParamStore.h"
#include "params/Programs.h"

void setFactoryName(InstrumentCore& core, int32_t index) {
  if (!isValidProgram(index)) return;
  copyHostText(core.programName, kProgramNameSize, kProgramNames[index]);
}

void loadProgram(InstrumentCore& core, int32_t index) {
  if (!isValidProgram(index)) return;
  double values[kNumParams];
  programValues(index, values);
  for (int32_t i = 0; i < kNumParams; ++i)
    storeParameter(core, i, values[i]);
  core.currentProgram.store(index);
  setFactoryName(core, index);
}

void selectProgram(InstrumentCore& core, intptr_t index) {
  if (index == static_cast<intptr_t>(core.currentProgram.load())) return;
  loadProgram(core, static_cast<int32_t>(index));
}

void renameProgram(InstrumentCore& core, const char* text) {
  if (text == nullptr) return;
  copyHostText(core.programName, kProgramNameSize, text);
}
