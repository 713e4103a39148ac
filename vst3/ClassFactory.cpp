// The factory's class records and instance creation.
#include "vst3/ClassFactory.h"

#include <cstring>
#include <new>

#include "vst3/PluginIds.h"
#include "vst3/Vst3Instance.h"
#include "vst3/WideText.h"

namespace brisalonde_vst3 {

namespace {

class Factory final : public vst3::IPluginFactory3 {
 public:
  vst3::tresult VST3_CALL queryInterface(const vst3::TUID iid, void** obj) override {
    if (obj == nullptr) return vst3::kInvalidArgument;
    const bool known = vst3::kIidFUnknown.matches(iid) || vst3::kIidIPluginFactory.matches(iid) ||
                       vst3::kIidIPluginFactory2.matches(iid) ||
                       vst3::kIidIPluginFactory3.matches(iid);
    *obj = known ? this : nullptr;
    return known ? vst3::kResultOk : vst3::kNoInterface;
  }
  uint32_t VST3_CALL addRef() override { return 1; }
  uint32_t VST3_CALL release() override { return 1; }

  vst3::tresult VST3_CALL getFactoryInfo(vst3::PFactoryInfo* info) override {
    if (info == nullptr) return vst3::kInvalidArgument;
    *info = vst3::PFactoryInfo{};
    copyNarrow(info->vendor, sizeof info->vendor, kVendor);
    copyNarrow(info->url, sizeof info->url, kUrl);
    copyNarrow(info->email, sizeof info->email, kEmail);
    info->flags = vst3::PFactoryInfo::kUnicode;
    return vst3::kResultOk;
  }
  int32_t VST3_CALL countClasses() override { return 1; }

  vst3::tresult VST3_CALL getClassInfo(int32_t index, vst3::PClassInfo* info) override {
    if (index != 0 || info == nullptr) return vst3::kInvalidArgument;
    *info = vst3::PClassInfo{};
    std::memcpy(info->cid, kClassId.bytes, sizeof info->cid);
    info->cardinality = vst3::kManyInstances;
    copyNarrow(info->category, sizeof info->category, vst3::kAudioModuleClass);
    copyNarrow(info->name, sizeof info->name, kClassName);
    return vst3::kResultOk;
  }

  vst3::tresult VST3_CALL createInstance(vst3::FIDString cid, vst3::FIDString iid,
                                         void** obj) override {
    if (obj == nullptr) return vst3::kInvalidArgument;
    *obj = nullptr;
    if (!kClassId.matches(cid)) return vst3::kNoInterface;
    auto* instance = new (std::nothrow) Vst3Instance();
    if (instance == nullptr) return vst3::kOutOfMemory;
    const vst3::tresult result = instance->queryInterface(iid, obj);
    instance->release();  // the caller's reference, if any, keeps it
    return result;
  }

  vst3::tresult VST3_CALL getClassInfo2(int32_t index, vst3::PClassInfo2* info) override {
    if (index != 0 || info == nullptr) return vst3::kInvalidArgument;
    *info = vst3::PClassInfo2{};
    std::memcpy(info->cid, kClassId.bytes, sizeof info->cid);
    info->cardinality = vst3::kManyInstances;
    copyNarrow(info->category, sizeof info->category, vst3::kAudioModuleClass);
    copyNarrow(info->name, sizeof info->name, kClassName);
    copyNarrow(info->subCategories, sizeof info->subCategories, kSubCategories);
    copyNarrow(info->vendor, sizeof info->vendor, kVendor);
    copyNarrow(info->version, sizeof info->version, kVersion);
    copyNarrow(info->sdkVersion, sizeof info->sdkVersion, kSdkVersion);
    return vst3::kResultOk;
  }

  vst3::tresult VST3_CALL getClassInfoUnicode(int32_t index, vst3::PClassInfoW* info) override {
    if (index != 0 || info == nullptr) return vst3::kInvalidArgument;
    *info = vst3::PClassInfoW{};
    std::memcpy(info->cid, kClassId.bytes, sizeof info->cid);
    info->cardinality = vst3::kManyInstances;
    copyNarrow(info->category, sizeof info->category, vst3::kAudioModuleClass);
    copyWide(info->name, std::size(info->name), kClassName);
    copyNarrow(info->subCategories, sizeof info->subCategories, kSubCategories);
    copyWide(info->vendor, std::size(info->vendor), kVendor);
    copyWide(info->version, std::size(info->version), kVersion);
    copyWide(info->sdkVersion, std::size(info->sdkVersion), kSdkVersion);
    return vst3::kResultOk;
  }

  vst3::tresult VST3_CALL setHostContext(vst3::FUnknown*) override { return vst3::kResultOk; }
};

Factory theFactory;

}  // namespace

vst3::IPluginFactory3* moduleFactory() {
  return &theFactory;
}

}  // namespace brisalonde_vst3
