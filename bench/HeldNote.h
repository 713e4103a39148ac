// The benchmark setting: one instance of the plug-in binary holding A4 with vibrato, tremolo
// and glide active, rendered through processReplacing as a host does.
#pragma once

#include <vector>

#include "plugin/vst2.h"
#include "tools/host/PluginModule.h"

class HeldNote {
 public:
  // Loads the plug-in, sets the rate and the modulations, strikes the note and renders one
  // second so that smoothing and glide have settled. Aborts when the plug-in cannot load.
  HeldNote(double sampleRate, int blockSize);
  ~HeldNote();
  HeldNote(const HeldNote&) = delete;
  HeldNote& operator=(const HeldNote&) = delete;

  // One processReplacing call of the block size.
  void renderBlock() { effect_->processReplacing(effect_, nullptr, outputs_, blockSize_); }
  float lastSample() const { return left_[blockSize_ - 1]; }

 private:
  PluginModule module_;
  AEffect* effect_ = nullptr;
  int blockSize_;
  std::vector<float> left_, right_;
  float* outputs_[2];
};
