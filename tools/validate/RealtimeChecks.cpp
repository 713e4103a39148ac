// Real-time checks on the audio thread: no heap allocation or free after the first block,
// no call back into the host, and the host's floating-point mode left as it was.
#include <string>
#include <vector>

#include "tools/validate/AllocationHook.h"
#include "tools/validate/CheckContext.h"
#include "tools/validate/CheckList.h"
#include "tools/validate/CheckSupport.h"
#include "tools/validate/FloatEnvironment.h"
#include "tools/validate/Subject.h"
#include "tools/validate/TextFormat.h"

namespace {

constexpr int32_t kAnnouncedBlock = 1024;
constexpr uint8_t kPitchBend = 0xE0;

// Queries that some hosts permit on the audio thread; tolerated below strictness 7.
bool realtimeQuery(int32_t opcode) {
  return opcode == audioMasterGetTime || opcode == audioMasterGetCurrentProcessLevel ||
         opcode == audioMasterGetSampleRate || opcode == audioMasterGetBlockSize ||
         opcode == audioMasterProcessEvents;
}

// What a busy audio thread does: events of every kind, blocks of changing size, and
// parameter writes and reads between the blocks.
void audioWork(CheckContext& context, Subject& subject, int64_t blocks) {
  const int32_t params = subject.identity().numParams;
  for (int64_t block = 0; block < blocks; ++block) {
    switch (context.uniformInt(0, 5)) {
      case 0:
        subject.noteOn(context.uniformInt(0, 15), context.uniformInt(30, 90),
                       context.uniformInt(1, 127));
        break;
      case 1:
        subject.releaseAll(context.uniformInt(0, 15));
        break;
      case 2: {
        const uint8_t bend[] = {kPitchBend, static_cast<uint8_t>(context.uniformInt(0, 127)),
                                static_cast<uint8_t>(context.uniformInt(0, 127))};
        subject.events().add(0, bend, sizeof bend);
        break;
      }
      case 3:
        subject.controller(context.uniformInt(0, 15), 1, context.uniformInt(0, 127));
        break;
      default:
        break;
    }
    if (params > 0) {
      const int32_t index = context.uniformInt(0, params - 1);
      const auto value = static_cast<float>(context.uniform());
      subject.asAudioCall("setParameter and getParameter", [&] {
        subject.plugin().setParameter(index, value);
        subject.plugin().parameter(index);
      });
    }
    subject.render(context.uniformInt(1, kAnnouncedBlock));
  }
}

// Counts allocations and frees per entry point.
class AllocationObserver : public CallObserver {
 public:
  void before(const char* call) override {
    call_ = call;
    allocations_ = allochook::allocations();
    frees_ = allochook::frees();
    allochook::startWatchingThisThread();
  }
  void after() override {
    allochook::stopWatching();
    const uint64_t allocated = allochook::allocations() - allocations_;
    const uint64_t freed = allochook::frees() - frees_;
    if (allocated + freed == 0) return;
    total_ += allocated + freed;
    for (Tally& t : tallies_)
      if (t.call == call_) {
        t.allocations += allocated;
        t.frees += freed;
        return;
      }
    tallies_.push_back({call_, allocated, freed});
  }
  uint64_t total() const { return total_; }
  std::string describe() const {
    std::string text;
    for (const Tally& t : tallies_)
      text += textf("%s%llu allocations and %llu frees in %s", text.empty() ? "" : ", ",
                    static_cast<unsigned long long>(t.allocations),
                    static_cast<unsigned long long>(t.frees), t.call);
    return text;
  }

 private:
  struct Tally {
    const char* call;
    uint64_t allocations;
    uint64_t frees;
  };
  const char* call_ = "";
  uint64_t allocations_ = 0;
  uint64_t frees_ = 0;
  uint64_t total_ = 0;
  std::vector<Tally> tallies_;
};

void noAllocation(CheckContext& context) {
  if (!allochook::available()) {
    context.skip("no allocator hook in a sanitizer build");
    return;
  }
  Subject subject(context);
  if (!subject.ok()) return;
  if (!context.expect(allochook::attach(reinterpret_cast<const void*>(context.module().entry())),
                      "cannot hook the plug-in's heap functions"))
    return;
  subject.start(kStandardRate, kAnnouncedBlock);
  subject.noteOn(0, kMiddleC);
  subject.render(kAnnouncedBlock);  // the first block may still set things up
  AllocationObserver observer;
  subject.observe(&observer);
  const int64_t blocks = context.scaled(200, 2000);
  audioWork(context, subject, blocks);
  subject.observe(nullptr);
  context.expect(observer.total() == 0,
                 textf("on the audio thread in %lld blocks: ", static_cast<long long>(blocks)) +
                     observer.describe());
  subject.reportHealth(context, "the audio thread's work");
  context.note(textf("%lld blocks with events and parameter changes, no allocation",
                     static_cast<long long>(blocks)));
}

class CallbackObserver : public CallObserver {
 public:
  explicit CallbackObserver(HostContext& host) : host_(host) {}
  void before(const char*) override {
    for (int32_t op = 0; op < HostContext::kCountedOpcodes; ++op)
      counts_[op] = host_.calls(op);
    others_ = host_.otherCalls.load();
  }
  void after() override {
    for (int32_t op = 0; op < HostContext::kCountedOpcodes; ++op)
      if (host_.calls(op) != counts_[op]) opcodes_.push_back(op);
    if (host_.otherCalls.load() != others_) opcodes_.push_back(-1);
  }
  const std::vector<int32_t>& opcodes() const { return opcodes_; }

 private:
  HostContext& host_;
  uint32_t counts_[HostContext::kCountedOpcodes] = {};
  uint32_t others_ = 0;
  std::vector<int32_t> opcodes_;
};

void noHostCallback(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kAnnouncedBlock);
  CallbackObserver observer(subject.plugin().context());
  subject.observe(&observer);
  audioWork(context, subject, context.scaled(200, 2000));
  subject.observe(nullptr);
  std::vector<int32_t> forbidden, tolerated;
  for (int32_t op : observer.opcodes()) {
    std::vector<int32_t>& list = !context.atLeast(7) && realtimeQuery(op) ? tolerated : forbidden;
    bool known = false;
    for (int32_t seen : list)
      known = known || seen == op;
    if (!known) list.push_back(op);
  }
  std::string names;
  for (int32_t op : forbidden)
    names += (names.empty() ? "" : ", ") + std::to_string(op);
  context.expect(forbidden.empty(),
                 "the plug-in called the host from the audio thread (opcodes " + names + ")");
  if (!tolerated.empty())
    context.note(textf("%zu kinds of real-time queries tolerated", tolerated.size()));
}

class FloatModeObserver : public CallObserver {
 public:
  explicit FloatModeObserver(unsigned mode) : mode_(mode) {}
  void before(const char*) override { fpenv::write(mode_); }
  void after() override {
    const unsigned now = fpenv::read();
    if ((now & fpenv::kControlBits) != (mode_ & fpenv::kControlBits) && changed_ == 0)
      changed_ = now;
    fpenv::write(fpenv::kHostDefault);
  }
  unsigned changed() const { return changed_; }

 private:
  unsigned mode_;
  unsigned changed_ = 0;
};

void floatMode(CheckContext& context) {
  Subject subject(context);
  if (!subject.ok()) return;
  subject.start(kStandardRate, kAnnouncedBlock);
  const unsigned modes[] = {fpenv::kHostDefault,
                            fpenv::kHostDefault | fpenv::kFlushToZero | fpenv::kDenormalsAreZero,
                            fpenv::kHostDefault | fpenv::kRoundDown};
  for (unsigned mode : modes) {
    context.step(textf("host mode %#06x", mode));
    FloatModeObserver observer(mode);
    subject.observe(&observer);
    audioWork(context, subject, context.scaled(20, 200));
    subject.observe(nullptr);
    context.expect(
        observer.changed() == 0,
        textf("the host's floating-point mode %#06x came back as %#06x", mode, observer.changed()));
  }
  fpenv::write(fpenv::kHostDefault);
  subject.reportHealth(context, "under the host's floating-point modes");
}

}  // namespace

void addRealtimeChecks(CheckTable& table) {
  table.push_back({"realtime.no-allocation", 1, noAllocation,
                   "no heap allocation or free on the audio thread after the first block"});
  table.push_back({"realtime.no-host-callback", 1, noHostCallback,
                   "no call back into the host from the audio thread", kVst2});
  table.push_back({"realtime.float-mode", 1, floatMode,
                   "the host's floating-point mode is restored after every audio call"});
}
