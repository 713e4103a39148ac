// Editor checks, where the plug-in has an editor and this platform a window for it: open
// and close twice, open twice without a close, idle and close with no editor open, and
// opening while another thread processes audio.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "tools/validate/CheckContext.h"
#include "tools/validate/CheckList.h"
#include "tools/validate/CheckSupport.h"
#include "tools/validate/EditorFrame.h"
#include "tools/validate/Subject.h"
#include "tools/validate/TextFormat.h"

namespace {

constexpr int kFrameWidth = 1200;
constexpr int kFrameHeight = 900;
constexpr int kLargestEditor = 10000;
constexpr int kSettleMs = 200;
constexpr int kIdleStepMs = 20;

// The instance, the frame and the host's idle calls, or a reason to skip.
struct EditorBench {
  std::unique_ptr<Subject> subject;
  std::unique_ptr<EditorFrame> frame;

  // Lets the editor run for a while as a host's user-interface thread does.
  void idle(int milliseconds) {
    for (int elapsed = 0; elapsed < milliseconds; elapsed += kIdleStepMs) {
      AEffect* e = subject->effect();
      e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
      frame->pump(kIdleStepMs);
    }
  }
  intptr_t open() {
    AEffect* e = subject->effect();
    const intptr_t result = e->dispatcher(e, effEditOpen, 0, 0, frame->handle(), 0.0f);
    idle(kSettleMs);
    return result;
  }
  void close() {
    AEffect* e = subject->effect();
    e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
    idle(kSettleMs);
  }
};

// Null after skipping or failing the check.
std::unique_ptr<EditorBench> prepare(CheckContext& context) {
  auto bench = std::make_unique<EditorBench>();
  bench->subject = std::make_unique<Subject>(context);
  if (!bench->subject->ok()) return nullptr;
  if ((bench->subject->identity().flags & effFlagsHasEditor) == 0) {
    context.skip("the plug-in has no editor");
    return nullptr;
  }
  std::string why;
  bench->frame = EditorFrame::create(kFrameWidth, kFrameHeight, why);
  if (!bench->frame) {
    context.skip(why);
    return nullptr;
  }
  return bench;
}

// Opens the editor; skips the check when the plug-in opens none on this platform.
bool openFirst(CheckContext& context, EditorBench& bench) {
  if (bench.open() != 0) return true;
  context.expect(bench.frame->childCount() == 0, "effEditOpen answered 0 but left a window");
  context.skip("the plug-in opens no editor on this platform");
  return false;
}

void expectWindows(CheckContext& context, EditorBench& bench, int expected,
                   const std::string& when) {
  const int count = bench.frame->childCount();
  context.expect(count == expected, textf("%s the host window holds %d editor windows, expected %d",
                                          when.c_str(), count, expected));
}

void openClose(CheckContext& context) {
  auto bench = prepare(context);
  if (!bench) return;
  ERect* rect = nullptr;
  if (bench->subject->dispatch(effEditGetRect, 0, 0, &rect) != 0 && rect != nullptr) {
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    context.expect(width > 0 && height > 0 && width < kLargestEditor && height < kLargestEditor,
                   textf("effEditGetRect before opening gives %d x %d", width, height));
  }
  context.step("open and close, first round");
  if (!openFirst(context, *bench)) return;
  expectWindows(context, *bench, 1, "after opening");
  bench->close();
  expectWindows(context, *bench, 0, "after closing");
  context.step("open and close, second round");
  if (!context.expect(bench->open() != 0, "the second effEditOpen failed")) return;
  expectWindows(context, *bench, 1, "after opening again");
  bench->close();
  expectWindows(context, *bench, 0, "after closing again");
}

void reopen(CheckContext& context) {
  auto bench = prepare(context);
  if (!bench) return;
  context.step("idle and close with no editor open");
  bench->idle(kSettleMs);
  bench->close();
  expectWindows(context, *bench, 0, "after closing no editor");
  context.step("open twice without a close");
  if (!openFirst(context, *bench)) return;
  context.expect(bench->open() != 0, "opening again without a close failed");
  expectWindows(context, *bench, 1, "after opening twice");
  bench->close();
  expectWindows(context, *bench, 0, "after one close of an editor opened twice");
  bench->close();
  context.step("open after all that");
  context.expect(bench->open() != 0, "the editor does not open again");
  expectWindows(context, *bench, 1, "after opening once more");
  bench->close();
}

// The user opens the editor while the song plays: the audio thread keeps processing.
void whileProcessing(CheckContext& context) {
  auto bench = prepare(context);
  if (!bench) return;
  Subject& subject = *bench->subject;
  subject.start(kStandardRate, kStandardBlock);
  std::atomic<bool> done{false};
  std::thread audio([&] {
    int block = 0;
    while (!done.load(std::memory_order_acquire)) {
      if (block % 32 == 0) subject.noteOn(0, 48 + block / 32 % 24);
      if (block % 32 == 20) subject.releaseAll();
      subject.render(kStandardBlock);
      ++block;
    }
  });
  bool opened = false;
  for (int round = 0; round < 3; ++round) {
    AEffect* e = subject.effect();
    opened = e->dispatcher(e, effEditOpen, 0, 0, bench->frame->handle(), 0.0f) != 0 || opened;
    for (int32_t i = 0; i < subject.identity().numParams; ++i)
      e->setParameter(e, i, e->getParameter(e, i));
    bench->idle(kSettleMs);
    bench->close();
  }
  done.store(true, std::memory_order_release);
  audio.join();
  if (!opened) context.skip("the plug-in opens no editor on this platform");
  subject.reportHealth(context, "processing while the editor opens and closes");
  expectWindows(context, *bench, 0, "after the last close");
}

}  // namespace

void addEditorChecks(CheckTable& table) {
  table.push_back(
      {"editor.open-close", 1, openClose, "opens and closes the editor twice", kVst2 | kVst3});
  table.push_back({"editor.reopen", 1, reopen,
                   "idle and close with no editor, open twice without a close", kVst2 | kVst3});
  table.push_back({"editor.while-processing", 2, whileProcessing,
                   "opens and closes the editor while audio is processed", kVst2 | kVst3});
}
