// The host-side objects a VST 3 plug-in is handed: the host context, a byte stream, the
// event list and parameter changes of one block, and the handler that receives edits. Each
// lives as long as its owner; reference counts are kept for the plug-in's sake only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vst3/Vst3Controller.h"

// The name of a known interface id ("IComponent"), else its 32 hex digits.
std::string vst3InterfaceName(const void* iid);

// When set, every queryInterface on a host object and every interface our host asks a
// plug-in for is appended here as "host: IName" or "plug-in: IName".
void setVst3QueryLog(std::vector<std::string>* log);
void noteVst3Query(const char* side, const void* iid);

template <typename Interface, const vst3::Uid& kIid>
class HostObject : public Interface {
 public:
  vst3::tresult VST3_CALL queryInterface(const vst3::TUID iid, void** obj) override {
    noteVst3Query("host", iid);
    if (obj == nullptr) return vst3::kInvalidArgument;
    if (vst3::kIidFUnknown.matches(iid) || kIid.matches(iid)) {
      *obj = static_cast<Interface*>(this);
      ++refs_;
      return vst3::kResultOk;
    }
    *obj = nullptr;
    return vst3::kNoInterface;
  }
  uint32_t VST3_CALL addRef() override { return ++refs_; }
  uint32_t VST3_CALL release() override { return --refs_; }

 private:
  uint32_t refs_ = 1;
};

class Vst3HostApplication : public HostObject<vst3::IHostApplication, vst3::kIidIHostApplication> {
 public:
  vst3::tresult VST3_CALL getName(vst3::String128 name) override;
  vst3::tresult VST3_CALL createInstance(vst3::TUID, vst3::TUID, void** obj) override;
};

// A stream over bytes in memory. `readLimit` caps what one read returns, as streams that
// deliver in pieces do.
class Vst3MemoryStream : public HostObject<vst3::IBStream, vst3::kIidIBStream> {
 public:
  Vst3MemoryStream() = default;
  explicit Vst3MemoryStream(std::vector<uint8_t> bytes, int64_t position = 0)
      : bytes_(std::move(bytes)), position_(position) {}
  void setReadLimit(int32_t bytes) { readLimit_ = bytes; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  int64_t position() const { return position_; }

  vst3::tresult VST3_CALL read(void* buffer, int32_t numBytes, int32_t* numBytesRead) override;
  vst3::tresult VST3_CALL write(void* buffer, int32_t numBytes, int32_t* numBytesWritten) override;
  vst3::tresult VST3_CALL seek(int64_t pos, int32_t mode, int64_t* result) override;
  vst3::tresult VST3_CALL tell(int64_t* pos) override;

 private:
  std::vector<uint8_t> bytes_;
  int64_t position_ = 0;
  int32_t readLimit_ = INT32_MAX;
};

// The events of one block, in the order added; storage is reserved once.
class Vst3EventList : public HostObject<vst3::IEventList, vst3::kIidIEventList> {
 public:
  static constexpr size_t kCapacity = 4096;
  Vst3EventList() { events_.reserve(kCapacity); }
  void clear() { events_.clear(); }
  bool empty() const { return events_.empty(); }

  int32_t VST3_CALL getEventCount() override { return static_cast<int32_t>(events_.size()); }
  vst3::tresult VST3_CALL getEvent(int32_t index, vst3::Event& e) override;
  vst3::tresult VST3_CALL addEvent(vst3::Event& e) override;

 private:
  std::vector<vst3::Event> events_;
};

class Vst3ParamValueQueue final
    : public HostObject<vst3::IParamValueQueue, vst3::kIidIParamValueQueue> {
 public:
  static constexpr size_t kCapacity = 1024;
  Vst3ParamValueQueue() { points_.reserve(kCapacity); }
  void reset(vst3::ParamID id) {
    id_ = id;
    points_.clear();
  }

  vst3::ParamID VST3_CALL getParameterId() override { return id_; }
  int32_t VST3_CALL getPointCount() override { return static_cast<int32_t>(points_.size()); }
  vst3::tresult VST3_CALL getPoint(int32_t index, int32_t& sampleOffset,
                                   vst3::ParamValue& value) override;
  vst3::tresult VST3_CALL addPoint(int32_t sampleOffset, vst3::ParamValue value,
                                   int32_t& index) override;

 private:
  struct Point {
    int32_t offset;
    double value;
  };
  vst3::ParamID id_ = 0;
  std::vector<Point> points_;
};

// The parameter changes of one block: one queue per parameter, storage reserved once.
class Vst3ParameterChanges
    : public HostObject<vst3::IParameterChanges, vst3::kIidIParameterChanges> {
 public:
  static constexpr size_t kCapacity = 64;
  Vst3ParameterChanges() : queues_(kCapacity) {}
  void clear() { used_ = 0; }
  bool empty() const { return used_ == 0; }
  // Appends a point to the parameter's queue; false when there is no room.
  bool add(vst3::ParamID id, int32_t sampleOffset, double value);

  int32_t VST3_CALL getParameterCount() override { return static_cast<int32_t>(used_); }
  vst3::IParamValueQueue* VST3_CALL getParameterData(int32_t index) override;
  vst3::IParamValueQueue* VST3_CALL addParameterData(const vst3::ParamID& id,
                                                     int32_t& index) override;

 private:
  std::vector<Vst3ParamValueQueue> queues_;
  size_t used_ = 0;
};

// Records what the controller reports: edits bracketed by begin and end, and restarts.
class Vst3ComponentHandler
    : public HostObject<vst3::IComponentHandler, vst3::kIidIComponentHandler> {
 public:
  struct Call {
    char kind;  // 'b' begin, 'p' perform, 'e' end, 'r' restart
    vst3::ParamID id;
    double value;
  };
  std::vector<Call> calls;

  vst3::tresult VST3_CALL beginEdit(vst3::ParamID id) override;
  vst3::tresult VST3_CALL performEdit(vst3::ParamID id, vst3::ParamValue value) override;
  vst3::tresult VST3_CALL endEdit(vst3::ParamID id) override;
  vst3::tresult VST3_CALL restartComponent(int32_t flags) override;
};

// UTF-16 text to and from the host's 8-bit strings (ASCII and Latin-1 only).
std::string vst3Narrow(const vst3::char16* text, size_t capacity);
void vst3Widen(const std::string& text, vst3::char16* out, size_t capacity);
