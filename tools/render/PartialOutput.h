// The audio goes into "<output>.part", renamed to the output only when the render has
// succeeded: a failed render neither leaves a broken file behind nor destroys an earlier one.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/host/CrashGuard.h"

class PartialOutput {
 public:
  explicit PartialOutput(const std::string& path) : final_(path), partial_(path + ".part") {
    crashguard::setDiscardFile(partial_.c_str());
  }
  ~PartialOutput() {
    crashguard::setDiscardFile(nullptr);
    if (!committed_) std::remove(partial_.c_str());
  }
  const std::string& path() const { return partial_; }
  bool commit(std::string& error) {
    std::remove(final_.c_str());  // Windows does not rename onto an existing file
    if (std::rename(partial_.c_str(), final_.c_str()) != 0) {
      error = "cannot write " + final_ + ": " + std::strerror(errno);
      return false;
    }
    committed_ = true;
    return true;
  }

 private:
  std::string final_;
  std::string partial_;
  bool committed_ = false;
};
