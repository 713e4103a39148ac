// The value rules every stored parameter obeys.
#include <cmath>
#include <limits>

#include "gtest/gtest.h"
#include "params/ParamTable.h"

namespace {

TEST(Quantize, NonFiniteGivesZeroAndTheClampComesBeforeTheGrid) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (int steps : {0, 1, 6}) {
    EXPECT_EQ(quantize(nan, steps), 0.0);
    EXPECT_EQ(quantize(inf, steps), 0.0);
    EXPECT_EQ(quantize(-inf, steps), 0.0);
    EXPECT_EQ(quantize(-5.0, steps), 0.0);
    EXPECT_EQ(quantize(7.0, steps), 1.0);
  }
  EXPECT_EQ(quantize(0.3, 0), 0.3);
}

TEST(Quantize, HalvesRoundAwayFromZeroOnTheGrid) {
  EXPECT_EQ(quantize(0.5, 1), 1.0);
  EXPECT_EQ(quantize(0.49, 1), 0.0);
  EXPECT_EQ(quantize(0.55, 6), 0.5);
  EXPECT_EQ(quantize(0.59, 6), 4.0 / 6.0);
  EXPECT_EQ(quantize(0.25, 6), 2.0 / 6.0) << "1.5 steps rounds up to 2";
  for (int k = 0; k <= 6; ++k)
    EXPECT_EQ(quantize(k / 6.0, 6), k / 6.0);
}

TEST(PlainValue, MapsLinearlyAndRoundsSteppedRows) {
  EXPECT_DOUBLE_EQ(plainValue(kOutput, 0.8), -12.0);
  EXPECT_NEAR(plainValue(kAttack, 0.00266845), 10.0000131, 1e-6);
  EXPECT_NEAR(plainValue(kRelease, 0.055055), 279.999725, 1e-6);
  EXPECT_EQ(plainValue(kTranspose, 1.0 / 6.0), -2.0);
  EXPECT_EQ(plainValue(kTranspose, 0.55), 0.0) << "stepped rows show whole numbers";
  EXPECT_EQ(plainValue(kFineTune, std::numeric_limits<double>::quiet_NaN()), -100.0);
  EXPECT_EQ(plainValue(kFineTune, 2.0), 100.0);
  EXPECT_EQ(plainValue(16, 0.5), 0.0);
}

TEST(ParamTable, DefaultsLieOnTheirGrids) {
  for (const ParamDesc& d : kParamTable)
    EXPECT_EQ(quantize(d.defaultValue, d.steps), d.defaultValue);
}

}  // namespace
