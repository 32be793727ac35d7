#include "geo/dms.h"

#include <cstdio>

#include "geo/map_units.h"

namespace geo {

Dms SplitDms(float value) {
  Dms dms;
  dms.degrees = TruncateToInt32(value);
  double minutes = (static_cast<double>(value) - dms.degrees) * 60;
  dms.minutes = TruncateToInt32(minutes);
  dms.seconds = static_cast<float>((minutes - dms.minutes) * 60);
  return dms;
}

float ApplyHalfSecondRule(float seconds) {
  return seconds > 0.5f && seconds < 0.6f ? 0.0f : seconds;
}

Dms SplitDmsHalfSecondRule(float value) {
  Dms dms = SplitDms(value);
  dms.seconds = ApplyHalfSecondRule(dms.seconds);
  return dms;
}

std::string SecondsText(float seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f", static_cast<double>(seconds));
  return text;
}

float ComposeDms(int degrees, int minutes, double seconds) {
  long double value = degrees + minutes * (1.0L / 60) + seconds * (1.0L / 3600);
  return static_cast<float>(value);
}

bool InValidArea(float longitude, float latitude) {
  return longitude >= kValidLongitudeMin && longitude <= kValidLongitudeMax &&
         latitude >= kValidLatitudeMin && latitude <= kValidLatitudeMax;
}

}  // namespace geo
