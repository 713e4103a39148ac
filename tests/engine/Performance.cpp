// Rendering a score through the plug-in's entry points.
#include "tests/engine/Performance.h"

#include <algorithm>
#include <cstdio>

#include "gtest/gtest.h"

Performance::Performance(double sampleRate) {
  plugin_.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
}

void Performance::setPlain(ParamId id, double plain) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", plain);
  EXPECT_EQ(plugin_.dispatch(effString2Parameter, id, 0, text), 1) << "parameter " << id;
}

void Performance::useCleanSine() {
  setPlain(kSquare, 0.0);
  setPlain(kTriangle, 0.0);
  setPlain(kSine, 100.0);
  setPlain(kSineCharacter, 0.0);
  setPlain(kOutput, 0.0);
  setPlain(kAttack, 2.0);
}

void Performance::event(int64_t frame, uint8_t status, uint8_t data1, uint8_t data2) {
  Scheduled s{frame, status, data1, data2};
  // Keep the score ordered by frame, events on one frame in the order they were added.
  auto at = std::upper_bound(score_.begin() + static_cast<std::ptrdiff_t>(nextEvent_), score_.end(),
                             frame, [](int64_t f, const Scheduled& e) { return f < e.frame; });
  score_.insert(at, s);
}

void Performance::noteOn(int64_t frame, int note, int velocity, int channel) {
  event(frame, static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(note),
        static_cast<uint8_t>(velocity));
}

void Performance::noteOff(int64_t frame, int note, int channel) {
  event(frame, static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(note), 0);
}

void Performance::controller(int64_t frame, int number, int value, int channel) {
  event(frame, static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(number),
        static_cast<uint8_t>(value));
}

void Performance::bend(int64_t frame, int value14, int channel) {
  event(frame, static_cast<uint8_t>(0xE0 | channel), static_cast<uint8_t>(value14 & 0x7F),
        static_cast<uint8_t>(value14 >> 7));
}

void Performance::sendEventsFor(int64_t start, int frames) {
  EventBlock block;
  while (nextEvent_ < score_.size() && score_[nextEvent_].frame < start + frames) {
    const Scheduled& s = score_[nextEvent_++];
    block.add(static_cast<int32_t>(s.frame - start), s.status, s.data1, s.data2);
  }
  if (block.size() > 0) {
    EXPECT_EQ(plugin_.dispatch(effProcessEvents, 0, 0, block.events()), 1);
  }
}

std::vector<double> Performance::render(int64_t frames, int block, RenderPath path) {
  std::vector<double> out;
  out.reserve(static_cast<size_t>(frames));
  std::vector<float> left(static_cast<size_t>(block)), right(static_cast<size_t>(block));
  std::vector<double> leftD(static_cast<size_t>(block)), rightD(static_cast<size_t>(block));
  AEffect* e = plugin_.effect();
  for (int64_t done = 0; done < frames;) {
    const int n = static_cast<int>(std::min<int64_t>(block, frames - done));
    sendEventsFor(position_, n);
    bool channelsMatch = true;
    if (path == RenderPath::DoubleReplacing) {
      double* outs[2] = {leftD.data(), rightD.data()};
      e->processDoubleReplacing(e, nullptr, outs, n);
      for (int j = 0; j < n; ++j) {
        out.push_back(leftD[j]);
        channelsMatch &= leftD[j] == rightD[j];
      }
    } else {
      std::fill(left.begin(), left.end(), 0.0f);
      std::fill(right.begin(), right.end(), 0.0f);
      float* outs[2] = {left.data(), right.data()};
      if (path == RenderPath::Adding)
        e->process(e, nullptr, outs, n);
      else
        e->processReplacing(e, nullptr, outs, n);
      for (int j = 0; j < n; ++j) {
        out.push_back(left[j]);
        channelsMatch &= left[j] == right[j];
      }
    }
    EXPECT_TRUE(channelsMatch) << "the two channels differ in the block at " << position_;
    position_ += n;
    done += n;
  }
  return out;
}
