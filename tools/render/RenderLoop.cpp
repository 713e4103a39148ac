// The shared block loop and output of a render.
#include "tools/render/RenderLoop.h"

#include <algorithm>
#include <cstdio>

#include "tools/render/PartialOutput.h"
#include "tools/render/ProgressBar.h"

bool playAndWrite(const RenderOptions& options, RenderSummary& summary, const RenderSteps& steps,
                  std::string& error) {
  if (summary.seconds() > options.maxSeconds) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "the render would last %.1f s, more than the %.0f s allowed "
                  "(--max-length)",
                  summary.seconds(), options.maxSeconds);
    error = options.midiPath + ": " + text;
    return false;
  }
  const uint64_t dataBytes = summary.frames * static_cast<uint64_t>(summary.channels) *
                             WavWriter::bytesPerSample(options.format);
  if (dataBytes > WavWriter::kMaxDataBytes) {
    error =
        "cannot write " + options.outputPath + ": the audio exceeds the 4 GiB a WAV file can hold";
    return false;
  }

  PartialOutput output(options.outputPath);  // outlives the writer, which closes it first
  WavWriter writer;
  const auto writeFailed = [&] {
    error = "cannot write " + options.outputPath + ": " + writer.reason();
    return false;
  };
  if (!writer.open(output.path(), summary.channels, options.sampleRate, options.format))
    return writeFailed();

  RenderSink sink(writer);
  ProgressBar progress(!options.quiet);
  steps.start();
  for (uint64_t done = 0; done < summary.frames;) {
    const auto frames =
        static_cast<int32_t>(std::min<uint64_t>(options.blockSize, summary.frames - done));
    if (!steps.block(done, frames, sink)) return writeFailed();
    done += static_cast<uint64_t>(frames);
    progress.update(done, summary.frames);
  }
  if (!steps.finish(error)) return false;
  if (!writer.close()) return writeFailed();
  if (!output.commit(error)) return false;
  summary.peak = sink.meter().peak();
  summary.rms = sink.meter().rms();
  summary.processingSeconds = sink.processingSeconds();
  summary.clippedSamples = writer.clippedSamples();
  summary.nonFiniteSamples = writer.nonFiniteSamples();
  return true;
}
