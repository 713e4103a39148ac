// The tempo map. For tempo-based files a unit is a microsecond divided by the ticks per
// quarter note, so a tick lasts "microseconds per quarter" units; for time-code files a
// tick lasts one unit (1001 at 29.97 frames per second) of a fixed number per second.
#include "tools/render/MidiClock.h"

#include <algorithm>

namespace {

constexpr uint32_t kMicrosPerSecond = 1000000;
constexpr uint32_t kDefaultMicrosPerQuarter = 500000;  // 120 quarter notes per minute
constexpr double kTimeCodeQuartersPerSecond = 2.0;
constexpr uint32_t kDropFrameRate = 29;  // stands for 30000/1001 frames per second

}  // namespace

MidiClock::MidiClock(const MidiFile& file, uint32_t sampleRate) : sampleRate_(sampleRate) {
  if (file.smpteFramesPerSecond != 0) {
    const bool dropFrame = file.smpteFramesPerSecond == kDropFrameRate;
    unitsPerSecond_ = uint64_t{dropFrame ? 30000u : file.smpteFramesPerSecond} * file.ticksPerFrame;
    segments_.push_back(Segment{0, 0, dropFrame ? 1001u : 1u});
    return;
  }
  ticksPerQuarter_ = file.ticksPerQuarter;
  unitsPerSecond_ = uint64_t{kMicrosPerSecond} * file.ticksPerQuarter;
  segments_.push_back(Segment{0, 0, kDefaultMicrosPerQuarter});
  for (const TempoChange& change : file.tempos) {
    Segment& last = segments_.back();
    if (change.tick == last.tick) {
      last.unitsPerTick = change.microsPerQuarter;  // the later change of a tick wins
    } else {
      const unsigned __int128 units =
          last.unitsAtStart +
          static_cast<unsigned __int128>(change.tick - last.tick) * last.unitsPerTick;
      segments_.push_back(Segment{change.tick, units, change.microsPerQuarter});
    }
  }
}

const MidiClock::Segment& MidiClock::segmentAtTick(uint64_t tick) const {
  auto after = std::upper_bound(segments_.begin(), segments_.end(), tick,
                                [](uint64_t t, const Segment& s) { return t < s.tick; });
  return *(after - 1);
}

unsigned __int128 MidiClock::unitsAt(uint64_t tick) const {
  const Segment& s = segmentAtTick(tick);
  return s.unitsAtStart + static_cast<unsigned __int128>(tick - s.tick) * s.unitsPerTick;
}

uint64_t MidiClock::frameAt(uint64_t tick) const {
  const unsigned __int128 scaled = unitsAt(tick) * sampleRate_ * 2 + unitsPerSecond_;
  return static_cast<uint64_t>(scaled / (static_cast<unsigned __int128>(unitsPerSecond_) * 2));
}

double MidiClock::secondsAt(uint64_t tick) const {
  return static_cast<double>(unitsAt(tick)) / static_cast<double>(unitsPerSecond_);
}

const MidiClock::Segment& MidiClock::segmentAtFrame(uint64_t frame) const {
  // The last segment whose start is not later than the frame's time.
  const unsigned __int128 units =
      static_cast<unsigned __int128>(frame) * unitsPerSecond_ / sampleRate_;
  auto after =
      std::upper_bound(segments_.begin(), segments_.end(), units,
                       [](unsigned __int128 u, const Segment& s) { return u < s.unitsAtStart; });
  return *(after - 1);
}

double MidiClock::quarterAt(uint64_t frame) const {
  const double seconds = static_cast<double>(frame) / sampleRate_;
  if (ticksPerQuarter_ == 0.0) return seconds * kTimeCodeQuartersPerSecond;
  const Segment& s = segmentAtFrame(frame);
  const double startSeconds =
      static_cast<double>(s.unitsAtStart) / static_cast<double>(unitsPerSecond_);
  return static_cast<double>(s.tick) / ticksPerQuarter_ +
         (seconds - startSeconds) * kMicrosPerSecond / s.unitsPerTick;
}

double MidiClock::tempoAt(uint64_t frame) const {
  if (ticksPerQuarter_ == 0.0) return kTimeCodeQuartersPerSecond * 60.0;
  return 60.0 * kMicrosPerSecond / segmentAtFrame(frame).unitsPerTick;
}
