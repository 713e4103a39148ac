// Summary lines: what was rendered, how long, how loud, and how fast. The processing time
// counts only the plug-in's own calls, so the realtime factor is the plug-in's, not the
// file writing's.
#include "tools/render/SummaryText.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace {

std::string format(const char* pattern, ...) {
  char text[512];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(text, sizeof text, pattern, args);
  va_end(args);
  return text;
}

std::string decibels(double linear) {
  return linear > 0.0 ? format("%.2f dBFS", 20.0 * std::log10(linear)) : "-inf dBFS";
}

const char* formatName(SampleFormat format) {
  switch (format) {
    case SampleFormat::Int16:
      return "16-bit";
    case SampleFormat::Int24:
      return "24-bit";
    case SampleFormat::Float32:
      return "32-bit float";
  }
  return "";
}

const char* tailOrigin(TailSource source) {
  switch (source) {
    case TailSource::Option:
      return "as asked";
    case TailSource::Plugin:
      return "reported by the plug-in";
    case TailSource::Fallback:
      return "the plug-in reports none";
  }
  return "";
}

}  // namespace

std::string formatSummary(const RenderOptions& options, const RenderSummary& s) {
  std::string text;
  text += format("plugin:     %s (%s)\n", s.pluginPath.c_str(), s.identity.effectName.c_str());
  text += format("program:    %d \"%s\"\n", s.program, s.programName.c_str());
  text +=
      format("output:     %s, %d channel%s, %u Hz, %s, %s precision\n", options.outputPath.c_str(),
             s.channels, s.channels == 1 ? "" : "s", s.sampleRate, formatName(options.format),
             options.precision == Precision::Double ? "double" : "single");
  text += format("length:     %llu frames, %.3f s, %zu events, tail %.3f s (%s)\n",
                 static_cast<unsigned long long>(s.frames), s.seconds(), s.eventCount,
                 static_cast<double>(s.tailFrames) / s.sampleRate, tailOrigin(s.tailSource));
  text += format("peak:       %s\n", decibels(s.peak).c_str());
  text += format("rms:        %s\n", decibels(s.rms).c_str());
  const double nsPerFrame = s.frames == 0 ? 0.0 : s.processingSeconds * 1e9 / s.frames;
  text += format("processing: %.4f s, %.1f ns per frame, realtime factor %.1f\n",
                 s.processingSeconds, nsPerFrame, s.realtimeFactor());
  if (s.clippedSamples > 0)
    text += format("warning:    %llu samples clipped at full scale\n",
                   static_cast<unsigned long long>(s.clippedSamples));
  if (s.nonFiniteSamples > 0)
    text += format("warning:    %llu samples were not finite and were written as 0\n",
                   static_cast<unsigned long long>(s.nonFiniteSamples));
  return text;
}
