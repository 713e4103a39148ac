// The three processing entries: one voice, three ways of delivering it to the host.
#include <cmath>
#include <limits>
#include <vector>

#include "gtest/gtest.h"
#include "tests/engine/Performance.h"
#include "tests/engine/SignalMeasure.h"

namespace {

// A busy score: notes on several channels, bend, wheel and vibrato, tremolo, glide.
void playScore(Performance& p) {
  p.setPlain(kVibratoDepth, 30.0);
  p.setPlain(kTremoloDepth, 40.0);
  p.setPlain(kGlide, 50.0);
  p.reset();
  p.noteOn(3, 60, 90);
  p.controller(700, 1, 80);
  p.noteOn(1500, 72, 127, 4);
  p.bend(2100, 3000);
  p.noteOff(3000, 72, 4);
  p.noteOn(3333, 48, 60, 15);
}

constexpr int kFrames = 6000;

std::vector<float> toFloat(const Signal& x) {
  return std::vector<float>(x.begin(), x.end());
}

TEST(ProcessPaths, AllThreeEntriesDeliverTheSameSamples) {
  Performance single, adding, wide;
  for (Performance* p : {&single, &adding, &wide})
    playScore(*p);
  const Signal replacing = single.render(kFrames, 512, RenderPath::Replacing);
  const Signal accumulating = adding.render(kFrames, 512, RenderPath::Adding);
  const Signal doubles = wide.render(kFrames, 512, RenderPath::DoubleReplacing);
  EXPECT_GT(peakLevel(doubles, 0, kFrames), 0.1);
  EXPECT_EQ(replacing, accumulating);
  EXPECT_EQ(toFloat(replacing), toFloat(doubles)) << "single precision is the rounded double";
}

// Renders one block into buffers prefilled with `fill`, both channels.
struct StereoBlock {
  std::vector<float> left, right;
};

StereoBlock renderInto(Performance& p, float fill, bool adding, int frames) {
  StereoBlock b{std::vector<float>(frames, fill), std::vector<float>(frames, fill)};
  float* outs[2] = {b.left.data(), b.right.data()};
  AEffect* e = p.effect();
  (adding ? e->process : e->processReplacing)(e, nullptr, outs, frames);
  return b;
}

TEST(ProcessPaths, ReplacingOverwritesGarbageAndAccumulatingAdds) {
  Performance clean, garbage, added;
  for (Performance* p : {&clean, &garbage, &added})
    playScore(*p);
  for (Performance* p : {&clean, &garbage, &added})
    p->deliverEventsFor(512);
  const StereoBlock zero = renderInto(clean, 0.0f, true, 512);
  const StereoBlock over = renderInto(garbage, std::numeric_limits<float>::quiet_NaN(), false, 512);
  const StereoBlock sum = renderInto(added, 0.25f, true, 512);
  EXPECT_GT(peakLevel(Signal(zero.left.begin(), zero.left.end()), 0, 512), 0.01);
  EXPECT_EQ(over.left, zero.left);
  EXPECT_EQ(over.right, zero.right);
  for (int j = 0; j < 512; ++j) {
    EXPECT_EQ(sum.left[j], 0.25f + zero.left[j]) << j;
    EXPECT_EQ(sum.right[j], 0.25f + zero.right[j]) << j;
  }
}

TEST(ProcessPaths, BothChannelsCarryTheSameSignal) {
  Performance p;
  playScore(p);
  p.render(kFrames, 512, RenderPath::Replacing);  // checks the channels frame by frame
  p.render(kFrames, 333, RenderPath::Adding);
  p.render(kFrames, 4096, RenderPath::DoubleReplacing);
}

TEST(ProcessPaths, NullOutputsStillAdvanceTheVoiceAndConsumeEvents) {
  Performance written, skipped, half;
  for (Performance* p : {&written, &skipped, &half}) {
    p->noteOn(100, 69);
    p->deliverEventsFor(1024);
  }
  std::vector<double> left(1024), right(1024);
  double* outs[2] = {left.data(), right.data()};
  written.effect()->processDoubleReplacing(written.effect(), nullptr, outs, 1024);
  skipped.effect()->processDoubleReplacing(skipped.effect(), nullptr, nullptr, 1024);
  std::vector<float> onlyRight(1024, 7.0f);
  float* rightOnly[2] = {nullptr, onlyRight.data()};
  half.effect()->processReplacing(half.effect(), nullptr, rightOnly, 1024);
  EXPECT_EQ(firstNonZero(Signal(left.begin(), left.end())), 100u);
  for (int j = 0; j < 1024; ++j)
    EXPECT_EQ(onlyRight[j], static_cast<float>(left[j])) << j;
  const Signal a = written.render(2048), b = skipped.render(2048), c = half.render(2048);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
}

TEST(ProcessPaths, NegativeFrameCountChangesNothing) {
  Performance plain, negative;
  for (Performance* p : {&plain, &negative}) {
    playScore(*p);
    p->render(1000);
  }
  // Events already queued stay where they are, too.
  for (Performance* p : {&plain, &negative}) {
    EventBlock block;
    block.add(50, 0x90, 80, 100);
    p->plugin().dispatch(effProcessEvents, 0, 0, block.events());
  }
  std::vector<float> buffer(16, 3.0f);
  float* outs[2] = {buffer.data(), buffer.data()};
  negative.effect()->processReplacing(negative.effect(), nullptr, outs, -16);
  negative.effect()->process(negative.effect(), nullptr, outs, -1);
  double* wide[2] = {nullptr, nullptr};
  negative.effect()->processDoubleReplacing(negative.effect(), nullptr, wide, -512);
  EXPECT_EQ(buffer, std::vector<float>(16, 3.0f));
  EXPECT_EQ(plain.render(kFrames), negative.render(kFrames));
}

}  // namespace
