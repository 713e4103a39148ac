// Standard MIDI File parsing: header, track chunks, variable-length numbers, running status,
// meta and system-exclusive events. Every read is bounds-checked; the first fault ends the
// parse with a message that gives its byte offset.
#include "tools/render/MidiFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

constexpr size_t kMaxFileSize = 64u << 20;
constexpr int kMaxVarLenBytes = 4;
constexpr uint8_t kMetaEvent = 0xFF;
constexpr uint8_t kSysexStart = 0xF0;
constexpr uint8_t kSysexContinue = 0xF7;
constexpr uint8_t kMetaEndOfTrack = 0x2F;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kDefaultReleaseVelocity = 64;

std::string hexByte(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
  return text;
}

// Reads within a limit: the whole file, or while a track is read, the end of that track.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size), limit_(size) {}

  size_t offset() const { return offset_; }
  size_t remaining() const { return limit_ - offset_; }
  void limitTo(size_t end) { limit_ = end; }
  void unlimit() { limit_ = size_; }
  const char* where() const { return limit_ < size_ ? "the track" : "the file"; }
  bool fail(const std::string& what) {
    if (error_.empty()) error_ = "offset " + std::to_string(offset_) + ": " + what;
    return false;
  }
  const std::string& error() const { return error_; }

  bool byte(uint8_t& out, const char* what) {
    if (offset_ >= limit_) return fail(std::string(where()) + " ends inside " + what);
    out = data_[offset_++];
    return true;
  }
  bool big16(uint32_t& out) {
    if (remaining() < 2) return fail("the file ends inside the header");
    out = (uint32_t{data_[offset_]} << 8) | data_[offset_ + 1];
    offset_ += 2;
    return true;
  }
  bool big32(uint32_t& out, const char* what) {
    if (remaining() < 4) return fail(std::string("the file ends inside ") + what);
    out = (uint32_t{data_[offset_]} << 24) | (uint32_t{data_[offset_ + 1]} << 16) |
          (uint32_t{data_[offset_ + 2]} << 8) | data_[offset_ + 3];
    offset_ += 4;
    return true;
  }
  // Consumes a four-character chunk tag and says whether it is the one expected.
  bool tag(const char* expected, const char* what) {
    if (remaining() < 4) return fail(std::string("the file ends inside ") + what);
    const bool same = std::equal(expected, expected + 4, data_ + offset_);
    offset_ += 4;
    return same;
  }
  bool varLen(uint32_t& out, const char* what) {
    out = 0;
    for (int i = 0; i < kMaxVarLenBytes; ++i) {
      if (offset_ >= limit_) return fail(std::string(where()) + " ends inside " + what);
      const uint8_t b = data_[offset_++];
      out = (out << 7) | (b & 0x7Fu);
      if ((b & 0x80u) == 0) return true;
    }
    return fail(std::string(what) + " is longer than four bytes");
  }
  bool skip(size_t count, const char* what) {
    if (count > limit_ - offset_) return fail(std::string(where()) + " ends inside " + what);
    offset_ += count;
    return true;
  }
  const uint8_t* here() const { return data_ + offset_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t limit_;
  size_t offset_ = 0;
  std::string error_;
};

bool readHeader(Reader& in, MidiFile& file) {
  in.tag("MThd", "the header");  // checked before parsing starts
  uint32_t length = 0, format = 0, tracks = 0, division = 0;
  if (!in.big32(length, "the header")) return false;
  if (length < 6) return in.fail("the header is " + std::to_string(length) + " bytes, not 6");
  const size_t headerEnd = in.offset() + length;
  if (!in.big16(format) || !in.big16(tracks) || !in.big16(division)) return false;
  if (format == 2) return in.fail("format 2 (independent sequences) cannot be rendered");
  if (format > 2) return in.fail("unknown file format " + std::to_string(format));
  if (tracks == 0) return in.fail("the file holds no tracks");
  if (division & 0x8000u) {
    const int framesPerSecond = -static_cast<int8_t>(division >> 8);
    if (framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 &&
        framesPerSecond != 30)
      return in.fail("unknown time-code rate of " + std::to_string(framesPerSecond) +
                     " frames per second");
    if ((division & 0xFFu) == 0) return in.fail("time-code division with 0 ticks per frame");
    file.smpteFramesPerSecond = static_cast<uint32_t>(framesPerSecond);
    file.ticksPerFrame = division & 0xFFu;
  } else {
    if (division == 0) return in.fail("0 ticks per quarter note");
    file.ticksPerQuarter = division;
  }
  file.format = static_cast<int>(format);
  file.trackCount = static_cast<int>(tracks);
  return in.skip(headerEnd - in.offset(), "the header");
}

bool readMeta(Reader& in, uint64_t tick, MidiFile& file, bool& endOfTrack) {
  uint8_t type = 0;
  uint32_t length = 0;
  if (!in.byte(type, "a meta event") || !in.varLen(length, "a meta event length")) return false;
  if (type == kMetaTempo) {
    if (length != 3) return in.fail("a tempo event of " + std::to_string(length) + " bytes");
    const uint8_t* p = in.here();
    if (in.remaining() < 3) return in.fail("the track ends inside a tempo event");
    const uint32_t micros = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    if (micros == 0) return in.fail("a tempo of 0 microseconds per quarter note");
    file.tempos.push_back(TempoChange{tick, micros});
  }
  endOfTrack = type == kMetaEndOfTrack;
  return in.skip(length, "a meta event");
}

bool readChannelMessage(Reader& in, uint8_t status, bool haveFirst, uint8_t first,
                        MidiMessage& message) {
  uint8_t data1 = first, data2 = 0;
  if (!haveFirst && !in.byte(data1, "a channel message")) return false;
  const uint8_t kind = status & 0xF0;
  const bool twoBytes = kind != 0xC0 && kind != 0xD0;
  if (twoBytes && !in.byte(data2, "a channel message")) return false;
  if ((data1 | data2) & 0x80u) return in.fail("a status byte inside a channel message");
  if (kind == kNoteOn && data2 == 0) {
    status = static_cast<uint8_t>(kNoteOff | (status & 0x0F));
    data2 = kDefaultReleaseVelocity;
  }
  message.size = twoBytes ? 3 : 2;
  message.bytes[0] = status;
  message.bytes[1] = data1;
  message.bytes[2] = data2;
  return true;
}

bool readTrack(Reader& in, uint16_t track, MidiFile& file) {
  uint64_t tick = 0;
  uint8_t running = 0;
  while (in.remaining() > 0) {
    uint32_t delta = 0;
    uint8_t lead = 0;
    if (!in.varLen(delta, "an event time")) return false;
    tick += delta;
    if (!in.byte(lead, "an event")) return false;
    if (lead == kMetaEvent) {
      bool endOfTrack = false;
      if (!readMeta(in, tick, file, endOfTrack)) return false;
      running = 0;
      if (endOfTrack) break;
    } else if (lead == kSysexStart || lead == kSysexContinue) {
      uint32_t length = 0;
      if (!in.varLen(length, "a system-exclusive length") ||
          !in.skip(length, "a system-exclusive message"))
        return false;
      running = 0;
    } else if (lead > kSysexStart) {
      return in.fail("a system message " + hexByte(lead) + " inside a track");
    } else {
      const bool isStatus = (lead & 0x80u) != 0;
      if (!isStatus && running == 0)
        return in.fail("a data byte " + hexByte(lead) + " without a status before it");
      MidiMessage message;
      message.tick = tick;
      message.track = track;
      const uint8_t status = isStatus ? lead : running;
      running = status;
      if (!readChannelMessage(in, status, !isStatus, lead, message)) return false;
      file.messages.push_back(message);
    }
  }
  file.endTick = std::max(file.endTick, tick);
  return true;
}

}  // namespace

bool parseMidiFile(const uint8_t* data, size_t size, MidiFile& file, std::string& error) {
  file = MidiFile{};
  if (size < 4 || !std::equal(data, data + 4, reinterpret_cast<const uint8_t*>("MThd"))) {
    error = "not a Standard MIDI File (it does not begin with MThd)";
    return false;
  }
  Reader in(data, size);
  int tracksRead = 0;
  bool ok = readHeader(in, file);
  while (ok && tracksRead < file.trackCount) {
    if (in.remaining() < 8) {
      ok = in.fail("the file declares " + std::to_string(file.trackCount) + " tracks but holds " +
                   std::to_string(tracksRead));
      break;
    }
    const bool isTrack = in.tag("MTrk", "a chunk header");
    uint32_t length = 0;
    ok = in.big32(length, "a chunk header");
    if (!ok) break;
    if (length > in.remaining()) {
      ok = in.fail("track " + std::to_string(tracksRead + 1) + " declares " +
                   std::to_string(length) + " bytes but the file has only " +
                   std::to_string(in.remaining()) + " left");
      break;
    }
    const size_t end = in.offset() + length;
    in.limitTo(end);
    if (isTrack) {
      ok = readTrack(in, static_cast<uint16_t>(tracksRead), file);
      ++tracksRead;
    }
    ok = ok && in.skip(in.remaining(), "a chunk");  // the rest of a track, or another chunk
    in.unlimit();
  }
  if (!ok) {
    error = in.error();
    return false;
  }
  // Tracks play together: order by time, then by track, keeping each track's own order.
  std::stable_sort(file.messages.begin(), file.messages.end(),
                   [](const MidiMessage& a, const MidiMessage& b) {
                     return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
                   });
  std::stable_sort(file.tempos.begin(), file.tempos.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  return true;
}

bool readMidiFile(const std::string& path, MidiFile& file, std::string& error) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream) {
    error = "cannot read the MIDI file " + path;
    return false;
  }
  std::vector<uint8_t> bytes;
  char chunk[65536];
  while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
    bytes.insert(bytes.end(), chunk, chunk + stream.gcount());
    if (bytes.size() > kMaxFileSize) {
      error = path + ": too large for a MIDI file (over 64 MiB)";
      return false;
    }
  }
  if (stream.bad()) {
    error = "cannot read the MIDI file " + path;
    return false;
  }
  if (!parseMidiFile(bytes.data(), bytes.size(), file, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}
