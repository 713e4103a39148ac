// Setting up the engine for the unit tests.
#include "tests/engine/UnitEngine.h"

#include <cstring>
#include <string>

const double kStartingProgram[kNumParams] = {0.55, 0.3, 0.15, 0.00266845, 0.055055, 0.0, 0.5, 0.0,
                                             0.25, 0.0, 0.5,  0.5,        0.8,      0.0, 1.0, 0.35};

UnitEngine::UnitEngine(double rate, const double* program) {
  for (int i = 0; i < kNumParams; ++i)
    params[i].store(program[i]);
  std::memset(queue.get(), 0, sizeof(MidiEventQueue));
  initToneEngine(*engine, program);
  setSampleRate(*engine, *queue, params.get(), rate);
}

void UnitEngine::add(int32_t frame, uint8_t status, uint8_t data1, uint8_t data2) {
  appendMidiEvent(*queue, frame, status, data1, data2);
}

std::string testNameOf(EnginePath path) {
  switch (path) {
    case EnginePath::Sse2:
      return "SSE2";
    case EnginePath::Avx2Fma:
      return "AVX2_FMA";
    case EnginePath::Avx512:
      return "AVX512F";
  }
  return "unknown";
}
