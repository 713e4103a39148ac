// The cost of silence: with the host's flush-to-zero off, blocks rendered while a released
// chord decays into silence must cost no more than blocks of a held chord. Decaying filter
// and envelope states that turn subnormal make the silent blocks many times slower. Both
// instances are timed in alternation, so that a loaded machine slows both alike, and the
// comparison uses medians over stretches of the silence; a stretch that still looks slow is
// measured again before it counts.
#include <algorithm>
#include <chrono>
#include <vector>

#include "tools/validate/CheckContext.h"
#include "tools/validate/CheckList.h"
#include "tools/validate/CheckSupport.h"
#include "tools/validate/FloatEnvironment.h"
#include "tools/validate/Subject.h"
#include "tools/validate/TextFormat.h"

namespace {

constexpr int kStretches = 10;
constexpr int kAttempts = 3;
constexpr double kAllowedRatio = 2.5;
constexpr int kChord[] = {48, 60, 64, 67, 72};

// Times the plug-in's audio calls and notes whether they used denormal operands (the sticky
// flag survives only in plug-ins that do not restore the host's register).
class CostObserver : public CallObserver {
 public:
  void before(const char*) override {
    fpenv::write(fpenv::kHostDefault);
    start_ = std::chrono::steady_clock::now();
  }
  void after() override {
    seconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if ((fpenv::read() & fpenv::kDenormalFlag) != 0) ++denormalCalls_;
    fpenv::write(fpenv::kHostDefault);
  }
  double take() {
    const double s = seconds_;
    seconds_ = 0.0;
    return s;
  }
  int denormalCalls() const { return denormalCalls_; }

 private:
  std::chrono::steady_clock::time_point start_;
  double seconds_ = 0.0;
  int denormalCalls_ = 0;
};

double median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2),
                   values.end());
  return values[values.size() / 2];
}

struct Measurement {
  double worstRatio = 0.0;
  int worstStretch = 0;
  int denormalCalls = 0;
};

Measurement measure(CheckContext& context, double silenceSeconds) {
  Measurement result;
  Subject playing(context);
  Subject silent(context);
  if (!playing.ok() || !silent.ok()) return result;
  for (Subject* s : {&playing, &silent}) {
    s->start(kStandardRate, kStandardBlock);
    for (int note : kChord)
      s->noteOn(0, note, 127);
    s->renderFrames(s->frames(0.5), kStandardBlock);
  }
  silent.releaseAll();
  CostObserver playingCost, silentCost;
  playing.observe(&playingCost);
  silent.observe(&silentCost);
  const int64_t blocks = static_cast<int64_t>(silenceSeconds * kStandardRate) / kStandardBlock;
  const int64_t perStretch = std::max<int64_t>(blocks / kStretches, 1);
  std::vector<double> playingTimes, silentTimes;
  for (int64_t block = 0; block < blocks; ++block) {
    silent.render(kStandardBlock);
    silentTimes.push_back(silentCost.take());
    playing.render(kStandardBlock);
    playingTimes.push_back(playingCost.take());
    if (static_cast<int64_t>(silentTimes.size()) == perStretch) {
      const double ratio = median(silentTimes) / std::max(median(playingTimes), 1e-9);
      if (ratio > result.worstRatio) {
        result.worstRatio = ratio;
        result.worstStretch = static_cast<int>(block / perStretch);
      }
      silentTimes.clear();
      playingTimes.clear();
    }
  }
  result.denormalCalls = silentCost.denormalCalls();
  playing.reportHealth(context, "the held chord");
  silent.reportHealth(context, "the decaying chord");
  return result;
}

void denormalCost(CheckContext& context) {
  fpenv::write(fpenv::kHostDefault);
  const double silence = static_cast<double>(context.scaled(5, 20));
  Measurement m;
  int attempt = 0;
  while (attempt++ < kAttempts) {
    context.step(textf("timing attempt %d", attempt));
    m = measure(context, silence);
    if (context.failed() || m.worstRatio <= kAllowedRatio) break;
  }
  const std::string finding = textf(
      "silent blocks cost up to %.2fx a playing one (stretch %d of %d over %.0f s)%s", m.worstRatio,
      m.worstStretch + 1, kStretches, silence,
      m.denormalCalls > 0 ? textf(", denormal operands in %d calls", m.denormalCalls).c_str() : "");
  if (m.worstRatio > kAllowedRatio && context.atLeast(6))
    context.fail(finding + textf(" in %d attempts", kAttempts));
  else
    context.note(finding);
}

}  // namespace

void addDenormalCheck(CheckTable& table) {
  table.push_back({"audio.denormal-cost", 1, denormalCost,
                   "silent blocks after a release cost no more than playing ones (FTZ off)"});
}
