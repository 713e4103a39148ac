// Steps that many checks share: starting an instance, letting it ring out, hearing a note.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CheckContext;
class Subject;

constexpr double kStandardRate = 44100.0;
constexpr int32_t kStandardBlock = 512;
constexpr int kMiddleC = 60;

// Frames a release may take: the tail the plug-in reports (10 s when it reports none, at
// most 30 s), plus half a second.
int64_t releaseLimit(Subject& subject);

// The level below which output counts as silence: exactly 0 from strictness 8 on, -120 dB
// below that.
double silenceFloor(const CheckContext& context);

// Renders until the output is silent for a block; fails with `situation` when it still
// sounds after releaseLimit. Returns the frames it took, or -1.
int64_t expectSilence(CheckContext& context, Subject& subject, const std::string& situation);

// Plays `note` for `seconds` and fails with `situation` when nothing at all came out.
bool expectSound(CheckContext& context, Subject& subject, const std::string& situation,
                 int note = kMiddleC, double seconds = 0.2);

// Plays `phrase` on two fresh instances alike; when the two renderings differ, the
// instrument is not deterministic (noise, random excitation), comparisons of renderings
// prove nothing, and the check is skipped. Returns whether the comparison may go on.
struct Phrase;
bool comparable(CheckContext& context, const Phrase& phrase);

// Fails unless two renderings of the same input agree: to single-precision rounding when
// the battery is strict (7 and up), within 1e-4 of full scale when it is gentle.
void expectSameAudio(CheckContext& context, const std::vector<double>& reference,
                     const std::vector<double>& other, const std::string& what);

// Every parameter's value, as getParameter reports it.
std::vector<float> parameterValues(Subject& subject);
