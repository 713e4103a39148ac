// The plug-in's parameters as a VST 3 controller lists them: the sixteen of the parameter
// table with ids 0..15, then the hidden program change and MIDI controllers. Texts, units,
// steps and defaults come from the same table and formatter as the VST 2 build's.
#pragma once

#include <cstdint>

#include "vst3/PluginIds.h"

namespace brisalonde_vst3 {

int32_t parameterCount();
// The record of the parameter at `index`; false for an index out of range.
bool describeParameter(int32_t index, vst3::ParameterInfo& info);
bool isKnownParameter(vst3::ParamID id);

// The display text for normalized `value` (the VST 2 text of the conformed value); false
// for an unknown id.
bool parameterText(vst3::ParamID id, double value, char* out, size_t size);
// A typed value read as the VST 2 build reads one: a number in the parameter's own units.
bool parameterFromText(vst3::ParamID id, const char* text, double& value);

double plainOfNormalized(vst3::ParamID id, double value);
double normalizedOfPlain(vst3::ParamID id, double plain);

// The program-change parameter's value for program `index`, and back.
double programParamValue(int32_t index);
int32_t programOfParamValue(double value);

}  // namespace brisalonde_vst3
