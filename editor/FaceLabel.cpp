// The module's face label, VST 2's unless the module says otherwise.
#include "editor/FaceLabel.h"

#include <atomic>

namespace {

std::atomic<const char*> label{"VST2 / 1.2"};

}  // namespace

const char* faceLabel() {
  return label.load(std::memory_order_relaxed);
}

void setFaceLabel(const char* text) {
  if (text != nullptr) label.store(text, std::memory_order_relaxed);
}
