// Playing a performance through the LV2 bundle, by the render tool's LV2 host.
#include <gtest/gtest.h>

#include "lv2/Lv2Identity.h"
#include "params/Programs.h"
#include "tests/formats/BlockLayout.h"
#include "tests/formats/Lv2Driver.h"

std::string lv2BundlePath() {
  return BRISALONDE_LV2_BUNDLE_PATH;
}

bool openLv2(Lv2Instrument& plugin, double sampleRate, int32_t maxBlock) {
  if (!plugin.openBundle(lv2BundlePath(), kLv2PluginUri, sampleRate, maxBlock)) {
    ADD_FAILURE() << "LV2: " << plugin.error();
    return false;
  }
  if (plugin.outputCount() != 2) {
    ADD_FAILURE() << "LV2: " << plugin.outputCount() << " outputs";
    return false;
  }
  return true;
}

std::vector<double> playOn(Lv2Instrument& plugin, const Performance& p) {
  std::vector<double> out;
  size_t midi = 0;
  forEachBlock(p, [&](int64_t start, int32_t frames) {
    for (; midi < p.midi.size() && p.midi[midi].frame < start + frames; ++midi) {
      const TimedMidi& m = p.midi[midi];
      const uint8_t bytes[3] = {m.status, m.data1, m.data2};
      plugin.addMidi(static_cast<uint32_t>(m.frame - start), bytes, 3);
    }
    plugin.run(static_cast<uint32_t>(frames));
    appendFrames(out, plugin.output(0), plugin.output(1), frames);
  });
  return out;
}

std::vector<double> playLv2(const Performance& p) {
  std::vector<double> out;
  if (p.precision != Precision::Single || !p.parameters.empty()) {
    ADD_FAILURE() << "LV2 plays single precision with controls between blocks only";
    return out;
  }
  Lv2Instrument plugin;
  if (!openLv2(plugin, p.sampleRate, largestBlock(p))) return out;
  if (p.program >= 0 &&
      (p.program >= kNumPrograms || !plugin.applyPreset(kProgramNames[p.program]))) {
    ADD_FAILURE() << "LV2: no preset for program " << p.program;
    return out;
  }
  plugin.activate();
  out = playOn(plugin, p);
  plugin.deactivate();
  return out;
}
