// Life-cycle checks: opening and closing, calls that come before the host has set anything
// up, processing without resume, suspend and resume in the middle of a note, and the
// off-and-on of effMainsChanged that hosts use as a panic.
#include <cstring>

#include "tools/validate/CheckContext.h"
#include "tools/validate/CheckList.h"
#include "tools/validate/CheckSupport.h"
#include "tools/validate/Subject.h"
#include "tools/validate/TextFormat.h"

namespace {

constexpr int kResumeCycles = 3;
constexpr size_t kTextBuffer = 256;
constexpr int32_t kPinsAsked = 4;

void load(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  const PluginIdentity& id = subject.identity();
  context.expect(id.numOutputs > 0, "the plug-in has no outputs");
  if (context.atLeast(4))
    context.expect(id.isSynth(),
                   "the plug-in does not flag itself as an instrument (effFlagsIsSynth)");
  char midi[] = "receiveVstMidiEvent";
  char events[] = "receiveVstEvents";
  const bool takesMidi =
      subject.dispatch(effCanDo, 0, 0, midi) == 1 || subject.dispatch(effCanDo, 0, 0, events) == 1;
  if (context.atLeast(4))
    context.expect(takesMidi, "the plug-in does not say it can receive MIDI events (effCanDo)");
  context.note(textf("\"%s\" by \"%s\": %d outputs, %d parameters, %d programs%s%s%s",
                     id.effectName.c_str(), id.vendor.c_str(), id.numOutputs, id.numParams,
                     id.numPrograms, id.keepsStateInChunks() ? ", state chunks" : "",
                     id.canDoublePrecision() ? ", double precision" : "",
                     (id.flags & effFlagsHasEditor) != 0 ? ", editor" : ""));
}

void openTwice(CheckContext& context) {
  for (int round = 0; round < 2; ++round) {
    context.step(textf("open and close, round %d", round + 1));
    Subject subject(context);
    if (!subject.ok()) return;
  }
  context.step("effOpen sent twice to one instance");
  {
    Subject subject(context);
    if (!subject.ok()) return;
    subject.dispatch(effOpen);
    subject.start(kStandardRate, kStandardBlock);
    expectSound(context, subject, "after a second effOpen");
    subject.reportHealth(context, "after a second effOpen");
  }
  context.step("two instances at once");
  Subject first(context);
  Subject second(context);
  if (!first.ok() || !second.ok()) return;
  if (first.identity().numParams > 0) {
    first.plugin().setParameter(0, 0.0f);
    second.plugin().setParameter(0, 1.0f);
    context.expect(first.plugin().parameter(0) != second.plugin().parameter(0),
                   "two instances share their parameter values");
    first.restoreInitialParameters();
    second.restoreInitialParameters();
  }
  first.start(kStandardRate, kStandardBlock);
  second.start(kStandardRate, kStandardBlock);
  expectSound(context, first, "the first of two instances");
  second.renderFrames(kStandardBlock * 4, kStandardBlock);
  first.reportHealth(context, "two instances");
  second.reportHealth(context, "two instances");
}

// Every question a host may ask right after effOpen, before rate, block size or resume.
void beforeSetup(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  const PluginIdentity& id = subject.identity();
  char text[kTextBuffer];
  context.step("parameters before setup");
  for (int32_t i = 0; i < id.numParams; ++i) {
    subject.plugin().parameterName(i);
    subject.plugin().parameterLabel(i);
    subject.plugin().parameterDisplay(i);
    const float value = subject.plugin().parameter(i);
    subject.plugin().setParameter(i, value);
    subject.dispatch(effCanBeAutomated, i);
  }
  context.step("programs before setup");
  for (int32_t i = 0; i < id.numPrograms; ++i)
    subject.plugin().programName(i);
  subject.plugin().currentProgramName();
  subject.plugin().currentProgram();
  context.step("state before setup");
  const std::vector<uint8_t> state = subject.plugin().chunk();
  if (!state.empty()) subject.plugin().setChunk(state);
  context.step("queries before setup");
  std::strcpy(text, "receiveVstEvents");
  subject.dispatch(effCanDo, 0, 0, text);
  subject.dispatch(effGetTailSize);
  subject.dispatch(effGetPlugCategory);
  subject.dispatch(effGetVstVersion);
  for (int32_t pin = 0; pin < kPinsAsked; ++pin) {
    VstPinProperties properties{};
    subject.dispatch(effGetOutputProperties, pin, 0, &properties);
  }
  ERect* rect = nullptr;
  subject.dispatch(effEditGetRect, 0, 0, &rect);
  context.step("playing after the early calls");
  subject.start(kStandardRate, kStandardBlock);
  expectSound(context, subject, "after calls made before setup");
  subject.reportHealth(context, "after calls made before setup");
}

// Events and blocks without effMainsChanged(1): first with nothing set up at all, then
// with rate and block size but still suspended, on every processing path.
void processWithoutResume(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  for (RenderPath path : {RenderPath::Replacing, RenderPath::DoubleReplacing, RenderPath::Adding}) {
    if (!subject.hasPath(path)) continue;
    context.step("processing before any setup");
    subject.noteOn(0, kMiddleC);
    subject.render(kStandardBlock, path);
    subject.noteOff(1, kMiddleC);
    subject.render(kStandardBlock, path);
  }
  subject.reportHealth(context, "processing before any setup");
  subject.setup(kStandardRate, kStandardBlock);
  for (RenderPath path : {RenderPath::Replacing, RenderPath::DoubleReplacing, RenderPath::Adding}) {
    if (!subject.hasPath(path)) continue;
    context.step("processing while suspended");
    subject.noteOn(3, kMiddleC + 7);
    subject.render(kStandardBlock, path);
    subject.releaseAll();
    subject.render(kStandardBlock, path);
  }
  subject.reportHealth(context, "processing while suspended");
  context.step("resuming afterwards");
  subject.resume();
  expectSound(context, subject, "after processing without resume");
  subject.releaseAll();
  expectSilence(context, subject, "after processing without resume and a release");
  subject.reportHealth(context, "after processing without resume");
}

void suspendMidNote(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kStandardBlock);
  subject.noteOn(0, kMiddleC);
  subject.renderFrames(subject.frames(0.1), kStandardBlock);
  for (int cycle = 0; cycle < kResumeCycles; ++cycle) {
    context.step(textf("suspend and resume %d", cycle + 1));
    subject.suspend();
    subject.resume();
    subject.renderFrames(subject.frames(0.05), kStandardBlock);
  }
  subject.noteOff(0, kMiddleC);
  expectSilence(context, subject, "a note released after three suspend/resume cycles");
  context.step("playing after the cycles");
  expectSound(context, subject, "after three suspend/resume cycles");
  subject.releaseAll();
  expectSilence(context, subject, "after three suspend/resume cycles");
  subject.reportHealth(context, "suspend and resume mid-note");
}

// A host's panic: mains off and on while notes (some of them sustained) sound, and no
// note-off ever comes.
void panic(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kStandardBlock);
  subject.controller(0, 64, 127);
  for (int note : {48, 55, 60, 64, 67})
    subject.noteOn(0, note);
  subject.noteOff(10, 64);
  subject.renderFrames(subject.frames(0.2), kStandardBlock);
  subject.dispatch(effMainsChanged, 0, 0);
  subject.dispatch(effMainsChanged, 0, 1);
  const int64_t took = expectSilence(context, subject, "notes held through effMainsChanged 0, 1");
  if (took >= 0) context.note(textf("silent %.3f s after the panic", took / subject.sampleRate()));
  subject.reportHealth(context, "panic");
}

}  // namespace

void addLifecycleChecks(CheckTable& table) {
  table.push_back(
      {"lifecycle.load", 1, load, "loads, opens, and says it is an instrument that takes MIDI"});
  table.push_back({"lifecycle.open-twice", 1, openTwice,
                   "opens and closes twice, takes effOpen twice; two instances keep apart"});
  table.push_back({"lifecycle.before-setup", 1, beforeSetup,
                   "answers parameter, program and state calls before any setup"});
  table.push_back({"lifecycle.process-unresumed", 1, processWithoutResume,
                   "takes events and blocks before setup and while suspended", kVst2});
  table.push_back({"lifecycle.suspend-mid-note", 1, suspendMidNote,
                   "survives three suspend/resume cycles during a note"});
  table.push_back({"lifecycle.panic", 1, panic,
                   "falls silent after effMainsChanged 0 then 1, without note-offs"});
}
