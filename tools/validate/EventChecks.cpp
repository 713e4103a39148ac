// Event checks: where notes start for every delta within and around a block, unsorted and
// crowded blocks, the queue's limits, all-notes-off and pedal, and random playing that
// must end with every note released.
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

constexpr int32_t kOnsetBlocks[] = {1, 7, 64, 512, 4096};
constexpr int kMidiNotes = 128;
constexpr int kMidiChannels = 16;
constexpr int32_t kFullQueue = 4096;
constexpr int kSustainPedal = 64;
constexpr int kAllSoundOff = 120;
constexpr int kAllNotesOff = 123;
constexpr int32_t kLatestOnset = 16384;

// Brings the instance back to silence between trials: everything released, a reset, and
// rendering until exactly 0. False when it does not fall silent.
bool settle(CheckContext& context, Subject& subject) {
  subject.releaseAll();
  subject.render(1);
  subject.suspend();
  subject.resume();
  return expectSilence(context, subject, "settling between trials") >= 0;
}

// Sends a note at `delta` before a block of `block` frames and renders until the first
// non-zero sample; returns its frame counted from the start of that block, or -1.
int64_t onsetOf(Subject& subject, int32_t delta, int32_t block, double floor) {
  subject.noteOn(delta, kMiddleC, 100);
  for (int64_t start = 0; start < kLatestOnset; start += block) {
    subject.render(block);
    for (int32_t i = 0; i < subject.lastFrames(); ++i)
      for (int32_t c = 0; c < subject.outputs(); ++c)
        if (std::fabs(subject.sample(c, i)) > floor) return start + i;
  }
  return -1;
}

// A note stamped k frames into a block sounds k frames later than one at frame 0; one
// stamped at or beyond the block's end sounds in a later block at its frame, and one with
// a negative delta at the block's start.
void onsets(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kStandardBlock);
  if (!settle(context, subject)) return;
  const double floor = silenceFloor(context);
  const int64_t delay = onsetOf(subject, 0, kStandardBlock, floor);
  if (!context.expect(delay >= 0, "a note at frame 0 made no sound")) return;
  int trials = 0;
  for (int32_t block : kOnsetBlocks) {
    std::vector<int32_t> deltas = {0, block / 2, block - 1};
    if (context.atLeast(8) && block <= 64)
      for (int32_t d = 1; d < block; ++d)
        deltas.push_back(d);
    const bool carried = context.atLeast(8);
    if (carried) deltas.insert(deltas.end(), {block, block + 5, 3 * block + 1, -1, -100});
    for (int32_t delta : deltas) {
      context.step(textf("a note at delta %d in %d-frame blocks", delta, block));
      subject.suspend();
      subject.setup(kStandardRate, block);
      subject.resume();
      if (!settle(context, subject)) return;
      const int64_t expected = std::max(delta, 0) + delay;
      const int64_t got = onsetOf(subject, delta, block, floor);
      ++trials;
      if (got != expected) {
        context.fail(
            textf("a note at delta %d before a %d-frame block starts at frame %lld, "
                  "expected %lld",
                  delta, block, static_cast<long long>(got), static_cast<long long>(expected)));
        return;
      }
    }
  }
  subject.reportHealth(context, "onsets");
  context.note(textf("%d onsets exact, %lld frames after their stamp", trials,
                     static_cast<long long>(delay)));
}

// Deltas at and beyond the edges of the block, negative ones, and their releases: no crash,
// nothing lost for good, nothing left sounding.
void deltaEdges(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kStandardBlock);
  const int32_t n = kStandardBlock;
  const int32_t deltas[] = {0, n - 1, n, n + 1, 2 * n, 100 * n, -1, -n, -1000000, 1000000};
  int note = 40;
  for (int32_t delta : deltas) {
    context.step(textf("note on and off at delta %d", delta));
    subject.noteOn(delta, note);
    subject.render(n);
    subject.noteOff(delta, note);
    subject.render(n);
    note += 3;
  }
  subject.releaseAll();
  subject.render(n);
  expectSilence(context, subject, "notes stamped at and beyond the block edges");
  subject.reportHealth(context, "deltas at and beyond the block edges");
}

// Events handed over in descending order must be applied by their deltas.
void unsorted(CheckContext& context) {
  const Phrase phrase = randomPhrase(context, kStandardRate, 3.0);
  if (context.atLeast(7) && !comparable(context, phrase)) return;
  Subject sorted(context);
  Subject reversed(context);
  if (!sorted.ok() || !reversed.ok()) return;
  sorted.start(kStandardRate, kStandardBlock);
  reversed.start(kStandardRate, kStandardBlock);
  const std::vector<double> expected = play(sorted, phrase, kStandardBlock);
  PlayOptions options;
  options.nextBlock = [] { return kStandardBlock; };
  options.reverseEachBlock = true;
  const std::vector<double> got = play(reversed, phrase, options, reversed.defaultPath());
  reversed.reportHealth(context, "unsorted events");
  // A gentle battery only asks for survival: an instrument that applies events in the order
  // given may leave a note whose note-off came first, and only a strict one counts that.
  if (context.atLeast(7)) {
    expectSameAudio(context, expected, got, "events in descending order: the audio");
    reversed.releaseAll();
    expectSilence(context, reversed, "after unsorted events");
  }
}

void chord128(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kStandardBlock);
  const int channels = context.atLeast(6) ? kMidiChannels : 1;
  for (int channel = 0; channel < channels; ++channel) {
    context.step(textf("128 notes at once on channel %d", channel + 1));
    for (int note = 0; note < kMidiNotes; ++note)
      subject.noteOn(0, note, 100, channel);
    subject.render(kStandardBlock);
  }
  subject.renderFrames(subject.frames(0.2), kStandardBlock);
  for (int channel = 0; channel < channels; ++channel) {
    for (int note = 0; note < kMidiNotes; ++note)
      subject.noteOff(0, note, channel);
    subject.render(kStandardBlock);
  }
  expectSilence(context, subject, "128 notes released one by one");
  subject.reportHealth(context, "128 notes at once");
  context.note(textf("%d notes held at once", channels * kMidiNotes));
}

// A full queue's worth of events in one block, then one more than that; notes whose
// note-off may have been dropped are ended with all-notes-off.
void queueLimits(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kFullQueue);
  for (int32_t count : {kFullQueue, kFullQueue + 1}) {
    context.step(textf("%d events in one block", count));
    int note = 0;
    for (int32_t i = 0; i < count; ++i) {
      const int32_t delta = static_cast<int32_t>(static_cast<int64_t>(i) * kFullQueue / count);
      const int channel = (i / 2) % kMidiChannels;
      if (i % 2 == 0) {
        note = 24 + context.uniformInt(0, 72);
        subject.noteOn(delta, note, 90, channel);
      } else {
        subject.noteOff(delta, note, channel);
      }
    }
    subject.render(kFullQueue);
    subject.render(kFullQueue);
  }
  subject.releaseAll();
  subject.render(kStandardBlock);
  expectSilence(context, subject, "after full and overfull event blocks");
  subject.reportHealth(context, "4096 and 4097 events");
}

void allNotesOff(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kStandardBlock);
  struct Ending {
    const char* name;
    int controller;
  };
  for (Ending ending :
       {Ending{"all notes off", kAllNotesOff}, Ending{"all sound off", kAllSoundOff}}) {
    context.step(ending.name);
    for (int channel = 0; channel < kMidiChannels; ++channel)
      subject.noteOn(channel, 36 + 3 * channel, 100, channel);
    subject.renderFrames(subject.frames(0.1), kStandardBlock);
    for (int channel = 0; channel < kMidiChannels; ++channel)
      subject.controller(0, ending.controller, 0, channel);
    expectSilence(context, subject, textf("notes on 16 channels ended by %s", ending.name));
  }
  context.step("sustained notes and the pedal");
  subject.controller(0, kSustainPedal, 127);
  for (int note : {50, 57, 62}) {
    subject.noteOn(0, note);
    subject.noteOff(kStandardBlock / 2, note);
    subject.render(kStandardBlock);
  }
  subject.renderFrames(subject.frames(0.1), kStandardBlock);
  subject.controller(0, kSustainPedal, 0);
  expectSilence(context, subject, "sustained notes after the pedal went up");
  subject.reportHealth(context, "all-notes-off");
}

// Random playing in random blocks; every note-on gets its note-off and the pedal comes up,
// so afterwards the instrument must fall silent without any all-notes-off.
void randomPlaying(CheckContext& context) {
  const double seconds = static_cast<double>(context.scaled(2, 10));
  Phrase phrase = randomPhrase(context, kStandardRate, seconds);
  for (int channel = 0; channel < kMidiChannels; ++channel)
    phrase.add(phrase.length - 1, static_cast<uint8_t>(0xB0 | channel), kSustainPedal, 0);
  phrase.sort();
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kStandardBlock);
  PlayOptions options;
  options.nextBlock = [&] { return context.uniformInt(1, kStandardBlock); };
  play(subject, phrase, options, subject.defaultPath());
  expectSilence(context, subject, "every note ended after random playing");
  subject.reportHealth(context, "random playing");
  context.note(textf("%zu events over %.0f s", phrase.events.size(), seconds));
}

}  // namespace

void addEventChecks(CheckTable& table) {
  table.push_back({"events.onsets", 1, onsets,
                   "notes start at their delta; late ones carry over, negative ones at 0"});
  table.push_back({"events.delta-edges", 1, deltaEdges,
                   "deltas at n - 1, n, beyond and negative: no crash, no stuck note"});
  table.push_back(
      {"events.unsorted", 2, unsorted, "events in descending order are applied in time"});
  table.push_back({"events.chord-128", 1, chord128, "128 notes at once on each channel"});
  table.push_back({"events.queue-limits", 1, queueLimits, "4096 and 4097 events in one block"});
  table.push_back({"events.all-notes-off", 1, allNotesOff,
                   "all notes off, all sound off and the pedal end every note"});
  table.push_back({"events.random-playing", 2, randomPlaying,
                   "random playing with every note ended leaves no stuck note"});
}
