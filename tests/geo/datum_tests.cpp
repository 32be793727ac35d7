#include <gtest/gtest.h>

#include <cmath>

#include "geo/datum.h"
#include "geo/dms.h"
#include "geo/map_units.h"

namespace geo {
namespace {

TEST(DatumTest, TokyoPointConvertsToWgs84AndShowsAsTheDeviceDoes) {
  float longitude = 0, latitude = 0;
  Bessel2WGS(LongitudeFromUnits(10800000), LatitudeFromUnits(4200000), longitude, latitude);
  EXPECT_NEAR(longitude, 134.99719, 5e-6);
  EXPECT_NEAR(latitude, 35.00325, 5e-6);

  Dms east = SplitDms(longitude);
  Dms north = SplitDms(latitude);
  EXPECT_EQ(east.degrees, 134);
  EXPECT_EQ(east.minutes, 59);
  EXPECT_EQ(SecondsText(east.seconds), "49.9");
  EXPECT_EQ(north.degrees, 35);
  EXPECT_EQ(north.minutes, 0);
  EXPECT_EQ(SecondsText(north.seconds), "11.7");
}

// On the main islands the shift lowers the longitude by about 8 to 14 seconds and raises
// the latitude by about 9 to 12 (Okinawa lies further off: about -7 and +15). The way
// back lands within a few single-precision steps and, truncated to map units, within
// two units of where it started.
TEST(DatumTest, ShiftSizeAndRoundTripAcrossJapan) {
  struct Case {
    int32_t x, y;
    double lon_min, lon_max, lat_min, lat_max;  // shift in seconds
  };
  const Case cases[] = {
      {10800000, 4200000, -14, -8, 8.5, 12.5},                                     // 135 E, 35 N
      {LongitudeToUnits(139.75f), LatitudeToUnits(35.6833f), -14, -8, 8.5, 12.5},  // Tokyo
      {LongitudeToUnits(141.35f), LatitudeToUnits(43.0667f), -14, -8, 8.5, 12.5},  // Sapporo
      {LongitudeToUnits(130.4f), LatitudeToUnits(33.5833f), -14, -8, 8.5, 12.5},   // Fukuoka
      {LongitudeToUnits(127.68f), LatitudeToUnits(26.21f), -8, -6, 14, 16},        // Naha
  };
  for (const Case& c : cases) {
    float tokyo_lon = LongitudeFromUnits(c.x), tokyo_lat = LatitudeFromUnits(c.y);
    float wgs_lon = 0, wgs_lat = 0;
    Bessel2WGS(tokyo_lon, tokyo_lat, wgs_lon, wgs_lat);
    double lon_shift = (wgs_lon - tokyo_lon) * 3600.0;
    double lat_shift = (wgs_lat - tokyo_lat) * 3600.0;
    EXPECT_GT(lon_shift, c.lon_min) << c.x;
    EXPECT_LT(lon_shift, c.lon_max) << c.x;
    EXPECT_GT(lat_shift, c.lat_min) << c.y;
    EXPECT_LT(lat_shift, c.lat_max) << c.y;

    float back_lon = 0, back_lat = 0;
    WGS2Bessel(wgs_lon, wgs_lat, back_lon, back_lat);
    EXPECT_NEAR(back_lon, tokyo_lon, 4 * (std::nextafter(tokyo_lon, 1000.0f) - tokyo_lon)) << c.x;
    EXPECT_NEAR(back_lat, tokyo_lat, 4 * (std::nextafter(tokyo_lat, 1000.0f) - tokyo_lat)) << c.y;
    int32_t back_x = LongitudeToUnits(back_lon), back_y = LatitudeToUnits(back_lat);
    EXPECT_LE(std::abs(back_x - c.x), 2) << c.x;
    EXPECT_LE(std::abs(back_y - c.y), 2) << c.y;
  }
}

TEST(DatumTest, FromTokyoBackToTheStartingUnitsOfTheDevice) {
  float wgs_lon = 0, wgs_lat = 0, back_lon = 0, back_lat = 0;
  Bessel2WGS(135.0f, 35.0f, wgs_lon, wgs_lat);
  WGS2Bessel(wgs_lon, wgs_lat, back_lon, back_lat);
  int32_t x = LongitudeToUnits(back_lon);
  int32_t y = LatitudeToUnits(back_lat);
  EXPECT_GE(x, 10800000 - 2);
  EXPECT_LE(x, 10800000);
  EXPECT_GE(y, 4200000 - 2);
  EXPECT_LE(y, 4200000 + 2);
}

// Above pi the longitude is wrapped for its sine and cosine only; the output wraps
// only when it passes 2 pi.
TEST(DatumTest, LongitudesBeyondHalfATurn) {
  struct Case {
    float longitude;
    float expected;
  };
  const Case cases[] = {{200.0f, 200.0f}, {370.0f, 10.0f}};
  for (const Case& c : cases) {
    float lon = 0, lat = 0;
    Bessel2WGS(c.longitude, 35.0f, lon, lat);
    EXPECT_NEAR(lon, c.expected, 0.01) << c.longitude;
    EXPECT_NEAR(lat, 35.0, 0.01) << c.longitude;
  }
}

}  // namespace
}  // namespace geo
