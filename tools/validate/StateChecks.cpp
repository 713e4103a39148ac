// State checks: save, randomise and restore; a fresh instance restored from a saved state
// sounds like the original; and chunks that are empty, truncated, random, foreign or
// oversized are refused without harm (each handed over right before an inaccessible page,
// so that reading past its end faults).
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tools/validate/CheckContext.h"
#include "tools/validate/CheckList.h"
#include "tools/validate/CheckSupport.h"
#include "tools/validate/FencedMemory.h"
#include "tools/validate/Phrase.h"
#include "tools/validate/Subject.h"
#include "tools/validate/TextFormat.h"

namespace {

using namespace std::string_literals;

constexpr int kExactStateStrictness = 7;
constexpr float kGentleValueTolerance = 1e-5f;
constexpr size_t kLargeChunk = 1 << 20;
constexpr size_t kHugeChunk = 16 << 20;

struct Snapshot {
  std::vector<float> values;
  std::vector<uint8_t> chunk;
  int32_t program = 0;
};

Snapshot snapshot(Subject& subject) {
  Snapshot s;
  s.values = parameterValues(subject);
  if (subject.identity().keepsStateInChunks()) s.chunk = subject.plugin().chunk();
  s.program = subject.plugin().currentProgram();
  return s;
}

void randomise(CheckContext& context, Subject& subject) {
  const PluginIdentity& id = subject.identity();
  if (id.numPrograms > 1) subject.plugin().setProgram(context.uniformInt(0, id.numPrograms - 1));
  for (int32_t i = 0; i < id.numParams; ++i)
    subject.plugin().setParameter(i, static_cast<float>(context.uniform()));
}

// Restores a snapshot the way a host does: the chunk, or else the program and the values.
bool restore(Subject& subject, const Snapshot& s) {
  if (!s.chunk.empty()) return subject.plugin().setChunk(s.chunk);
  subject.plugin().setProgram(s.program);
  for (size_t i = 0; i < s.values.size(); ++i)
    subject.plugin().setParameter(static_cast<int32_t>(i), s.values[i]);
  return true;
}

// Fails with the first difference between two snapshots; true when they are the same.
// A strict battery wants the values exact, the chunk byte-identical and the program back; a
// gentle one lets values stored as rounded text come back within a small tolerance.
bool expectSameState(CheckContext& context, const Snapshot& expected, const Snapshot& got,
                     const std::string& situation) {
  const bool exact = context.atLeast(kExactStateStrictness);
  const float tolerance = exact ? 0.0f : kGentleValueTolerance;
  for (size_t i = 0; i < expected.values.size() && i < got.values.size(); ++i)
    if (!(std::fabs(expected.values[i] - got.values[i]) <= tolerance))
      return context.expect(false, textf("%s: parameter %zu is %.9g, was %.9g", situation.c_str(),
                                         i, got.values[i], expected.values[i]));
  if (exact && expected.chunk != got.chunk) {
    size_t at = 0;
    while (at < expected.chunk.size() && at < got.chunk.size() &&
           expected.chunk[at] == got.chunk[at])
      ++at;
    return context.expect(false,
                          textf("%s: the saved state differs from byte %zu on (%zu and %zu bytes)",
                                situation.c_str(), at, expected.chunk.size(), got.chunk.size()));
  }
  return context.expect(
      !exact || expected.program == got.program,
      textf("%s: program %d, was %d", situation.c_str(), got.program, expected.program));
}

void roundTrip(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  const int64_t rounds = context.scaled(2, 20);
  int refusedButTaken = 0;
  for (int64_t round = 0; round < rounds; ++round) {
    context.step(textf("save, randomise, restore: round %lld", static_cast<long long>(round)));
    randomise(context, subject);
    const Snapshot saved = snapshot(subject);
    randomise(context, subject);
    const bool accepted = restore(subject, saved);
    if (!expectSameState(context, saved, snapshot(subject), "after restoring a saved state"))
      return;
    refusedButTaken += accepted ? 0 : 1;
  }
  // Hosts ignore the answer, so a wrong one is reported but does not fail the check.
  if (refusedButTaken > 0)
    context.note(
        textf("effSetChunk answered 0 for %d states that it did restore", refusedButTaken));
  context.note(textf("%lld states restored exactly%s", static_cast<long long>(rounds),
                     subject.identity().keepsStateInChunks() ? ", chunks byte-identical" : ""));
}

void freshInstance(CheckContext& context) {
  const Phrase phrase = randomPhrase(context, kStandardRate, 2.0);
  if (!comparable(context, phrase)) return;
  Subject original(context);
  Subject restored(context);
  if (!original.ok() || !restored.ok()) return;
  randomise(context, original);
  const Snapshot saved = snapshot(original);
  restore(restored, saved);
  if (!expectSameState(context, saved, snapshot(restored), "a fresh instance after restoring"))
    return;
  original.start(kStandardRate, kStandardBlock);
  restored.start(kStandardRate, kStandardBlock);
  const std::vector<double> expected = play(original, phrase, kStandardBlock);
  const std::vector<double> got = play(restored, phrase, kStandardBlock);
  expectSameAudio(context, expected, got, "the restored instance's audio");
  original.reportHealth(context, "the original instance");
  restored.reportHealth(context, "the restored instance");
}

struct BadChunk {
  std::string name;
  std::vector<uint8_t> bytes;
  bool mustRefuse;  // a prefix of a valid state, or nothing at all
};

std::vector<uint8_t> randomBytes(CheckContext& context, size_t size) {
  std::vector<uint8_t> bytes(size);
  for (uint8_t& b : bytes)
    b = static_cast<uint8_t>(context.uniformInt(0, 255));
  return bytes;
}

std::vector<BadChunk> badChunks(CheckContext& context, const std::vector<uint8_t>& valid) {
  std::vector<BadChunk> cases;
  const size_t size = valid.size();
  cases.push_back({"an empty chunk", {}, true});
  const bool every = context.atLeast(5);
  for (size_t length = 1; length < size; length += every ? 1 : (size / 7 + 1))
    cases.push_back({textf("the first %zu of %zu bytes", length, size),
                     std::vector<uint8_t>(valid.begin(), valid.begin() + static_cast<long>(length)),
                     true});
  const int64_t randoms = context.scaled(4, 64);
  for (int64_t i = 0; i < randoms; ++i) {
    const size_t length =
        i % 2 == 0 ? size
                   : static_cast<size_t>(context.uniformInt(1, static_cast<int32_t>(2 * size + 8)));
    cases.push_back({textf("%zu random bytes", length), randomBytes(context, length), false});
    std::vector<uint8_t> mutated = valid;
    mutated[static_cast<size_t>(context.uniformInt(0, static_cast<int32_t>(size - 1)))] ^=
        static_cast<uint8_t>(context.uniformInt(1, 255));
    cases.push_back({"the saved state with one byte changed", mutated, false});
  }
  // Other formats' headers: a program file, XML, JSON, a bank of another kind.
  const std::string foreign[] = {
      "CcnK\0\0\0\x90"
      "FPCh\0\0\0\1"s,
      "<?xml version=\"1.0\"?><state/>"s, "{\"program\": 1, \"values\": [0.5]}"s,
      "VstW\0\0\0\x08\0\0\0\1"s};
  for (const std::string& text : foreign) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.resize(std::max(bytes.size(), size), 0);
    cases.push_back({"a foreign chunk", bytes, false});
  }
  cases.push_back({"zeros", std::vector<uint8_t>(size, 0), false});
  cases.push_back({"0xFF bytes", std::vector<uint8_t>(size, 0xFF), false});
  for (size_t extra : {size_t{1}, size, kLargeChunk}) {
    std::vector<uint8_t> bytes = valid;
    bytes.resize(size + extra, 0);
    cases.push_back({textf("the saved state and %zu more bytes", extra), bytes, false});
  }
  if (context.atLeast(8)) {
    std::vector<uint8_t> huge = valid;
    huge.resize(kHugeChunk, 0x5A);
    cases.push_back({"a 16 MiB chunk", huge, false});
  }
  return cases;
}

void badChunksRefused(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  if (!subject.identity().keepsStateInChunks()) {
    context.skip("the plug-in keeps no state chunks");
    return;
  }
  subject.start(kStandardRate, kStandardBlock);
  randomise(context, subject);
  const Snapshot before = snapshot(subject);
  if (!context.expect(!before.chunk.empty(), "the plug-in flags state chunks but gives none"))
    return;
  int accepted = 0;
  const std::vector<BadChunk> cases = badChunks(context, before.chunk);
  for (const BadChunk& bad : cases) {
    context.step(bad.name);
    const FencedMemory memory(bad.bytes);
    const intptr_t result =
        subject.dispatch(effSetChunk, 0, static_cast<intptr_t>(memory.size()), memory.data());
    if (result == 0) {
      expectSameState(context, before, snapshot(subject), "refusing " + bad.name);
      continue;
    }
    ++accepted;
    if (bad.mustRefuse && context.atLeast(6)) context.fail("accepted " + bad.name);
    for (float value : parameterValues(subject))
      context.expect(std::isfinite(value) && value >= 0.0f && value <= 1.0f,
                     textf("after accepting %s a parameter reads %g", bad.name.c_str(), value));
    subject.noteOn(0, kMiddleC);
    subject.renderFrames(subject.frames(0.02), kStandardBlock);
    subject.releaseAll();
    subject.reportHealth(context, "after accepting " + bad.name);
    restore(subject, before);
  }
  if (context.atLeast(9)) {
    context.step("a null chunk pointer");
    subject.dispatch(effSetChunk, 0, static_cast<intptr_t>(before.chunk.size()), nullptr);
    subject.dispatch(effGetChunk, 0, 0, nullptr);
  }
  context.step("the saved state after the bad ones");
  restore(subject, before);
  expectSameState(context, before, snapshot(subject), "after the bad chunks");
  expectSound(context, subject, "after the bad chunks");
  subject.reportHealth(context, "after the bad chunks");
  context.note(textf("%zu bad chunks, %d accepted without harm", cases.size(), accepted));
}

}  // namespace

void addStateChecks(CheckTable& table) {
  table.push_back({"state.round-trip", 1, roundTrip,
                   "save, randomise, restore: values back, chunk byte-identical"});
  table.push_back({"state.fresh-instance", 1, freshInstance,
                   "a fresh instance restored from a state renders the same audio"});
  table.push_back({"state.bad-chunks", 1, badChunksRefused,
                   "empty, truncated, random, foreign and oversized chunks do no harm"});
}
