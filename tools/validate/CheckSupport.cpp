// Shared check steps.
#include "tools/validate/CheckSupport.h"

#include <algorithm>

#include "tools/validate/CheckContext.h"
#include "tools/validate/Phrase.h"
#include "tools/validate/Subject.h"
#include "tools/validate/TextFormat.h"

namespace {
constexpr double kUnreportedTailSeconds = 10.0;
constexpr double kLongestTailSeconds = 30.0;
constexpr double kReleaseMarginSeconds = 0.5;
constexpr int32_t kSilenceBlock = 256;
constexpr double kGentleSilenceFloor = 1e-6;
constexpr int kExactSilenceStrictness = 8;
constexpr int kStrictAudioStrictness = 7;
constexpr double kStrictAudioTolerance = 1e-6;
constexpr double kGentleAudioTolerance = 1e-4;
}  // namespace

int64_t releaseLimit(Subject& subject) {
  const int32_t reported = subject.plugin().tailFrames();
  const double rate = subject.sampleRate();
  const double tail =
      reported > 1 ? std::min(reported / rate, kLongestTailSeconds) : kUnreportedTailSeconds;
  return static_cast<int64_t>((tail + kReleaseMarginSeconds) * rate);
}

double silenceFloor(const CheckContext& context) {
  return context.atLeast(kExactSilenceStrictness) ? 0.0 : kGentleSilenceFloor;
}

int64_t expectSilence(CheckContext& context, Subject& subject, const std::string& situation) {
  const int64_t limit = releaseLimit(subject);
  const int64_t took =
      subject.renderUntilSilent(limit, kSilenceBlock, kSilenceBlock, silenceFloor(context));
  if (took < 0)
    context.fail(textf("%s: not silent %.1f s later (peak %.3g in the last block)",
                       situation.c_str(), static_cast<double>(limit) / subject.sampleRate(),
                       subject.lastPeak()));
  return took;
}

bool expectSound(CheckContext& context, Subject& subject, const std::string& situation, int note,
                 double seconds) {
  subject.noteOn(0, note, 100);
  double peak = 0.0;
  const int64_t frames = subject.frames(seconds);
  for (int64_t done = 0; done < frames; done += kStandardBlock) {
    subject.render(kStandardBlock);
    peak = std::max(peak, subject.lastPeak());
  }
  subject.noteOff(0, note);
  return context.expect(peak > 0.0, situation + ": a held note made no sound");
}

void expectSameAudio(CheckContext& context, const std::vector<double>& reference,
                     const std::vector<double>& other, const std::string& what) {
  const double tolerance =
      (context.atLeast(kStrictAudioStrictness) ? kStrictAudioTolerance : kGentleAudioTolerance) *
      std::max(peakOf(reference), 1.0);
  int64_t where = -1;
  const double difference = largestDifference(reference, other, &where);
  context.expect(difference <= tolerance,
                 textf("%s differs from the reference by %.3g at frame %lld", what.c_str(),
                       difference, static_cast<long long>(where)));
}

bool comparable(CheckContext& context, const Phrase& phrase) {
  Subject first(context);
  Subject second(context);
  if (!first.ok() || !second.ok()) return false;
  first.start(kStandardRate, kStandardBlock);
  second.start(kStandardRate, kStandardBlock);
  const std::vector<double> a = play(first, phrase, kStandardBlock);
  const std::vector<double> b = play(second, phrase, kStandardBlock);
  if (a == b) return true;
  context.skip(
      "two instances play the same notes differently: the instrument is not deterministic");
  return false;
}

std::vector<float> parameterValues(Subject& subject) {
  std::vector<float> values;
  for (int32_t i = 0; i < subject.identity().numParams; ++i)
    values.push_back(subject.plugin().parameter(i));
  return values;
}
