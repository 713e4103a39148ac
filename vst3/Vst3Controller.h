// Our declarations of the VST 3 binary interface, part 5: the edit controller with its
// parameter records, the host's handler for edits, MIDI controller mapping, units and
// program lists, and the connection between processor and controller.
#pragma once

#include "vst3/Vst3Events.h"
#include "vst3/Vst3Processor.h"

namespace vst3 {

using UnitID = int32_t;
using ProgramListID = int32_t;
using CtrlNumber = int16_t;

struct ParameterInfo {
  enum Flags : int32_t {
    kNoFlags = 0,
    kCanAutomate = 1 << 0,
    kIsReadOnly = 1 << 1,
    kIsWrapAround = 1 << 2,
    kIsList = 1 << 3,
    kIsHidden = 1 << 4,
    kIsProgramChange = 1 << 15,
    kIsBypass = 1 << 16,
  };
  ParamID id;
  String128 title;
  String128 shortTitle;
  String128 units;
  int32_t stepCount;
  ParamValue defaultNormalizedValue;
  UnitID unitId;
  int32_t flags;
};
static_assert(offsetof(ParameterInfo, stepCount) == 772);
static_assert(offsetof(ParameterInfo, defaultNormalizedValue) == 776);
static_assert(sizeof(ParameterInfo) == 792);

enum RestartFlags : int32_t {
  kReloadComponent = 1 << 0,
  kIoChanged = 1 << 1,
  kParamValuesChanged = 1 << 2,
  kLatencyChanged = 1 << 3,
  kParamTitlesChanged = 1 << 4,
  kMidiCCAssignmentChanged = 1 << 5,
};

class IComponentHandler : public FUnknown {
 public:
  virtual tresult VST3_CALL beginEdit(ParamID id) = 0;
  virtual tresult VST3_CALL performEdit(ParamID id, ParamValue valueNormalized) = 0;
  virtual tresult VST3_CALL endEdit(ParamID id) = 0;
  virtual tresult VST3_CALL restartComponent(int32_t flags) = 0;
};
inline constexpr Uid kIidIComponentHandler{0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6};

class IPlugView;

class IEditController : public IPluginBase {
 public:
  virtual tresult VST3_CALL setComponentState(IBStream* state) = 0;
  virtual tresult VST3_CALL setState(IBStream* state) = 0;
  virtual tresult VST3_CALL getState(IBStream* state) = 0;
  virtual int32_t VST3_CALL getParameterCount() = 0;
  virtual tresult VST3_CALL getParameterInfo(int32_t paramIndex, ParameterInfo& info) = 0;
  virtual tresult VST3_CALL getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                  String128 string) = 0;
  virtual tresult VST3_CALL getParamValueByString(ParamID id, char16* string,
                                                  ParamValue& valueNormalized) = 0;
  virtual ParamValue VST3_CALL normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
  virtual ParamValue VST3_CALL plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
  virtual ParamValue VST3_CALL getParamNormalized(ParamID id) = 0;
  virtual tresult VST3_CALL setParamNormalized(ParamID id, ParamValue value) = 0;
  virtual tresult VST3_CALL setComponentHandler(IComponentHandler* handler) = 0;
  virtual IPlugView* VST3_CALL createView(FIDString name) = 0;
};
inline constexpr Uid kIidIEditController{0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E};
inline constexpr const char* kEditorViewType = "editor";

class IEditController2 : public FUnknown {
 public:
  virtual tresult VST3_CALL setKnobMode(int32_t mode) = 0;
  virtual tresult VST3_CALL openHelp(TBool onlyCheck) = 0;
  virtual tresult VST3_CALL openAboutBox(TBool onlyCheck) = 0;
};
inline constexpr Uid kIidIEditController2{0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038};

// Controller numbers beyond the MIDI ones, as the host passes them to the mapping.
enum ControllerNumbers : int16_t {
  kCtrlModWheel = 1,
  kCtrlSustainOnOff = 64,
  kCtrlAllSoundsOff = 120,
  kCtrlResetAllCtrlers = 121,
  kCtrlAllNotesOff = 123,
  kAfterTouch = 128,
  kPitchBend = 129,
};

class IMidiMapping : public FUnknown {
 public:
  virtual tresult VST3_CALL getMidiControllerAssignment(int32_t busIndex, int16_t channel,
                                                        CtrlNumber midiControllerNumber,
                                                        ParamID& id) = 0;
};
inline constexpr Uid kIidIMidiMapping{0xDF0FF9F7, 0x49B74669, 0xB63AB732, 0x7ADBF5E5};

class IEditControllerHostEditing : public FUnknown {
 public:
  virtual tresult VST3_CALL beginEditFromHost(ParamID paramID) = 0;
  virtual tresult VST3_CALL endEditFromHost(ParamID paramID) = 0;
};
inline constexpr Uid kIidIEditControllerHostEditing{0xC1271208, 0x70594098, 0xB9DD34B3, 0x6BB0195E};

inline constexpr UnitID kRootUnitId = 0;
inline constexpr UnitID kNoParentUnitId = -1;
inline constexpr ProgramListID kNoProgramListId = -1;

struct UnitInfo {
  UnitID id;
  UnitID parentUnitId;
  String128 name;
  ProgramListID programListId;
};
static_assert(sizeof(UnitInfo) == 268);

struct ProgramListInfo {
  ProgramListID id;
  String128 name;
  int32_t programCount;
};
static_assert(sizeof(ProgramListInfo) == 264);

class IUnitInfo : public FUnknown {
 public:
  virtual int32_t VST3_CALL getUnitCount() = 0;
  virtual tresult VST3_CALL getUnitInfo(int32_t unitIndex, UnitInfo& info) = 0;
  virtual int32_t VST3_CALL getProgramListCount() = 0;
  virtual tresult VST3_CALL getProgramListInfo(int32_t listIndex, ProgramListInfo& info) = 0;
  virtual tresult VST3_CALL getProgramName(ProgramListID listId, int32_t programIndex,
                                           String128 name) = 0;
  virtual tresult VST3_CALL getProgramInfo(ProgramListID listId, int32_t programIndex,
                                           const char8* attributeId, String128 attributeValue) = 0;
  virtual tresult VST3_CALL hasProgramPitchNames(ProgramListID listId, int32_t programIndex) = 0;
  virtual tresult VST3_CALL getProgramPitchName(ProgramListID listId, int32_t programIndex,
                                                int16_t midiPitch, String128 name) = 0;
  virtual UnitID VST3_CALL getSelectedUnit() = 0;
  virtual tresult VST3_CALL selectUnit(UnitID unitId) = 0;
  virtual tresult VST3_CALL getUnitByBus(MediaType type, BusDirection dir, int32_t busIndex,
                                         int32_t channel, UnitID& unitId) = 0;
  virtual tresult VST3_CALL setUnitProgramData(int32_t listOrUnitId, int32_t programIndex,
                                               IBStream* data) = 0;
};
inline constexpr Uid kIidIUnitInfo{0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1};

class IAttributeList;

class IMessage : public FUnknown {
 public:
  virtual FIDString VST3_CALL getMessageID() = 0;
  virtual void VST3_CALL setMessageID(FIDString id) = 0;
  virtual IAttributeList* VST3_CALL getAttributes() = 0;
};
inline constexpr Uid kIidIMessage{0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613};

class IConnectionPoint : public FUnknown {
 public:
  virtual tresult VST3_CALL connect(IConnectionPoint* other) = 0;
  virtual tresult VST3_CALL disconnect(IConnectionPoint* other) = 0;
  virtual tresult VST3_CALL notify(IMessage* message) = 0;
};
inline constexpr Uid kIidIConnectionPoint{0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1};

// What a host passes to initialize(): its name, and a maker of messages.
class IHostApplication : public FUnknown {
 public:
  virtual tresult VST3_CALL getName(String128 name) = 0;
  virtual tresult VST3_CALL createInstance(TUID cid, TUID iid, void** obj) = 0;
};
inline constexpr Uid kIidIHostApplication{0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5};

}  // namespace vst3
