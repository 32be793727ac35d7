#include "geo/map_units.h"

#include <cmath>
#include <limits>

namespace geo {

float LongitudeFromUnits(int32_t x) {
  return static_cast<float>(x * kLongitudeDegreesPerUnit);
}

float LatitudeFromUnits(int32_t y) {
  return static_cast<float>(y * kLatitudeDegreesPerUnit);
}

// The product of two floats is exact in double, so it is truncated as it really is:
// 35.0000038 degrees is 4200000.46 units and gives 4200000.
int32_t LongitudeToUnits(float degrees) {
  return TruncateToInt32(static_cast<double>(degrees) * kLongitudeUnitsPerDegree);
}

int32_t LatitudeToUnits(float degrees) {
  return TruncateToInt32(static_cast<double>(degrees) * kLatitudeUnitsPerDegree);
}

int32_t TruncateToInt32(long double value) {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<long double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  if (value >= static_cast<long double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(value);
}

}  // namespace geo
