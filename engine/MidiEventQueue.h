// The fixed queue of MIDI events waiting for the next processing block.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr int32_t kMidiQueueCapacity = 4096;

// Eight bytes, written with one store: a host may send thousands in a block. The frame leads,
// so that one load holds the frame and the status.
struct QueuedMidiEvent {
  int32_t frame;  // offset within the coming block, never negative
  uint8_t status;
  uint8_t data1;
  uint8_t data2;
  uint8_t unused;  // 0
};
static_assert(sizeof(QueuedMidiEvent) == sizeof(uint64_t) &&
              offsetof(QueuedMidiEvent, status) == 4 && std::endian::native == std::endian::little);

// The events in the order of their arrival, until sortQueue orders them by frame.
struct MidiEventQueue {
  QueuedMidiEvent events[kMidiQueueCapacity];
  int32_t count;
  // Some event was queued with an earlier frame than the one before it. Hosts send events in
  // time order nearly always, so sorting is skipped unless this is set.
  bool unordered;
  QueuedMidiEvent sortSpace[kMidiQueueCapacity];  // the merge sort's other half
};

// Appends events after those already queued, holding the queue's count and order flag until
// it is done: the bytes of a record may alias anything to a compiler, so a count kept in the
// queue would be stored and read again on every event, chaining a host's many events together.
// Inline: every event of the host passes here.
class MidiEventWriter {
 public:
  explicit MidiEventWriter(MidiEventQueue& queue)
      : queue_(queue),
        count_(queue.count),
        lastFrame_(count_ > 0 && count_ <= kMidiQueueCapacity ? queue.events[count_ - 1].frame : 0),
        unordered_(count_ > 0 && queue.unordered) {}
  ~MidiEventWriter() {
    queue_.count = count_;
    queue_.unordered = unordered_;
  }
  MidiEventWriter(const MidiEventWriter&) = delete;
  MidiEventWriter& operator=(const MidiEventWriter&) = delete;

  // After those queued before it: a negative frame becomes 0 and the data bytes lose their top
  // bit. False, and nothing stored, when the queue is full.
  bool append(int32_t frame, uint8_t status, uint8_t data1, uint8_t data2) {
    return appendMessage(frame, uint32_t{status} | uint32_t{data1} << 8 | uint32_t{data2} << 16);
  }

  // The same for a message whose status and data bytes are the low three of `message`, first
  // byte lowest, as they lie in a host's event record.
  bool appendMessage(int32_t frame, uint32_t message) {
    if (count_ < 0 || count_ >= kMidiQueueCapacity) return false;
    const int32_t at = frame < 0 ? 0 : frame;
    // Order is kept relative to the events queued since the queue was last empty; frames are
    // never negative, so the first event after that keeps it.
    unordered_ |= at < lastFrame_;
    lastFrame_ = at;
    // The record as one word: built from a struct, it would be merged byte by byte into the
    // register of the record before.
    constexpr uint32_t kStatusAndData = 0x007F7FFF;
    const uint64_t word = uint64_t{static_cast<uint32_t>(at)} | uint64_t{message & kStatusAndData}
                                                                    << 32;
    std::memcpy(&queue_.events[count_], &word, sizeof word);
    ++count_;
    return true;
  }

 private:
  MidiEventQueue& queue_;
  int32_t count_;
  int32_t lastFrame_;
  bool unordered_;
};

// One event, as MidiEventWriter::append.
inline bool appendMidiEvent(MidiEventQueue& queue, int32_t frame, uint8_t status, uint8_t data1,
                            uint8_t data2) {
  return MidiEventWriter(queue).append(frame, status, data1, data2);
}

// Orders the queue by frame, then by arrival, when it is not in that order already; without
// allocating.
void sortQueue(MidiEventQueue& queue);

// Drops the first `handled` events and moves the rest to the front for the next block, in
// their order: frames shift back by `blockFrames` (not below 0).
void carryOver(MidiEventQueue& queue, int32_t handled, int32_t blockFrames);
