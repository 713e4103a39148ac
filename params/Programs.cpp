// Factory program table: each program is the defaults with a few values replaced.
#include "params/Programs.h"

const char* const kProgramNames[kNumPrograms] = {"Original", "Soft reed", "Bass", "Lantern",
                                                 "Glide"};

namespace {

struct ProgramValue {
  ParamId id;
  double value;
};

struct ProgramDesc {
  const ProgramValue* values;
  int count;
};

constexpr ProgramValue kSoftReed[] = {
    {kSquare, 0.12}, {kTriangle, 0.7}, {kSine, 0.5},
    {kAttack, 0.07}, {kRelease, 0.22}, {kVibratoDepth, 0.14},
};
constexpr ProgramValue kBass[] = {
    {kSquare, 0.8},    {kTriangle, 0.25}, {kSine, 0.0},
    {kRelease, 0.025}, {kGlide, 0.035},   {kTranspose, 1.0 / 3.0},
};
constexpr ProgramValue kLantern[] = {
    {kSquare, 0.15},  {kTriangle, 0.25},     {kSine, 0.85},         {kAttack, 0.12},
    {kRelease, 0.35}, {kVibratoDepth, 0.22}, {kTremoloDepth, 0.38},
};
constexpr ProgramValue kGlideProgram[] = {
    {kSquare, 0.65}, {kTriangle, 0.2},      {kSine, 0.2},
    {kGlide, 0.25},  {kVibratoDepth, 0.12}, {kTremoloDepth, 0.15},
};

constexpr ProgramDesc kPrograms[kNumPrograms] = {
    {nullptr, 0},
    {kSoftReed, static_cast<int>(sizeof kSoftReed / sizeof kSoftReed[0])},
    {kBass, static_cast<int>(sizeof kBass / sizeof kBass[0])},
    {kLantern, static_cast<int>(sizeof kLantern / sizeof kLantern[0])},
    {kGlideProgram, static_cast<int>(sizeof kGlideProgram / sizeof kGlideProgram[0])},
};

}  // namespace

void programValues(int32_t index, double out[kNumParams]) {
  for (int i = 0; i < kNumParams; ++i)
    out[i] = kParamTable[i].defaultValue;
  if (!isValidProgram(index)) return;
  const ProgramDesc& p = kPrograms[index];
  for (int k = 0; k < p.count; ++k)
    out[p.values[k].id] = p.values[k].value;
}
