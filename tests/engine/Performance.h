// Playing the instrument as a host does: one plug-in instance, a score of MIDI events at
// absolute frames, and rendering in blocks through the processing entry points, with each
// block's events delivered through effProcessEvents just before the block.
#pragma once

#include <cstdint>
#include <vector>

#include "params/ParamTable.h"
#include "tests/host/TestHost.h"
#include "tools/host/RenderPath.h"

class Performance {
 public:
  explicit Performance(double sampleRate = 44100.0);

  AEffect* effect() const { return plugin_.effect(); }
  const TestPlugin& plugin() const { return plugin_; }

  // Stores a plain value (in the parameter's own unit) through effString2Parameter, which
  // keeps the full double precision of the normalized value.
  void setPlain(ParamId id, double plain);
  // A pure sine voice: sine weight 1, no square, triangle or character, Output 0 dB,
  // the fastest attack. Takes effect at the next reset().
  void useCleanSine();
  // Resets the engine (effMainsChanged), so that smoothing starts at the values just set.
  void reset() { plugin_.dispatch(effMainsChanged, 0, 1); }

  void event(int64_t frame, uint8_t status, uint8_t data1, uint8_t data2);
  void noteOn(int64_t frame, int note, int velocity = 127, int channel = 0);
  void noteOff(int64_t frame, int note, int channel = 0);
  void controller(int64_t frame, int number, int value, int channel = 0);
  void bend(int64_t frame, int value14, int channel = 0);

  // Renders `frames` more frames in blocks of `block`; returns channel 0 as doubles and
  // checks (gtest failure) that channel 1 carried the same samples.
  std::vector<double> render(int64_t frames, int block = 512,
                             RenderPath path = RenderPath::DoubleReplacing);
  int64_t position() const { return position_; }

  // Delivers the score's events for the next `frames` frames, for a test that then calls a
  // processing entry itself with exactly that many frames.
  void deliverEventsFor(int frames) {
    sendEventsFor(position_, frames);
    position_ += frames;
  }

 private:
  struct Scheduled {
    int64_t frame;
    uint8_t status, data1, data2;
  };
  void sendEventsFor(int64_t start, int frames);

  TestPlugin plugin_;
  std::vector<Scheduled> score_;
  size_t nextEvent_ = 0;
  int64_t position_ = 0;
};
