// The processor check and the load-time choice of the stages' vector form.
#include "engine/EnginePaths.h"

namespace {

const StageFunctions& stagesOf(EnginePath path) {
  switch (path) {
    case EnginePath::Avx512:
      return kAvx512Stages;
    case EnginePath::Avx2Fma:
      return kAvx2FmaStages;
    case EnginePath::Sse2:
      break;
  }
  return kSse2Stages;
}

EnginePath widestPath() {
  if (processorHas(EnginePath::Avx512)) return EnginePath::Avx512;
  if (processorHas(EnginePath::Avx2Fma)) return EnginePath::Avx2Fma;
  return EnginePath::Sse2;
}

EnginePath activePath = widestPath();
const StageFunctions* active = &stagesOf(activePath);

}  // namespace

bool processorHas(EnginePath path) {
  __builtin_cpu_init();  // may run before main, so the feature table must be filled first
  // The checks include the operating system's support for the wider registers.
  const bool avx2Fma = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
  switch (path) {
    case EnginePath::Sse2:
      return true;
    case EnginePath::Avx2Fma:
      return avx2Fma;
    case EnginePath::Avx512:
      return avx2Fma && __builtin_cpu_supports("avx512f");
  }
  return false;
}

const char* pathName(EnginePath path) {
  switch (path) {
    case EnginePath::Sse2:
      return "SSE2";
    case EnginePath::Avx2Fma:
      return "AVX2+FMA";
    case EnginePath::Avx512:
      return "AVX-512F";
  }
  return "?";
}

EnginePath activeEnginePath() {
  return activePath;
}

const StageFunctions& activeStages() {
  return *active;
}

void useStagesForTest(const StageFunctions& stages) {
  active = &stages;
}

bool useEnginePath(EnginePath path) {
  if (!processorHas(path)) return false;
  activePath = path;
  active = &stagesOf(path);
  return true;
}
