#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geo/map_units.h"

namespace geo {
namespace {

TEST(MapUnitsTest, UnitsToDegrees) {
  EXPECT_EQ(LongitudeFromUnits(10800000), 135.0f);
  EXPECT_EQ(LatitudeFromUnits(4200000), 35.0f);
  EXPECT_EQ(LongitudeFromUnits(80000), 1.0f);
  EXPECT_FLOAT_EQ(LatitudeFromUnits(80000), 2.0f / 3.0f);  // 40 minutes
  EXPECT_EQ(LongitudeFromUnits(-80000), -1.0f);
}

TEST(MapUnitsTest, DegreesToUnitsTruncateTowardZero) {
  struct Case {
    float degrees;
    int32_t longitude_units, latitude_units;
  };
  const Case cases[] = {
      {135.0f, 10800000, 16200000},
      {35.0f, 2800000, 4200000},
      {35.000004f, 2800000, 4200000},  // 4200000.46 latitude units are truncated
      {0.0078125f, 625, 937},          // 937.5 latitude units
      {-0.0078125f, -625, -937},       // toward zero, not down
      {-0.00001f, 0, -1},
      {0.0f, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LongitudeToUnits(c.degrees), c.longitude_units) << c.degrees;
    EXPECT_EQ(LatitudeToUnits(c.degrees), c.latitude_units) << c.degrees;
  }
}

TEST(MapUnitsTest, NonsenseDegreesGiveDefinedUnits) {
  EXPECT_EQ(LongitudeToUnits(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(LongitudeToUnits(1e30f), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(LatitudeToUnits(-1e30f), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(LatitudeToUnits(std::numeric_limits<float>::infinity()), std::numeric_limits<int32_t>::max());
}

}  // namespace
}  // namespace geo
