// Parameter checks: every parameter at its ends and at random values, display texts that
// survive a round trip through text entry (also under a comma-decimal locale), texts that
// end within the conventional buffer sizes, and automation on every frame.
#include <clocale>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tools/validate/CheckContext.h"
#include "tools/validate/CheckList.h"
#include "tools/validate/CheckSupport.h"
#include "tools/validate/Subject.h"
#include "tools/validate/TextFormat.h"

namespace {

constexpr size_t kParamTextSize = 8;     // parameter names, labels and displays
constexpr size_t kProgramNameSize = 24;  // program names
constexpr size_t kEffectNameSize = 32;
constexpr size_t kVendorTextSize = 64;  // vendor and product strings
constexpr size_t kProbeSize = 512;      // what the validator hands over, far beyond them
constexpr unsigned char kFill = 0xA5;
constexpr double kShortNote = 0.03;

#if defined(_WIN32)
constexpr const char* kCommaLocales[] = {"German_Germany.1252", "de-DE", "German"};
#else
constexpr const char* kCommaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE"};
#endif

void parameterEnds(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  const int32_t count = subject.identity().numParams;
  if (count == 0) {
    context.skip("the plug-in has no parameters");
    return;
  }
  subject.start(kStandardRate, kStandardBlock);
  for (int32_t i = 0; i < count; ++i) {
    for (float value : {0.0f, 1.0f, static_cast<float>(context.uniform())}) {
      context.step(textf("parameter %d at %g", i, value));
      subject.plugin().setParameter(i, value);
      const float got = subject.plugin().parameter(i);
      context.expect(std::isfinite(got) && got >= 0.0f && got <= 1.0f,
                     textf("parameter %d set to %g reads back %g", i, value, got));
      subject.noteOn(0, kMiddleC);
      subject.renderFrames(subject.frames(kShortNote), kStandardBlock);
      subject.noteOff(0, kMiddleC);
      subject.render(kStandardBlock);
      subject.reportHealth(context, textf("parameter %d at %g", i, value));
    }
  }
  const int64_t combinations = context.scaled(2, 20);
  for (int64_t round = 0; round < combinations; ++round) {
    context.step(
        textf("random values for all parameters, round %lld", static_cast<long long>(round)));
    for (int32_t i = 0; i < count; ++i)
      subject.plugin().setParameter(i, static_cast<float>(context.uniform()));
    expectSound(context, subject, "random parameter values", 48 + static_cast<int>(round % 36),
                0.05);
    subject.reportHealth(context, "random parameter values");
  }
  subject.restoreInitialParameters();
  subject.releaseAll();
  expectSilence(context, subject, "notes released after the random settings");
  context.note(textf("%d parameters at 0, 1 and random, %lld random settings", count,
                     static_cast<long long>(combinations)));
}

// Display text, typed back through effString2Parameter, must show the same text again and
// leave the value where it is. Parameters that decline text entry are counted, not failed.
int roundTrips(CheckContext& context, Subject& subject, const char* situation, int& declined) {
  int trips = 0;
  const int32_t count = subject.identity().numParams;
  for (int32_t i = 0; i < count; ++i) {
    for (float value : {0.0f, 1.0f, 0.5f, static_cast<float>(context.uniform())}) {
      subject.plugin().setParameter(i, value);
      const std::string shown = subject.plugin().parameterDisplay(i);
      if (shown.empty()) continue;
      if (!subject.plugin().setParameterText(i, shown)) {
        ++declined;
        continue;
      }
      ++trips;
      const float entered = subject.plugin().parameter(i);
      const std::string again = subject.plugin().parameterDisplay(i);
      context.expect(again == shown,
                     textf("%s: parameter %d shows \"%s\", typed back it shows \"%s\"", situation,
                           i, shown.c_str(), again.c_str()));
      subject.plugin().setParameterText(i, again);
      const float twice = subject.plugin().parameter(i);
      context.expect(twice == entered,
                     textf("%s: parameter %d moves from %.9g to %.9g when \"%s\" is typed twice",
                           situation, i, entered, twice, again.c_str()));
    }
  }
  return trips;
}

void textRoundTrip(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  int declined = 0;
  int trips = roundTrips(context, subject, "in the C locale", declined);
  std::string localeNote = "no comma-decimal locale here";
  if (context.atLeast(6)) {
    for (const char* name : kCommaLocales) {
      if (std::setlocale(LC_ALL, name) == nullptr) continue;
      context.step(textf("round trips under %s", name));
      trips += roundTrips(context, subject, textf("under %s", name).c_str(), declined);
      std::setlocale(LC_ALL, "C");
      localeNote = textf("also under %s", name);
      break;
    }
  }
  if (trips == 0 && declined > 0) {
    context.skip("the plug-in takes no parameter text");
    return;
  }
  context.note(textf("%d round trips, %d declined, %s", trips, declined, localeNote.c_str()));
}

// Writes through `call` into a large buffer full of non-zero bytes; the text must end (a
// zero byte) within `limit` bytes. A call that writes nothing passes.
template <typename Call>
void expectBounded(CheckContext& context, size_t limit, const std::string& what, Call call) {
  unsigned char buffer[kProbeSize];
  std::memset(buffer, kFill, sizeof buffer);
  call(buffer);
  if (buffer[0] == kFill) return;
  const void* end = std::memchr(buffer, 0, sizeof buffer);
  const size_t length =
      end == nullptr
          ? sizeof buffer
          : static_cast<size_t>(static_cast<unsigned char*>(const_cast<void*>(end)) - buffer);
  context.expect(length < limit, textf("%s is %zu bytes long: it does not end within %zu bytes",
                                       what.c_str(), length + 1, limit));
}

void textBounds(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  const PluginIdentity& id = subject.identity();
  auto text = [&](int32_t opcode, int32_t index) {
    return [&subject, opcode, index](unsigned char* buffer) {
      subject.dispatch(opcode, index, 0, buffer);
    };
  };
  for (int32_t i = 0; i < id.numParams; ++i) {
    for (float value : {0.0f, 1.0f, static_cast<float>(context.uniform())}) {
      subject.plugin().setParameter(i, value);
      expectBounded(context, kParamTextSize, textf("the display of parameter %d at %g", i, value),
                    text(effGetParamDisplay, i));
    }
    expectBounded(context, kParamTextSize, textf("the label of parameter %d", i),
                  text(effGetParamLabel, i));
    if (context.atLeast(7))
      expectBounded(context, kParamTextSize, textf("the name of parameter %d", i),
                    text(effGetParamName, i));
  }
  for (int32_t p = 0; p < id.numPrograms; ++p)
    expectBounded(context, kProgramNameSize, textf("the name of program %d", p),
                  [&subject, p](unsigned char* buffer) {
                    subject.dispatch(effGetProgramNameIndexed, p, -1, buffer);
                  });
  expectBounded(context, kProgramNameSize, "the current program's name",
                text(effGetProgramName, 0));
  expectBounded(context, kEffectNameSize, "the effect name", text(effGetEffectName, 0));
  expectBounded(context, kVendorTextSize, "the vendor string", text(effGetVendorString, 0));
  expectBounded(context, kVendorTextSize, "the product string", text(effGetProductString, 0));
}

// One-frame blocks with a parameter change before each: automation at the finest grain.
void automationEveryFrame(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  const int32_t count = subject.identity().numParams;
  if (count == 0) {
    context.skip("the plug-in has no parameters");
    return;
  }
  subject.start(kStandardRate, 1);
  const int32_t frames = subject.frames(context.atLeast(5) ? 0.05 : 0.02);
  for (int32_t i = 0; i < count; ++i) {
    context.step(textf("parameter %d on every frame", i));
    subject.noteOn(0, 48 + i % 36);
    for (int32_t f = 0; f < frames; ++f) {
      const double sweep = std::fabs(std::fmod(4.0 * f / frames, 2.0) - 1.0);
      const float value =
          f % 3 == 0 ? static_cast<float>(context.uniform()) : static_cast<float>(sweep);
      subject.plugin().setParameter(i, value);
      subject.render(1);
    }
    subject.releaseAll();
    subject.render(1);
    subject.reportHealth(context, textf("parameter %d automated on every frame", i));
  }
  context.note(textf("%d parameters, %d one-frame blocks each", count, frames));
}

}  // namespace

void addParameterChecks(CheckTable& table) {
  table.push_back({"params.ends-and-random", 1, parameterEnds,
                   "every parameter at 0, 1 and random values, alone and together"});
  table.push_back({"params.text-round-trip", 1, textRoundTrip,
                   "display text typed back gives the same text and value", kVst2 | kVst3});
  table.push_back({"params.text-bounds", 1, textBounds,
                   "texts end within 8 (parameters), 24, 32 and 64 bytes", kVst2 | kVst3});
  table.push_back({"params.every-frame", 1, automationEveryFrame,
                   "automation of every parameter on every frame"});
}
