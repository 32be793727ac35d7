// Map units: a stored position is two signed 32-bit integers in the Tokyo datum,
// x in 1/80000 degree of longitude (0.045 second) and y in 1/120000 degree of latitude
// (0.03 second). Degrees to units truncates toward zero.
#pragma once

#include <cstdint>

namespace geo {

// The device's factors, as extended-precision values.
inline constexpr long double kLongitudeDegreesPerUnit = 1.25e-5L;
inline constexpr long double kLatitudeDegreesPerUnit = 1.0L / 120000;
inline constexpr float kLongitudeUnitsPerDegree = 80000.0f;
inline constexpr float kLatitudeUnitsPerDegree = 120000.0f;

float LongitudeFromUnits(int32_t x);
float LatitudeFromUnits(int32_t y);
int32_t LongitudeToUnits(float degrees);
int32_t LatitudeToUnits(float degrees);

// Truncates toward zero to a 32-bit integer. Values beyond the range saturate and NaN
// gives 0, so a nonsense position never becomes undefined behaviour.
int32_t TruncateToInt32(long double value);

}  // namespace geo
