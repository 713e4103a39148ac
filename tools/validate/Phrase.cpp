// Building and playing phrases.
#include "tools/validate/Phrase.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "tools/validate/CheckContext.h"
#include "tools/validate/Subject.h"

namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kControlChange = 0xB0;
constexpr uint8_t kPitchBend = 0xE0;
constexpr uint8_t kModWheel = 1;
constexpr uint8_t kSustainPedal = 64;

}  // namespace

void Phrase::add(int64_t frame, uint8_t status, uint8_t data1, uint8_t data2) {
  events.push_back({frame, {status, data1, data2}});
  length = std::max(length, frame + 1);
}

void Phrase::sort() {
  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.frame < b.frame; });
}

Phrase gridPhrase(double sampleRate) {
  // Frames on and beside the edges of the usual block grids.
  static const int64_t kEdges[] = {0,    1,    63,   64,   65,   127,  255,  511,  512,  513,
                                   1023, 1024, 2047, 4095, 4096, 4097, 8191, 8192, 12288};
  constexpr size_t kOverlap = 3;  // each note ends on the edge three notes later
  const size_t count = std::size(kEdges);
  Phrase phrase;
  const auto gap = static_cast<int64_t>(sampleRate * 0.05);
  for (size_t i = 0; i < count; ++i) {
    const auto note = static_cast<uint8_t>(48 + (7 * i) % 36);
    const int64_t off = i + kOverlap < count ? kEdges[i + kOverlap] : kEdges[i] + gap;
    phrase.add(kEdges[i], kNoteOn, note, static_cast<uint8_t>(64 + note % 60));
    phrase.add(off, kNoteOff, note, 0);
  }
  phrase.sort();
  phrase.length += static_cast<int64_t>(sampleRate * 0.3);
  return phrase;
}

Phrase randomPhrase(CheckContext& context, double sampleRate, double seconds) {
  Phrase phrase;
  const auto frames = static_cast<int64_t>(sampleRate * seconds);
  const int notes = static_cast<int>(seconds * 12);
  for (int i = 0; i < notes; ++i) {
    const int64_t on = context.uniformInt(0, static_cast<int32_t>(frames * 3 / 4));
    const int64_t off = on + context.uniformInt(1, static_cast<int32_t>(sampleRate / 4));
    const auto channel = static_cast<uint8_t>(context.uniformInt(0, 15));
    const auto note = static_cast<uint8_t>(context.uniformInt(24, 100));
    phrase.add(on, kNoteOn | channel, note, static_cast<uint8_t>(context.uniformInt(1, 127)));
    phrase.add(off, kNoteOff | channel, note, 0);
  }
  for (int i = 0; i < notes / 2; ++i) {
    const int64_t at = context.uniformInt(0, static_cast<int32_t>(frames * 3 / 4));
    const auto channel = static_cast<uint8_t>(context.uniformInt(0, 15));
    switch (context.uniformInt(0, 2)) {
      case 0:
        phrase.add(at, kPitchBend | channel, static_cast<uint8_t>(context.uniformInt(0, 127)),
                   static_cast<uint8_t>(context.uniformInt(0, 127)));
        break;
      case 1:
        phrase.add(at, kControlChange | channel, kModWheel,
                   static_cast<uint8_t>(context.uniformInt(0, 127)));
        break;
      default:
        phrase.add(at, kControlChange | channel, kSustainPedal, 127);
        phrase.add(at + context.uniformInt(1, static_cast<int32_t>(sampleRate / 8)),
                   kControlChange | channel, kSustainPedal, 0);
        break;
    }
  }
  phrase.sort();
  phrase.length = frames;
  return phrase;
}

std::vector<double> play(Subject& subject, const Phrase& phrase, const PlayOptions& options,
                         RenderPath path) {
  std::vector<double> out;
  out.reserve(static_cast<size_t>(phrase.length));
  size_t next = 0;
  int64_t position = 0;
  std::vector<const TimedEvent*> block;
  while (position < phrase.length) {
    const int32_t n = static_cast<int32_t>(
        std::min<int64_t>(std::max(options.nextBlock(), 0), phrase.length - position));
    block.clear();
    while (n > 0 && next < phrase.events.size() && phrase.events[next].frame < position + n)
      block.push_back(&phrase.events[next++]);
    if (options.reverseEachBlock)  // later frames first; events of one frame keep their order
      std::stable_sort(block.begin(), block.end(), [](const TimedEvent* a, const TimedEvent* b) {
        return a->frame > b->frame;
      });
    for (const TimedEvent* e : block)
      subject.events().add(static_cast<int32_t>(e->frame - position), e->bytes, 3);
    subject.render(n, path);
    for (int32_t i = 0; i < n; ++i)
      out.push_back(subject.sample(0, i));
    position += n;
  }
  return out;
}

std::vector<double> play(Subject& subject, const Phrase& phrase, int32_t blockSize) {
  PlayOptions options;
  options.nextBlock = [blockSize] { return blockSize; };
  return play(subject, phrase, options, subject.defaultPath());
}

double largestDifference(const std::vector<double>& a, const std::vector<double>& b,
                         int64_t* where) {
  if (where != nullptr) *where = -1;
  if (a.size() != b.size()) return std::numeric_limits<double>::infinity();
  double largest = 0.0;
  for (size_t i = 0; i < a.size(); ++i) {
    const double d = std::fabs(a[i] - b[i]);
    if (d > largest || std::isnan(d)) {
      largest = std::isnan(d) ? std::numeric_limits<double>::infinity() : d;
      if (where != nullptr) *where = static_cast<int64_t>(i);
      if (std::isnan(d)) break;
    }
  }
  return largest;
}

double peakOf(const std::vector<double>& signal) {
  double peak = 0.0;
  for (double s : signal)
    peak = std::max(peak, std::fabs(s));
  return peak;
}
