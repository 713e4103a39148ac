// brisalonde-face-compare: paints the editor face with the cairo canvas and compares it with
// a picture of the same state taken from the Windows build (brisalonde-snapshot under wine).
//
//   brisalonde-face-compare [--appearance original|vintage|silver] [--program N]
//                           [--set ID=VALUE]... [--cairo OUT.png] [--difference OUT.png]
//                           [--max-share PERCENT] [--max-shift PIXELS] [WINDOWS.png]
//
// The state options are the snapshot's, --skin included as the older name of --appearance.
// Without a Windows picture only the cairo picture is written. With one, the tool reports the
// share of pixels away from text that differ by more than 16 levels in some channel, and for
// every text run how far its ink box lies from the Windows one; it fails when either exceeds
// its limit (5 % and 2 pixels by default).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/cairo/Utf8Text.h"
#include "tools/facecompare/FaceState.h"
#include "tools/facecompare/Picture.h"
#include "tools/facecompare/PictureDiff.h"
#include "tools/facecompare/TextFilterCanvas.h"
#include "tools/facecompare/TextInk.h"

namespace {

constexpr int32_t kLevelThreshold = 16;
// The text areas left out of the pixel count reach this far beyond the text.
constexpr int32_t kMaskMargin = 2;
// Windows ink is looked for this far around the cairo ink.
constexpr int32_t kSearchMargin = 4;

struct Options {
  FaceState state = defaultFaceState();
  std::string cairoOut;
  std::string differenceOut;
  std::string windows;
  double maxSharePercent = 5.0;
  int32_t maxShift = 2;
};

int usage(const std::string& message) {
  std::fprintf(
      stderr,
      "%s\nusage: brisalonde-face-compare [--appearance original|vintage|silver] [--program N] "
      "[--set ID=VALUE]... [--cairo OUT.png] [--difference OUT.png] "
      "[--max-share PERCENT] [--max-shift PIXELS] [WINDOWS.png]\n",
      message.c_str());
  return 2;
}

std::string parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if ((arg == "--appearance" || arg == "--skin" || arg == "--program" || arg == "--set") &&
        hasValue) {
      const std::string error = applyStateOption(options.state, arg, argv[++i]);
      if (!error.empty()) return error;
    } else if (arg == "--cairo" && hasValue) {
      options.cairoOut = argv[++i];
    } else if (arg == "--difference" && hasValue) {
      options.differenceOut = argv[++i];
    } else if (arg == "--max-share" && hasValue) {
      options.maxSharePercent = std::atof(argv[++i]);
    } else if (arg == "--max-shift" && hasValue) {
      options.maxShift = std::atoi(argv[++i]);
    } else if (!arg.empty() && arg[0] != '-' && options.windows.empty()) {
      options.windows = arg;
    } else {
      return "unexpected argument " + arg;
    }
  }
  return {};
}

struct TextAgreement {
  std::u16string text;
  InkBox windows;
  InkBox cairo;
  int32_t shift = 0;  // largest difference of the four box edges
  bool measured = false;
};

int32_t largestEdgeShift(const InkBox& a, const InkBox& b) {
  return std::max({std::abs(a.left - b.left), std::abs(a.top - b.top), std::abs(a.right - b.right),
                   std::abs(a.bottom - b.bottom)});
}

InkBox boxOf(RectI rect) {
  return InkBox{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
}

int compare(const Options& options, const CairoFonts& fonts, const Picture& cairo) {
  Picture windows;
  if (!loadPng(options.windows, windows)) {
    std::fprintf(stderr, "cannot read %s\n", options.windows.c_str());
    return 2;
  }
  if (windows.width != cairo.width || windows.height != cairo.height) {
    std::printf("FAIL: sizes differ: Windows %dx%d, cairo %dx%d\n", windows.width, windows.height,
                cairo.width, cairo.height);
    return 1;
  }
  const FaceState& state = options.state;
  const Picture textless = paintFace(state, fonts, TextFilterCanvas::kNoText);
  const std::vector<TextRun> runs = textRunsOf(state);
  TextMask mask(cairo.width, cairo.height);
  std::vector<TextAgreement> texts;
  for (size_t k = 0; k < runs.size(); ++k) {
    const TextRun& run = runs[k];
    const Picture alone = paintFace(state, fonts, static_cast<int32_t>(k));
    const InkBox drawn =
        changedBox(alone, textless, InkBox{0, 0, cairo.width - 1, cairo.height - 1});
    const InkBox area = grown(drawn, kSearchMargin);
    TextAgreement agreement;
    agreement.text = run.text;
    agreement.cairo = inkBox(cairo, textless, run.colour, area);
    agreement.windows = inkBox(windows, textless, run.colour, area);
    agreement.measured = !agreement.cairo.empty() && !agreement.windows.empty();
    if (agreement.measured) agreement.shift = largestEdgeShift(agreement.cairo, agreement.windows);
    texts.push_back(agreement);
    const InkBox covered = run.clipped ? boxOf(run.rect) : unite(drawn, agreement.windows);
    mask.cover(grown(covered, kMaskMargin));
  }

  const PixelAgreement pixels = comparePixels(windows, cairo, mask, kLevelThreshold);
  if (!options.differenceOut.empty() &&
      !savePng(options.differenceOut, differencePicture(windows, cairo, mask, kLevelThreshold))) {
    std::fprintf(stderr, "cannot write %s\n", options.differenceOut.c_str());
    return 2;
  }

  int32_t worstShift = 0;
  int32_t unmeasured = 0;
  int32_t withinTwo = 0;
  for (const TextAgreement& text : texts) {
    if (!text.measured) ++unmeasured;
    if (text.measured && text.shift <= 2) ++withinTwo;
    worstShift = std::max(worstShift, text.shift);
    if (text.shift > 1 || !text.measured) {
      std::printf("  text \"%s\": Windows ink (%d,%d)-(%d,%d), cairo (%d,%d)-(%d,%d)%s\n",
                  utf8FromUtf16(text.text).c_str(), text.windows.left, text.windows.top,
                  text.windows.right, text.windows.bottom, text.cairo.left, text.cairo.top,
                  text.cairo.right, text.cairo.bottom, text.measured ? "" : " (not measured)");
    }
  }
  const double sharePercent = 100.0 * pixels.differingShare();
  std::printf(
      "pixels away from text: %.2f %% of %lld differ by more than %d levels (limit %.1f %%)\n",
      sharePercent, static_cast<long long>(pixels.compared), kLevelThreshold,
      options.maxSharePercent);
  std::printf(
      "text runs: %zu, %d of them within 2 px, ink boxes at most %d px apart (limit %d)%s\n",
      texts.size(), withinTwo, worstShift, options.maxShift,
      unmeasured > 0 ? ", some not measured" : "");
  const bool pass =
      sharePercent < options.maxSharePercent && worstShift <= options.maxShift && unmeasured == 0;
  std::printf("%s\n", pass ? "OK" : "FAIL");
  return pass ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  const std::string error = parse(argc, argv, options);
  if (!error.empty()) return usage(error);
  const CairoFonts fonts;
  const Picture cairo = paintFace(options.state, fonts, kAllText);
  if (!options.cairoOut.empty() && !savePng(options.cairoOut, cairo)) {
    std::fprintf(stderr, "cannot write %s\n", options.cairoOut.c_str());
    return 2;
  }
  if (options.windows.empty()) return 0;
  return compare(options, fonts, cairo);
}
