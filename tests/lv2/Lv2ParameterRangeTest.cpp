// Control ports as normalized parameters, as the validator's LV2 bridge reads and sets them.
#include "tools/lv2host/Lv2ParameterRange.h"

#include <gtest/gtest.h>

namespace {

Lv2Instrument::Control port(float minimum, float maximum) {
  Lv2Instrument::Control c;
  c.minimum = minimum;
  c.maximum = maximum;
  return c;
}

TEST(Lv2ParameterRange, SpansTheDeclaredRange) {
  const Lv2Instrument::Control output = port(-60.0f, 0.0f);
  EXPECT_EQ(plainOf(output, 0.0f), -60.0f);
  EXPECT_EQ(plainOf(output, 0.25f), -45.0f);
  EXPECT_EQ(plainOf(output, 1.0f), 0.0f);
  EXPECT_EQ(normalizedOf(output, -45.0f), 0.25f);
}

TEST(Lv2ParameterRange, ValuesOutsideTheRangeStopAtItsEnds) {
  const Lv2Instrument::Control level = port(0.0f, 100.0f);
  EXPECT_EQ(plainOf(level, -3.0f), 0.0f);
  EXPECT_EQ(plainOf(level, 7.0f), 100.0f);
  EXPECT_EQ(normalizedOf(level, 150.0f), 1.0f);
  EXPECT_EQ(normalizedOf(level, -1.0f), 0.0f);
  EXPECT_EQ(normalizedOf(port(5.0f, 5.0f), 5.0f), 0.0f);
}

TEST(Lv2ParameterRange, IntegerPortsTakeWholeValues) {
  Lv2Instrument::Control transpose = port(-3.0f, 3.0f);
  transpose.integer = true;
  EXPECT_EQ(plainOf(transpose, 0.6f), 1.0f);  // -3 + 0.6 * 6 = 0.6, to the nearest whole
  EXPECT_EQ(plainOf(transpose, 0.55f), 0.0f);
}

TEST(Lv2ParameterRange, ToggledPortsSwitchAtOneHalf) {
  Lv2Instrument::Control legato = port(0.0f, 1.0f);
  legato.toggled = true;
  EXPECT_EQ(plainOf(legato, 0.49f), 0.0f);
  EXPECT_EQ(plainOf(legato, 0.5f), 1.0f);
  EXPECT_EQ(plainOf(legato, 1.0f), 1.0f);
}

}  // namespace
