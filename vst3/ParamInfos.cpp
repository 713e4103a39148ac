// Parameter records, texts and conversions for the VST 3 controller.
#include "vst3/ParamInfos.h"

#include <cmath>
#include <cstdio>
#include <iterator>

#include "params/NumberText.h"
#include "params/ParamRanges.h"
#include "params/ParamTable.h"
#include "params/Programs.h"
#include "params/ValueFormat.h"
#include "vst3/MappedControllers.h"
#include "vst3/WideText.h"

namespace brisalonde_vst3 {

namespace {

// The name as VST 2 hosts show it, which VST 3 hosts use where space is short.
constexpr size_t kShortTitleLength = 7;

bool isTableParam(vst3::ParamID id) {
  return id < static_cast<vst3::ParamID>(kNumParams);
}

double clampUnit(double v) {
  return std::isfinite(v) ? (v < 0.0 ? 0.0 : v > 1.0 ? 1.0 : v) : 0.0;
}

}  // namespace

int32_t parameterCount() {
  return kNumParams + kHiddenParamCount;
}

bool isKnownParameter(vst3::ParamID id) {
  return isTableParam(id) || id == kProgramParamId || controllerOfParam(id) != nullptr;
}

bool describeParameter(int32_t index, vst3::ParameterInfo& info) {
  if (index < 0 || index >= parameterCount()) return false;
  info = vst3::ParameterInfo{};
  info.unitId = vst3::kRootUnitId;
  if (index < kNumParams) {
    const ParamDesc& desc = kParamTable[index];
    info.id = static_cast<vst3::ParamID>(index);
    copyWide(info.title, 128, desc.name);
    copyWide(info.shortTitle, kShortTitleLength + 1, desc.name);
    copyWide(info.units, 128, desc.unit);
    info.stepCount = desc.steps;
    info.defaultNormalizedValue = desc.defaultValue;
    info.flags = vst3::ParameterInfo::kCanAutomate;
    return true;
  }
  if (index == kNumParams) {
    info.id = kProgramParamId;
    copyWide(info.title, 128, "Program");
    copyWide(info.shortTitle, 128, "Program");
    info.stepCount = kNumPrograms - 1;
    info.defaultNormalizedValue = 0.0;
    info.flags = vst3::ParameterInfo::kIsProgramChange | vst3::ParameterInfo::kIsList |
                 vst3::ParameterInfo::kIsHidden;
    return true;
  }
  static const char* const kControllerTitles[] = {"Pitch bend",    "Mod wheel",
                                                  "Sustain pedal", "Reset controllers",
                                                  "All notes off", "All sound off"};
  static_assert(std::size(kControllerTitles) == std::size(kMappedControllers));
  const MappedController& c = kMappedControllers[index - kNumParams - 1];
  info.id = c.id;
  copyWide(info.title, 128, kControllerTitles[index - kNumParams - 1]);
  copyWide(info.shortTitle, 128, kControllerTitles[index - kNumParams - 1]);
  info.stepCount = c.steps;
  info.defaultNormalizedValue = restingValue(c);
  info.flags = vst3::ParameterInfo::kIsHidden;
  return true;
}

bool parameterText(vst3::ParamID id, double value, char* out, size_t size) {
  if (out == nullptr || size == 0) return false;
  if (isTableParam(id)) {
    const auto index = static_cast<int32_t>(id);
    const double v = quantize(value, kParamTable[index].steps);
    if (index == kLegato) {
      copyNarrow(out, size, legatoText(v));
    } else {
      formatFixed(plainValue(index, v), 1, out, static_cast<int>(size));
    }
    return true;
  }
  if (id == kProgramParamId) {
    copyNarrow(out, size, kProgramNames[programOfParamValue(value)]);
    return true;
  }
  if (const MappedController* c = controllerOfParam(id)) {
    std::snprintf(out, size, "%d", static_cast<int>(std::round(clampUnit(value) * c->steps)));
    return true;
  }
  return false;
}

bool parameterFromText(vst3::ParamID id, const char* text, double& value) {
  double plain = 0.0;
  if (!isKnownParameter(id) || !parseLeadingNumber(text, plain) || !std::isfinite(plain))
    return false;
  value = normalizedOfPlain(id, plain);
  return true;
}

double plainOfNormalized(vst3::ParamID id, double value) {
  if (isTableParam(id)) return plainValue(static_cast<int32_t>(id), value);
  if (id == kProgramParamId) return programOfParamValue(value);
  if (const MappedController* c = controllerOfParam(id))
    return std::round(clampUnit(value) * c->steps);
  return 0.0;
}

double normalizedOfPlain(vst3::ParamID id, double plain) {
  if (isTableParam(id)) {
    const auto index = static_cast<ParamId>(id);
    return quantize(unitOfPlain(index, plain), kParamTable[index].steps);
  }
  if (id == kProgramParamId)
    return programParamValue(static_cast<int32_t>(std::round(std::isfinite(plain) ? plain : 0)));
  if (const MappedController* c = controllerOfParam(id)) return clampUnit(plain / c->steps);
  return 0.0;
}

double programParamValue(int32_t index) {
  if (index < 0) index = 0;
  if (index >= kNumPrograms) index = kNumPrograms - 1;
  return static_cast<double>(index) / (kNumPrograms - 1);
}

int32_t programOfParamValue(double value) {
  return static_cast<int32_t>(std::round(clampUnit(value) * (kNumPrograms - 1)));
}

}  // namespace brisalonde_vst3
