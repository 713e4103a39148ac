// Loading the plug-in and striking the benchmark's note.
#include "bench/HeldNote.h"

#include <cstdio>
#include <cstdlib>

#include "params/ParamTable.h"

namespace {

intptr_t hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

HeldNote::HeldNote(double sampleRate, int blockSize)
    : blockSize_(blockSize), left_(blockSize), right_(blockSize) {
  outputs_[0] = left_.data();
  outputs_[1] = right_.data();
  if (!module_.load(BRISALONDE_PLUGIN_PATH) ||
      (effect_ = module_.entry()(hostCallback)) == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", BRISALONDE_PLUGIN_PATH, module_.error().c_str());
    std::abort();
  }
  effect_->setParameter(effect_, kVibratoDepth, 0.5f);  // 50 cents
  effect_->setParameter(effect_, kTremoloDepth, 0.5f);
  effect_->setParameter(effect_, kGlide, 0.1f);  // 200 ms
  effect_->dispatcher(effect_, effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  effect_->dispatcher(effect_, effMainsChanged, 0, 1, nullptr, 0.0f);

  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.byteSize = sizeof note;
  note.midiData[0] = static_cast<char>(0x90);
  note.midiData[1] = 69;
  note.midiData[2] = 100;
  struct {
    VstEvents head;
    VstEvent* more;
  } events{};
  events.head.numEvents = 1;
  events.head.events[0] = reinterpret_cast<VstEvent*>(&note);
  effect_->dispatcher(effect_, effProcessEvents, 0, 0, &events.head, 0.0f);
  for (double done = 0; done < sampleRate; done += blockSize)
    renderBlock();
}

HeldNote::~HeldNote() {
  if (effect_ != nullptr) effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
}
