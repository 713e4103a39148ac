// Audio checks: sample rates, block sizes (announced, larger than announced, random with
// empty blocks), the replacing and adding contracts, the two precisions, and silence after
// the tail.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/validate/CheckContext.h"
#include "tools/validate/CheckList.h"
#include "tools/validate/CheckSupport.h"
#include "tools/validate/Phrase.h"
#include "tools/validate/Subject.h"
#include "tools/validate/TextFormat.h"

namespace {

constexpr double kAllRates[] = {22050, 32000, 44100, 48000, 88200, 96000, 176400, 192000};
constexpr double kGentleRates[] = {44100, 48000, 96000};
constexpr int32_t kAllBlocks[] = {1,   2,   3,   7,   16,   31,   32,   64,  100,
                                  128, 255, 256, 512, 1000, 1024, 2048, 4096};
constexpr int32_t kGentleBlocks[] = {1, 64, 512, 4096};
constexpr int32_t kReferenceBlock = 4096;
constexpr int32_t kSmallAnnouncedBlock = 64;
constexpr int32_t kLargeBlocks[] = {512, 4096, 8192, 16384};
constexpr double kSilenceSeconds = 20.0;
constexpr float kAddingBase = 0.25f;

void sampleRates(CheckContext& context) {
  std::vector<double> rates(std::begin(kGentleRates), std::end(kGentleRates));
  if (context.atLeast(5)) rates.assign(std::begin(kAllRates), std::end(kAllRates));
  Subject subject(context);
  if (!subject.ok()) return;
  for (double rate : rates) {
    context.step(textf("%.0f Hz", rate));
    subject.suspend();
    subject.setup(rate, kStandardBlock);
    subject.resume();
    const std::string where = textf("at %.0f Hz", rate);
    expectSound(context, subject, where);
    expectSilence(context, subject, where + ", a released note");
    subject.reportHealth(context, where);
  }
  context.note(textf("%zu rates from %.0f to %.0f Hz", rates.size(), rates.front(), rates.back()));
}

// The same phrase in every block size must give the same audio as in the reference size.
void blockSizes(CheckContext& context) {
  std::vector<int32_t> sizes(std::begin(kGentleBlocks), std::end(kGentleBlocks));
  if (context.atLeast(5)) sizes.assign(std::begin(kAllBlocks), std::end(kAllBlocks));
  const Phrase phrase = gridPhrase(kStandardRate);
  if (!comparable(context, phrase)) return;
  Subject reference(context);
  if (!reference.ok()) return;
  reference.start(kStandardRate, kReferenceBlock);
  const std::vector<double> expected = play(reference, phrase, kReferenceBlock);
  reference.reportHealth(context, textf("in %d-frame blocks", kReferenceBlock));
  context.expect(peakOf(expected) > 0.0, "the grid phrase made no sound");
  for (int32_t size : sizes) {
    context.step(textf("%d-frame blocks", size));
    Subject subject(context);
    if (!subject.ok()) return;
    subject.start(kStandardRate, size);
    const std::string where = textf("in %d-frame blocks", size);
    expectSameAudio(context, expected, play(subject, phrase, size), "the grid phrase " + where);
    subject.reportHealth(context, where);
  }
  context.note(
      textf("%zu block sizes from %d to %d frames", sizes.size(), sizes.front(), sizes.back()));
}

void largerThanAnnounced(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kSmallAnnouncedBlock);
  const size_t count = context.atLeast(5) ? std::size(kLargeBlocks) : 2;
  for (size_t i = 0; i < count; ++i) {
    const int32_t size = kLargeBlocks[i];
    context.step(textf("%d frames after announcing %d", size, kSmallAnnouncedBlock));
    subject.noteOn(size / 2, kMiddleC + static_cast<int>(i));
    subject.render(size);
    subject.render(size);
    subject.releaseAll(size - 1);
    subject.render(size);
  }
  context.expect(subject.framesRendered() > 0, "nothing was rendered");
  subject.reportHealth(context,
                       textf("blocks larger than the announced %d frames", kSmallAnnouncedBlock));
  expectSilence(context, subject, "after oversized blocks");
}

// Random block sizes, empty blocks among them, must not change the audio.
void randomBlocks(CheckContext& context) {
  const double seconds = static_cast<double>(context.scaled(2, 8));
  const Phrase phrase = randomPhrase(context, kStandardRate, seconds);
  const int32_t largest = context.atLeast(8) ? 2 * kReferenceBlock : kReferenceBlock;
  if (!comparable(context, phrase)) return;
  Subject reference(context);
  Subject subject(context);
  if (!reference.ok() || !subject.ok()) return;
  reference.start(kStandardRate, kStandardBlock);
  subject.start(kStandardRate, kReferenceBlock);
  const std::vector<double> expected = play(reference, phrase, kStandardBlock);
  int empty = 0;
  PlayOptions options;
  options.nextBlock = [&]() -> int32_t {
    const int32_t kind = context.uniformInt(0, 9);
    if (kind == 0) {
      ++empty;
      return 0;
    }
    return context.uniformInt(1, kind < 4 ? 16 : largest);
  };
  const std::vector<double> got = play(subject, phrase, options, subject.defaultPath());
  expectSameAudio(context, expected, got, "a phrase in random block sizes");
  subject.reportHealth(context, "random block sizes");
  reference.reportHealth(context, "the reference rendering");
  context.note(textf("%.0f s of random blocks up to %d frames, %d empty", seconds, largest, empty));
}

// The replacing paths must overwrite every sample (the subject pre-fills them with a NaN
// mark and counts what is left); the adding path must add to what the buffers hold.
void replacingOverwrites(CheckContext& context) {
  const Phrase phrase = gridPhrase(kStandardRate);
  bool any = false;
  for (RenderPath path : {RenderPath::Replacing, RenderPath::DoubleReplacing}) {
    Subject subject(context);
    if (!subject.ok()) return;
    if (!subject.hasPath(path)) continue;
    any = true;
    subject.setup(kStandardRate, kStandardBlock,
                  path == RenderPath::DoubleReplacing ? Precision::Double : Precision::Single);
    subject.resume();
    PlayOptions options;
    options.nextBlock = [&] { return context.uniformInt(0, kStandardBlock); };
    play(subject, phrase, options, path);
    subject.reportHealth(context, path == RenderPath::DoubleReplacing ? "processDoubleReplacing"
                                                                      : "processReplacing");
  }
  if (!any) context.skip("the plug-in has no replacing path");
}

void addingAccumulates(CheckContext& context) {
  const Phrase phrase = gridPhrase(kStandardRate);
  Subject reference(context);
  Subject adding(context);
  if (!reference.ok() || !adding.ok()) return;
  if (!adding.hasPath(RenderPath::Adding) || !reference.hasPath(RenderPath::Replacing)) {
    context.skip("the plug-in lacks the adding or the replacing path");
    return;
  }
  if (!comparable(context, phrase)) return;
  reference.start(kStandardRate, kStandardBlock);
  adding.start(kStandardRate, kStandardBlock);
  adding.setAddingBase(kAddingBase);
  const std::vector<double> expected = play(reference, phrase, kStandardBlock);
  PlayOptions options;
  options.nextBlock = [] { return kStandardBlock; };
  const std::vector<double> got = play(adding, phrase, options, RenderPath::Adding);
  expectSameAudio(context, expected, got, "process() minus what the buffers held");
  adding.reportHealth(context, "process()");
}

void precisions(CheckContext& context) {
  const Phrase phrase = gridPhrase(kStandardRate);
  Subject single(context);
  Subject twice(context);
  if (!single.ok() || !twice.ok()) return;
  if (!twice.hasPath(RenderPath::DoubleReplacing)) {
    context.skip("the plug-in has no double-precision path");
    return;
  }
  if (!comparable(context, phrase)) return;
  single.start(kStandardRate, kStandardBlock);
  twice.setup(kStandardRate, kStandardBlock, Precision::Double);
  twice.resume();
  const std::vector<double> expected = play(single, phrase, kStandardBlock);
  PlayOptions options;
  options.nextBlock = [] { return kStandardBlock; };
  const std::vector<double> got = play(twice, phrase, options, RenderPath::DoubleReplacing);
  int64_t where = -1;
  const double difference = largestDifference(expected, got, &where);
  context.note(textf("single and double precision differ by at most %.2g", difference));
  context.expect(difference <= 1e-5 * std::max(1.0, peakOf(expected)),
                 textf("single and double precision differ by %.3g at frame %lld", difference,
                       static_cast<long long>(where)));
  twice.reportHealth(context, "processDoubleReplacing");
}

// After the release and the tail the output must be exactly 0, and stay so through a long
// silence in which decaying states would turn subnormal.
void tailSilence(CheckContext& context) {
  const double silence = context.atLeast(5) ? kSilenceSeconds : kSilenceSeconds / 4;
  for (double rate : {kStandardRate, 96000.0}) {
    Subject subject(context);
    if (!subject.ok()) return;
    subject.start(rate, kStandardBlock);
    context.step(textf("a chord released at %.0f Hz", rate));
    for (int note : {36, 60, 72, 96})
      subject.noteOn(0, note, 127);
    subject.renderFrames(subject.frames(0.5), kStandardBlock);
    subject.releaseAll();
    const int64_t quiet = subject.frames(silence);
    const double floor = silenceFloor(context);
    const int64_t took =
        subject.renderUntilSilent(releaseLimit(subject), kStandardBlock, quiet, floor);
    if (took < 0) {
      context.fail(
          textf("at %.0f Hz the output is not %s for %.0f s within the tail "
                "(peak %.3g in the last block)",
                rate, floor == 0.0 ? "exactly 0" : "below -120 dB", silence, subject.lastPeak()));
    } else if (rate == kStandardRate) {
      context.note(textf("%s from %.3f s after the release, for %.0f s",
                         floor == 0.0 ? "exactly 0" : "below -120 dB", took / rate, silence));
    }
    subject.reportHealth(context, textf("the tail at %.0f Hz", rate));
  }
}

}  // namespace

void addAudioChecks(CheckTable& table) {
  table.push_back(
      {"audio.sample-rates", 1, sampleRates, "plays and falls silent at 22050 to 192000 Hz"});
  table.push_back({"audio.block-sizes", 1, blockSizes,
                   "block sizes 1 to 4096 give the same audio, notes on every grid"});
  table.push_back({"audio.oversized-blocks", 1, largerThanAnnounced,
                   "takes blocks larger than the announced block size", kVst2});
  table.push_back({"audio.random-blocks", 2, randomBlocks,
                   "random block sizes, empty ones included, give the same audio"});
  table.push_back({"audio.replacing-overwrites", 1, replacingOverwrites,
                   "replacing paths overwrite every sample and nothing else"});
  table.push_back(
      {"audio.adding-accumulates", 3, addingAccumulates, "process() adds to the buffers", kVst2});
  table.push_back({"audio.precisions-agree", 2, precisions,
                   "single and double precision give the same audio", kVst2 | kVst3});
  table.push_back(
      {"audio.tail-silence", 1, tailSilence, "exactly 0 after the tail, for 20 s of silence"});
}
