// The instrument without a plug-in format: the sixteen normalized values every format shares,
// the current program and skin, the engine with its event queue, and the editor's link. Each
// format's instance is built around one of these.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "core/InstanceLink.h"
#include "engine/MidiEventQueue.h"
#include "engine/ToneEngine.h"
#include "params/ParamTable.h"

constexpr size_t kProgramNameSize = 25;  // 24 characters and a terminating zero
constexpr double kDefaultSampleRate = 44100.0;

struct InstrumentCore {
  ToneEngine engine;
  std::atomic<double> paramValues[kNumParams];  // each conformed by quantize when stored
  std::atomic<int32_t> currentProgram;
  std::atomic<int32_t> skin;
  MidiEventQueue midiQueue;
  double hostSampleRate;
  char programName[kProgramNameSize];
  InstanceLink editorLink;  // what the editor reads and writes

  // Defaults, program 0 and its name, the Original skin, 44100 Hz. The notifier is only
  // stored here: it may be a member of the format's instance that is not built yet.
  explicit InstrumentCore(HostNotifier& notifier);
  InstrumentCore(const InstrumentCore&) = delete;
  InstrumentCore& operator=(const InstrumentCore&) = delete;
};

static_assert(std::atomic<double>::is_always_lock_free);
static_assert(std::atomic<int32_t>::is_always_lock_free);
