// Saving and restoring the state chunk, and every class of malformed chunk.
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "gtest/gtest.h"
#include "tests/host/TestHost.h"

namespace {

std::vector<unsigned char> saveChunk(const TestPlugin& plugin) {
  void* data = nullptr;
  const intptr_t size = plugin.dispatch(effGetChunk, 0, 0, &data);
  if (size <= 0 || data == nullptr) return {};
  const auto* bytes = static_cast<const unsigned char*>(data);
  return std::vector<unsigned char>(bytes, bytes + size);
}

uint32_t u32At(const std::vector<unsigned char>& c, size_t offset) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<uint32_t>(c[offset + i]) << (8 * i);
  return v;
}

void putU32(std::vector<unsigned char>& c, size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    c.at(offset + i) = static_cast<unsigned char>(v >> (8 * i));
}

void putF64(std::vector<unsigned char>& c, size_t offset, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, 8);
  for (int i = 0; i < 8; ++i)
    c[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
}

double f64At(const std::vector<unsigned char>& c, size_t offset) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i)
    bits |= static_cast<uint64_t>(c[offset + i]) << (8 * i);
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

intptr_t restore(const TestPlugin& plugin, std::vector<unsigned char> chunk, intptr_t size) {
  return plugin.dispatch(effSetChunk, 0, size, chunk.data());
}

TEST(Chunk, FreshInstanceSavesItsDefaults) {
  TestPlugin plugin;
  EXPECT_EQ(plugin.dispatch(effGetChunk, 0, 0, nullptr), 0);
  const std::vector<unsigned char> c = saveChunk(plugin);
  ASSERT_EQ(c.size(), 148u);
  EXPECT_EQ(std::memcmp(c.data(), "BRQ2", 4), 0);
  EXPECT_EQ(u32At(c, 4), 2u);
  EXPECT_EQ(u32At(c, 8), 0u);
  EXPECT_EQ(u32At(c, 12), 16u);
  const double defaults[16] = {0.55, 0.3, 0.15, 0.00266845, 0.055055, 0.0, 0.5, 0.0,
                               0.25, 0.0, 0.5,  0.5,        0.8,      0.0, 1.0, 0.35};
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(f64At(c, 16 + 8 * i), defaults[i]) << i;
  EXPECT_EQ(u32At(c, 144), 0u);
}

TEST(Chunk, RestoreBringsBackValuesProgramAndName) {
  TestPlugin source;
  source.dispatch(effSetProgram, 0, 3);
  source.set(7, 0.9f);
  const std::vector<unsigned char> saved = saveChunk(source);

  TestPlugin target;
  target.dispatch(effSetProgramName, 0, 0, const_cast<char*>("mine"));
  EXPECT_EQ(restore(target, saved, 148), 1);
  EXPECT_EQ(target.allParams(), source.allParams());
  EXPECT_EQ(target.dispatch(effGetProgram), 3);
  EXPECT_EQ(target.text(effGetProgramName, 0, 24, nullptr), "Lantern");
  EXPECT_EQ(saveChunk(target), saved) << "a re-saved chunk is byte-identical";
}

TEST(Chunk, HandedOutBufferIsACopyOfTheState) {
  TestPlugin plugin;
  void* data = nullptr;
  plugin.dispatch(effGetChunk, 0, 0, &data);
  std::vector<unsigned char> first(static_cast<unsigned char*>(data),
                                   static_cast<unsigned char*>(data) + 148);
  plugin.set(0, 0.1f);
  EXPECT_EQ(std::memcmp(data, first.data(), 148), 0) << "the buffer changes only on request";
  EXPECT_NE(saveChunk(plugin), first);
}

TEST(Chunk, VersionOneIsAcceptedWithOriginalSkin) {
  TestPlugin plugin;
  std::vector<unsigned char> c = saveChunk(plugin);
  putU32(c, 144, 2);  // Silver
  ASSERT_EQ(restore(plugin, c, 148), 1);
  EXPECT_EQ(u32At(saveChunk(plugin), 144), 2u);

  std::vector<unsigned char> v1 = saveChunk(plugin);
  putU32(v1, 4, 1);
  putF64(v1, 16, 0.25);
  EXPECT_EQ(restore(plugin, v1, 148), 0) << "version 1 must be 144 bytes";
  v1.resize(144);
  EXPECT_EQ(restore(plugin, v1, 144), 1);
  EXPECT_EQ(plugin.get(0), 0.25f);
  EXPECT_EQ(u32At(saveChunk(plugin), 144), 0u) << "version 1 restores the Original skin";
}

TEST(Chunk, MalformedChunksAreRejectedWhole) {
  TestPlugin plugin;
  plugin.dispatch(effSetProgram, 0, 4);
  plugin.set(2, 0.42f);
  const std::vector<unsigned char> before = saveChunk(plugin);
  std::vector<unsigned char> good = before;
  putF64(good, 16, 0.9);  // a visible change that a wrongly accepted chunk would make

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
    intptr_t size;
  };
  std::vector<Case> cases;
  auto variant = [&](const char* what, auto&& change, intptr_t size = 148) {
    std::vector<unsigned char> c = good;
    change(c);
    cases.push_back({what, c, size});
  };
  auto none = [](std::vector<unsigned char>&) {};
  variant("size 147", none, 147);
  variant("size 149", none, 149);
  variant("size 0", none, 0);
  variant("size -148", none, -148);
  variant("version 2 at 144 bytes", none, 144);
  variant("magic", [](auto& c) { c[0] = 'b'; });
  variant("magic byte order", [](auto& c) { std::memcpy(c.data(), "2QRB", 4); });
  variant("version 0", [](auto& c) { putU32(c, 4, 0); });
  variant("version 3", [](auto& c) { putU32(c, 4, 3); });
  variant("program 5", [](auto& c) { putU32(c, 8, 5); });
  variant("program -1", [](auto& c) { putU32(c, 8, 0xFFFFFFFFu); });
  variant("count 15", [](auto& c) { putU32(c, 12, 15); });
  variant("count 17", [](auto& c) { putU32(c, 12, 17); });
  variant("skin 3", [](auto& c) { putU32(c, 144, 3); });
  variant("NaN", [&](auto& c) { putF64(c, 16 + 8 * 5, nan); });
  variant("+inf", [&](auto& c) { putF64(c, 16 + 8 * 15, inf); });
  variant("-inf", [&](auto& c) { putF64(c, 16 + 8 * 0, -inf); });
  variant("above 1", [](auto& c) { putF64(c, 16 + 8 * 3, 1.0000001); });
  variant("below 0", [](auto& c) { putF64(c, 16 + 8 * 3, -1e-300); });
  variant("one step above 1", [](auto& c) { putF64(c, 16 + 8 * 1, std::nextafter(1.0, 2.0)); });

  for (Case& c : cases) {
    EXPECT_EQ(restore(plugin, c.bytes, c.size), 0) << c.what;
    EXPECT_EQ(saveChunk(plugin), before) << c.what << " changed the state";
    EXPECT_EQ(plugin.text(effGetProgramName, 0, 24, nullptr), "Glide") << c.what;
  }
  EXPECT_EQ(plugin.dispatch(effSetChunk, 0, 148, nullptr), 0);
  EXPECT_EQ(saveChunk(plugin), before);
  EXPECT_EQ(restore(plugin, good, 148), 1) << "the unmodified chunk is fine";
}

TEST(Chunk, EndsOfTheRangeAndSteppedValues) {
  TestPlugin plugin;
  std::vector<unsigned char> c = saveChunk(plugin);
  putF64(c, 16 + 8 * 0, 1.0);
  putF64(c, 16 + 8 * 1, 0.0);
  putF64(c, 16 + 8 * 2, -0.0);
  putF64(c, 16 + 8 * 10, 0.55);
  ASSERT_EQ(restore(plugin, c, 148), 1);
  EXPECT_EQ(plugin.get(0), 1.0f);
  EXPECT_EQ(plugin.get(1), 0.0f);
  EXPECT_EQ(plugin.get(10), 0.5f) << "Transpose moves onto its step grid";
}

TEST(Chunk, UnalignedHostBufferIsReadByteWise) {
  TestPlugin source;
  source.set(0, 0.125f);
  source.dispatch(effSetProgram, 0, 1);
  source.set(5, 0.75f);
  const std::vector<unsigned char> saved = saveChunk(source);
  std::vector<unsigned char> shifted(saved.size() + 3);
  std::memcpy(shifted.data() + 3, saved.data(), saved.size());

  TestPlugin target;
  EXPECT_EQ(target.dispatch(effSetChunk, 0, 148, shifted.data() + 3), 1);
  EXPECT_EQ(target.allParams(), source.allParams());
}

}  // namespace
