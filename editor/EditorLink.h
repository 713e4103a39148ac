// What the editor needs of the instrument it edits: the stored values, the skin, the
// host's edit notifications and program loading. The plug-in implements it over its
// instance; the editor knows nothing else of the plug-in.
#pragma once

#include <cstdint>

class EditorLink {
 public:
  // The stored normalized value of parameter `id` (0..15), read whole.
  virtual double value(int32_t id) const = 0;
  // Stores an already conformed value, as one whole write.
  virtual void storeValue(int32_t id, double value) = 0;
  virtual int32_t skin() const = 0;
  virtual void exchangeSkin(int32_t skin) = 0;
  // The host notifications of an edit; their results are ignored.
  virtual void beginEdit(int32_t id) = 0;
  virtual void automate(int32_t id, double value) = 0;
  virtual void endEdit(int32_t id) = 0;
  virtual void updateDisplay() = 0;
  // Loads factory program `program` (0..4) with its name.
  virtual void loadProgram(int32_t program) = 0;

 protected:
  ~EditorLink() = default;
};
