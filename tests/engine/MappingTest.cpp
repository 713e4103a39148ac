// The engine's guard on normalized values follows the parameters' one rule at both ends, and
// its Legato reading is the one Legato predicate.
#include <cmath>
#include <limits>

#include "engine/ParamMapping.h"
#include "gtest/gtest.h"
#include "params/Legato.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Mapping, NonFiniteOrNegativeGivesTheLowEndAndAboveOneTheHighEnd) {
  for (double low : {kInf, -kInf, kNaN, -0.25, -1e-300}) {
    EXPECT_EQ(voice::guardedUnit(low), 0.0) << low;
    EXPECT_EQ(voice::attackSeconds(low), 0.002) << low;
    EXPECT_EQ(voice::outputGain(low), std::pow(10.0, -60.0 / 20.0)) << low;
  }
  for (double high : {1.0000001, 2.0, 1e300}) {
    EXPECT_EQ(voice::guardedUnit(high), 1.0) << high;
    EXPECT_DOUBLE_EQ(voice::releaseSeconds(high), 5.0) << high;
  }
  EXPECT_EQ(voice::guardedUnit(0.3), 0.3);
}

TEST(Mapping, LegatoReadsThroughTheOnePredicate) {
  for (double x : {kInf, -kInf, kNaN, -1.0, 0.0, 0.49, 0.5, 0.51, 1.0, 3.0})
    EXPECT_EQ(voice::legatoOn(x), legatoIsOn(x)) << x;
  EXPECT_FALSE(voice::legatoOn(kInf)) << "not finite is the low end: Off";
  EXPECT_TRUE(voice::legatoOn(0.5));
  EXPECT_FALSE(voice::legatoOn(0.49));
}

}  // namespace
