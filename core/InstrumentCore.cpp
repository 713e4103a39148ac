// Construction of the core: defaults, program 0, the Original skin, 44100 Hz.
#include "core/InstrumentCore.h"

#include <cstring>

#include "core/HostText.h"
#include "engine/BlockProcessor.h"
#include "params/Programs.h"

InstrumentCore::InstrumentCore(HostNotifier& notifier) : editorLink(*this, notifier) {
  double defaults[kNumParams];
  programValues(0, defaults);
  initToneEngine(engine, defaults);
  for (int i = 0; i < kNumParams; ++i)
    paramValues[i].store(defaults[i]);

  currentProgram.store(0);
  skin.store(0);
  std::memset(&midiQueue, 0, sizeof midiQueue);
  hostSampleRate = kDefaultSampleRate;
  copyHostText(programName, kProgramNameSize, kProgramNames[0]);

  setSampleRate(engine, midiQueue, paramValues, hostSampleRate);
}
