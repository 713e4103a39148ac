// Read-out texts: units, decimals by row kind, Legato words, and conforming of bad values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editor/ValueText.h"
#include "params/ParamTable.h"

TEST(ValueText, DefaultsReadAsOnTheFace) {
  EXPECT_EQ(formatValueText(kSquare, 0.55).view(), "55.0 %");
  EXPECT_EQ(formatValueText(kAttack, kParamTable[kAttack].defaultValue).view(), "10.0 ms");
  EXPECT_EQ(formatValueText(kFineTune, 0.5).view(), "0.0 cent");
  EXPECT_EQ(formatValueText(kOutput, 0.8).view(), "-12.0 dB");
  EXPECT_EQ(formatValueText(kTranspose, 1.0 / 3.0).view(), "-1 oct");
  EXPECT_EQ(formatValueText(kTranspose, 0.5).view(), "0 oct");
}

TEST(ValueText, OutOfRangeAndNonFiniteAreConformed) {
  EXPECT_EQ(formatValueText(kRelease, 1.5).view(), "5000.0 ms");
  EXPECT_EQ(formatValueText(kOutput, -0.3).view(), "-60.0 dB");
  EXPECT_EQ(formatValueText(kOutput, std::numeric_limits<double>::quiet_NaN()).view(), "-60.0 dB");
  EXPECT_EQ(formatValueText(kVibratoRate, INFINITY).view(), "4.0 Hz");
}

TEST(ValueText, SteppedRowsNeverShowADecimalPoint) {
  for (int k = 0; k <= 6; ++k)
    EXPECT_EQ(formatValueText(kTranspose, k / 6.0).view().find('.'), std::string_view::npos);
  EXPECT_EQ(formatValueText(kTranspose, 0.0).view(), "-3 oct");
  EXPECT_EQ(formatValueText(kTranspose, 1.0).view(), "3 oct");
}

// The read-out follows the stored-value rule: a value that would be stored as on reads On.
TEST(ValueText, LegatoReadsOnOrOff) {
  EXPECT_EQ(formatValueText(kLegato, 1.0).view(), "On");
  EXPECT_EQ(formatValueText(kLegato, 0.0).view(), "Off");
  EXPECT_EQ(formatValueText(kLegato, 0.5).view(), "On");
  EXPECT_EQ(formatValueText(kLegato, 0.49).view(), "Off");
  EXPECT_EQ(formatValueText(kLegato, std::numeric_limits<double>::quiet_NaN()).view(), "Off");
}

TEST(ValueText, InvalidParameterGivesEmptyText) {
  EXPECT_EQ(formatValueText(16, 0.5).view(), "");
  EXPECT_EQ(formatValueText(-1, 0.5).view(), "");
}
