// Degrees, minutes and seconds: the one way every page turns a value in degrees into
// its three fields and back, and the area in which a position is usable.
#pragma once

#include <string>

namespace geo {

struct Dms {
  int degrees = 0;
  int minutes = 0;
  float seconds = 0;
};

// d = v truncated, m = ((v - d) * 60) truncated, s = ((v - d) * 60 - m) * 60 held in a float.
Dms SplitDms(float value);

// As SplitDms, then seconds strictly between 0.5 and 0.6 become 0 (0.5 and 0.6 stay).
// The destination and waypoint page shows its points this way.
Dms SplitDmsHalfSecondRule(float value);

// The rule itself on a seconds value.
float ApplyHalfSecondRule(float seconds);

// The seconds text of a field: one decimal ("%.1f").
std::string SecondsText(float seconds);

// degrees + minutes / 60 + seconds / 3600 in extended precision, stored in a float.
float ComposeDms(int degrees, int minutes, double seconds);

inline constexpr float kValidLongitudeMin = 122;
inline constexpr float kValidLongitudeMax = 154;
inline constexpr float kValidLatitudeMin = 19;
inline constexpr float kValidLatitudeMax = 47;

// Longitude 122..154 and latitude 19..47 degrees, both ends included.
bool InValidArea(float longitude, float latitude);

}  // namespace geo
