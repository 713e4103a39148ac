// Our declarations of the VST 3 binary interface, part 4: what arrives with a processing call
// besides audio: note events and sample-stamped parameter changes.
#pragma once

#include "vst3/Vst3Base.h"

namespace vst3 {

using ParamID = uint32_t;
using ParamValue = double;

struct NoteOnEvent {
  int16_t channel;
  int16_t pitch;
  float tuning;
  float velocity;  // 0..1
  int32_t length;
  int32_t noteId;
};
struct NoteOffEvent {
  int16_t channel;
  int16_t pitch;
  float velocity;
  int32_t noteId;
  float tuning;
};
struct DataEvent {
  uint32_t size;
  uint32_t type;
  const uint8_t* bytes;
};
struct PolyPressureEvent {
  int16_t channel;
  int16_t pitch;
  float pressure;
  int32_t noteId;
};
struct NoteExpressionValueEvent {
  uint32_t typeId;
  int32_t noteId;
  double value;
};
struct NoteExpressionTextEvent {
  uint32_t typeId;
  int32_t noteId;
  uint32_t textLen;
  const char16* text;
};

struct Event {
  enum Types : uint16_t {
    kNoteOnEvent = 0,
    kNoteOffEvent = 1,
    kDataEvent = 2,
    kPolyPressureEvent = 3,
    kNoteExpressionValueEvent = 4,
    kNoteExpressionTextEvent = 5,
    kChordEvent = 6,
    kScaleEvent = 7,
  };
  enum Flags : uint16_t { kIsLive = 1 };
  int32_t busIndex;
  int32_t sampleOffset;
  double ppqPosition;
  uint16_t flags;
  uint16_t type;
  union {
    NoteOnEvent noteOn;
    NoteOffEvent noteOff;
    DataEvent data;
    PolyPressureEvent polyPressure;
    NoteExpressionValueEvent noteExpressionValue;
    NoteExpressionTextEvent noteExpressionText;
  };
};
static_assert(offsetof(Event, ppqPosition) == 8);
static_assert(offsetof(Event, type) == 18);
static_assert(offsetof(Event, noteOn) == 24);
static_assert(sizeof(Event) == 48);

class IEventList : public FUnknown {
 public:
  virtual int32_t VST3_CALL getEventCount() = 0;
  virtual tresult VST3_CALL getEvent(int32_t index, Event& e) = 0;
  virtual tresult VST3_CALL addEvent(Event& e) = 0;
};
inline constexpr Uid kIidIEventList{0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44};

// The points of one parameter within a block, in order of their sample offsets.
class IParamValueQueue : public FUnknown {
 public:
  virtual ParamID VST3_CALL getParameterId() = 0;
  virtual int32_t VST3_CALL getPointCount() = 0;
  virtual tresult VST3_CALL getPoint(int32_t index, int32_t& sampleOffset, ParamValue& value) = 0;
  virtual tresult VST3_CALL addPoint(int32_t sampleOffset, ParamValue value, int32_t& index) = 0;
};
inline constexpr Uid kIidIParamValueQueue{0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA};

class IParameterChanges : public FUnknown {
 public:
  virtual int32_t VST3_CALL getParameterCount() = 0;
  virtual IParamValueQueue* VST3_CALL getParameterData(int32_t index) = 0;
  virtual IParamValueQueue* VST3_CALL addParameterData(const ParamID& id, int32_t& index) = 0;
};
inline constexpr Uid kIidIParameterChanges{0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D};

}  // namespace vst3
