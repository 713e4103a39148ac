// Identity, capabilities, sample rate, events and the opcodes that do nothing.
#include <cmath>
#include <cstring>
#include <limits>

#include "gtest/gtest.h"
#include "tests/host/TestHost.h"
#include "tools/host/EventBlock.h"

namespace {

TEST(Dispatcher, UnlistedOpcodesAnswerZeroAndChangeNothing) {
  TestPlugin plugin;
  plugin.set(3, 0.4f);
  const std::vector<float> before = plugin.allParams();
  char buffer[256] = {};
  for (int32_t opcode :
       {0,  9,  11, 16, 17, 18, 19, 20, 21, 22, 28, 30, 31, 32, 33, 36, 40,   44, 46,
        50, 53, 54, 55, 56, 57, 59, 60, 63, 66, 69, 70, 73, 76, 79, 80, 1000, -1, INT32_MIN}) {
    EXPECT_EQ(plugin.dispatch(opcode, 1, 1, buffer, 1.0f), 0) << "opcode " << opcode;
  }
  EXPECT_EQ(plugin.allParams(), before);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
  EXPECT_EQ(plugin.dispatch(effGetTailSize), 224909);
}

TEST(Dispatcher, NamesFillTheirConventionalBuffersWithZeros) {
  TestPlugin plugin;
  struct Case {
    int32_t opcode;
    size_t size;
    const char* text;
  };
  for (Case c : {Case{effGetEffectName, 32, "Brisalonde VST2"},
                 Case{effGetVendorString, 64, "Brisalonde DSP"},
                 Case{effGetProductString, 64, "Brisalonde"}}) {
    GuardedBuffer buffer(c.size);
    std::memset(buffer.data(), 'x', c.size);
    EXPECT_EQ(plugin.dispatch(c.opcode, 0, 0, buffer.data()), 1);
    EXPECT_STREQ(buffer.data(), c.text);
    for (size_t i = std::strlen(c.text); i < c.size; ++i)
      EXPECT_EQ(buffer.data()[i], 0) << "byte " << i << " of opcode " << c.opcode;
    EXPECT_TRUE(buffer.guardsIntact());
    EXPECT_EQ(plugin.dispatch(c.opcode, 0, 0, nullptr), 1);
  }
}

TEST(Dispatcher, ConstantAnswers) {
  TestPlugin plugin;
  EXPECT_EQ(plugin.dispatch(effGetVendorVersion), 10200);
  EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(plugin.dispatch(effGetPlugCategory), 2);
  EXPECT_EQ(plugin.dispatch(effGetNumMidiInputChannels), 16);
  EXPECT_EQ(plugin.dispatch(effSetProcessPrecision, 0, 0), 1);
  EXPECT_EQ(plugin.dispatch(effSetProcessPrecision, 0, 1), 1);
  EXPECT_EQ(plugin.dispatch(effSetProcessPrecision, 0, 2), 0);
  EXPECT_EQ(plugin.dispatch(effSetProcessPrecision, 0, -1), 0);
}

TEST(Dispatcher, CanDoIsExactAndCaseSensitive) {
  TestPlugin plugin;
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstEvents")), 1);
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstMidiEvent")), 1);
  for (const char* other : {"ReceiveVstEvents", "receiveVstEvents ", "sendVstEvents",
                            "sendVstMidiEvent", "receiveVstTimeInfo", "bypass", ""}) {
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(other)), 0) << other;
  }
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST(Dispatcher, OutputPinsDescribeOneStereoPair) {
  TestPlugin plugin;
  VstPinProperties pin;
  std::memset(&pin, 0x5A, sizeof pin);
  ASSERT_EQ(plugin.dispatch(effGetOutputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Left");
  EXPECT_EQ(pin.flags, 3);
  EXPECT_EQ(pin.arrangementType, 1);
  EXPECT_EQ(pin.shortLabel[0], 0);
  for (char c : pin.future)
    EXPECT_EQ(c, 0) << "the record is zeroed";
  ASSERT_EQ(plugin.dispatch(effGetOutputProperties, 1, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Right");
  EXPECT_EQ(pin.flags, 1);
  EXPECT_EQ(pin.arrangementType, 1);
  EXPECT_EQ(plugin.dispatch(effGetOutputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(plugin.dispatch(effGetOutputProperties, -1, 0, &pin), 0);
  EXPECT_EQ(plugin.dispatch(effGetOutputProperties, 0, 0, nullptr), 0);
  EXPECT_EQ(plugin.dispatch(effGetInputProperties, 0, 0, &pin), 0);
}

TEST(Dispatcher, EditorRectangleIsAvailableBeforeOpening) {
  TestPlugin plugin;
  ERect* rect = nullptr;
  ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 530);
  EXPECT_EQ(rect->right, 860);
  EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, nullptr), 0);
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, nullptr), 0);
  EXPECT_EQ(plugin.dispatch(effEditClose), 0);
  EXPECT_EQ(plugin.dispatch(effEditIdle), 0);
}

TEST(Dispatcher, SampleRateSetsTheTailAndOutOfRangeRatesAreIgnored) {
  TestPlugin plugin;
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(plugin.dispatch(effGetTailSize), 244799);
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  EXPECT_EQ(plugin.dispatch(effGetTailSize), 489599);
  for (float bad :
       {4000.0f, 7999.0f, 768001.0f, 1000000.0f, 0.0f, -44100.0f,
        std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, bad);
    EXPECT_EQ(plugin.dispatch(effGetTailSize), 489599) << bad;
  }
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 8000.0f);
  EXPECT_EQ(plugin.dispatch(effGetTailSize), 40800);
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 768000.0f);
  EXPECT_EQ(plugin.dispatch(effGetTailSize), 3916799);
}

TEST(Dispatcher, EventBlocksAreTakenOrRefusedWhole) {
  TestPlugin plugin;
  EventBlock empty;
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, empty.events()), 1);
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, nullptr), 0);

  EventBlock tooMany;
  for (int i = 0; i < 4097; ++i)
    tooMany.add(i, 0x90, 60, 100);
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, tooMany.events()), 0);

  EventBlock negative;
  negative.add(0, 0x90, 60, 100);
  VstEvents* block = negative.events();
  block->numEvents = -1;
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, block), 0);

  EventBlock full;
  for (int i = 0; i < 4096; ++i)
    full.add(i, 0x90, 60, 100);
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, full.events()), 1);
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, full.events()), 1) << "excess is dropped";
}

TEST(Dispatcher, ResetsAnswerAsHostsExpect) {
  TestPlugin plugin;
  EXPECT_EQ(plugin.dispatch(effMainsChanged, 0, 1), 0);
  EXPECT_EQ(plugin.dispatch(effMainsChanged, 0, 0), 0);
  EXPECT_EQ(plugin.dispatch(effStartProcess), 1);
  EXPECT_EQ(plugin.dispatch(effStopProcess), 1);
  EXPECT_EQ(plugin.dispatch(effOpen), 0);
  EXPECT_EQ(plugin.dispatch(effSetBlockSize, 0, 512), 0);
}

// Null outputs are skipped, yet the voice goes on: an instance that rendered the same frames
// with nowhere to put them sounds, from then on, exactly like one that wrote them out. A
// negative or zero frame count moves nothing.
TEST(Dispatcher, ProcessingWithoutOutputsIsSafe) {
  constexpr int kFrames = 64;
  TestPlugin silent;
  TestPlugin heard;
  EventBlock note;
  note.add(3, 0x90, 60, 100);
  for (TestPlugin* plugin : {&silent, &heard})
    ASSERT_EQ(plugin->dispatch(effProcessEvents, 0, 0, note.events()), 1);

  float left[kFrames] = {};
  float right[kFrames] = {};
  float* outputs[2] = {left, nullptr};
  double doubleLeft[kFrames] = {};
  double* doubles[2] = {nullptr, doubleLeft};
  AEffect* e = silent.effect();
  e->processReplacing(e, nullptr, nullptr, kFrames);
  e->processReplacing(e, nullptr, outputs, kFrames);
  outputs[1] = right;
  e->processReplacing(e, nullptr, outputs, -5);
  e->processReplacing(e, nullptr, outputs, 0);
  e->processDoubleReplacing(e, nullptr, doubles, kFrames);
  e->process(e, nullptr, nullptr, kFrames);

  float heardLeft[kFrames];
  float heardRight[kFrames];
  float* heardOutputs[2] = {heardLeft, heardRight};
  for (int block = 0; block < 4; ++block)
    heard.effect()->processReplacing(heard.effect(), nullptr, heardOutputs, kFrames);

  e->processReplacing(e, nullptr, outputs, kFrames);
  heard.effect()->processReplacing(heard.effect(), nullptr, heardOutputs, kFrames);
  EXPECT_NE(heardLeft[kFrames - 1], 0.0f) << "the note sounds";
  for (int j = 0; j < kFrames; ++j) {
    ASSERT_EQ(left[j], heardLeft[j]) << "frame " << j;
    ASSERT_EQ(right[j], heardRight[j]) << "frame " << j;
  }
}

}  // namespace
