// Our declarations of the VST 3 binary interface, part 2: the class factory a module exports
// through GetPluginFactory, and the records it fills in.
#pragma once

#include "vst3/Vst3Base.h"

namespace vst3 {

struct PFactoryInfo {
  enum Flags : int32_t { kNoFlags = 0, kClassesDiscardable = 1, kUnicode = 1 << 4 };
  char8 vendor[64];
  char8 url[256];
  char8 email[128];
  int32_t flags;
};
static_assert(sizeof(PFactoryInfo) == 452);

inline constexpr int32_t kManyInstances = 0x7FFFFFFF;

struct PClassInfo {
  TUID cid;
  int32_t cardinality;
  char8 category[32];
  char8 name[64];
};
static_assert(sizeof(PClassInfo) == 116);

struct PClassInfo2 {
  TUID cid;
  int32_t cardinality;
  char8 category[32];
  char8 name[64];
  uint32_t classFlags;
  char8 subCategories[128];
  char8 vendor[64];
  char8 version[64];
  char8 sdkVersion[64];
};
static_assert(offsetof(PClassInfo2, classFlags) == 116);
static_assert(offsetof(PClassInfo2, vendor) == 248);
static_assert(sizeof(PClassInfo2) == 440);

struct PClassInfoW {
  TUID cid;
  int32_t cardinality;
  char8 category[32];
  char16 name[64];
  uint32_t classFlags;
  char8 subCategories[128];
  char16 vendor[64];
  char16 version[64];
  char16 sdkVersion[64];
};
static_assert(offsetof(PClassInfoW, classFlags) == 180);
static_assert(offsetof(PClassInfoW, vendor) == 312);
static_assert(sizeof(PClassInfoW) == 696);

class IPluginFactory : public FUnknown {
 public:
  virtual tresult VST3_CALL getFactoryInfo(PFactoryInfo* info) = 0;
  virtual int32_t VST3_CALL countClasses() = 0;
  virtual tresult VST3_CALL getClassInfo(int32_t index, PClassInfo* info) = 0;
  virtual tresult VST3_CALL createInstance(FIDString cid, FIDString iid, void** obj) = 0;
};
inline constexpr Uid kIidIPluginFactory{0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F};

class IPluginFactory2 : public IPluginFactory {
 public:
  virtual tresult VST3_CALL getClassInfo2(int32_t index, PClassInfo2* info) = 0;
};
inline constexpr Uid kIidIPluginFactory2{0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB};

class IPluginFactory3 : public IPluginFactory2 {
 public:
  virtual tresult VST3_CALL getClassInfoUnicode(int32_t index, PClassInfoW* info) = 0;
  virtual tresult VST3_CALL setHostContext(FUnknown* context) = 0;
};
inline constexpr Uid kIidIPluginFactory3{0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931};

// The module's exported entry points.
using GetPluginFactoryProc = IPluginFactory*(VST3_CALL*)();
using ModuleEntryProc = bool (*)(void* moduleHandle);  // Linux
using ModuleExitProc = bool (*)();                     // Linux
using InitDllProc = bool (*)();                        // Windows
using ExitDllProc = bool (*)();                        // Windows

// The category of audio processor classes.
inline constexpr const char* kAudioModuleClass = "Audio Module Class";

}  // namespace vst3
