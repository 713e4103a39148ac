// Reading and writing the state record through IBStream.
#include "vst3/StateStream.h"

namespace brisalonde_vst3 {

bool readRecord(vst3::IBStream* stream, unsigned char* buffer, size_t capacity, size_t& size) {
  size = 0;
  if (stream == nullptr || buffer == nullptr) return false;
  while (size < capacity) {
    int32_t got = 0;
    const auto want = static_cast<int32_t>(capacity - size);
    if (stream->read(buffer + size, want, &got) != vst3::kResultOk) return false;
    if (got <= 0) break;  // the end of the stream
    if (got > want) return false;
    size += static_cast<size_t>(got);
  }
  return true;
}

bool writeRecord(vst3::IBStream* stream, const unsigned char* data, size_t size) {
  if (stream == nullptr || data == nullptr) return false;
  size_t done = 0;
  while (done < size) {
    int32_t wrote = 0;
    const auto want = static_cast<int32_t>(size - done);
    if (stream->write(const_cast<unsigned char*>(data + done), want, &wrote) != vst3::kResultOk ||
        wrote <= 0 || wrote > want)
      return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
}

}  // namespace brisalonde_vst3
