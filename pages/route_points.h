// The destination and the waypoint between block 0 of the route image and the six
// degree/minute/second texts the page shows for each of them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "card/route_file.h"
#include "geo/dms.h"
#include "pages/point_texts.h"

class CLog;

namespace pages {

// A point is present when its set flag is not 0 and its name is not empty.
bool RoutePointPresent(const card::AdbImage& image, card::RoutePoint point);

// The texts of a stored point: its Tokyo map units to degrees, to WGS84, each axis split
// with the half-second rule. Zeros when the point is absent or its Tokyo position lies
// outside the valid area. With a log, the destination's trace lines are written to it.
PointTexts StoredPointTexts(const card::AdbImage& image, card::RoutePoint point, CLog* trace);

// The six texts read back as the register reads them.
struct ComposedPoint {
  geo::Dms longitude_parts;
  geo::Dms latitude_parts;
  float longitude = 0;  // WGS84 degrees
  float latitude = 0;
};

// Degrees and minutes must be whole numbers; a seconds text that is not a number reads
// as 0. None when a degree or minute text is not a whole number. With a log, the
// destination's trace lines are written to it.
std::optional<ComposedPoint> ComposePointTexts(const PointTexts& texts, CLog* trace);

// What register stores in block 0 for one point.
struct PointToStore {
  bool in_area = false;  // false: stored absent (flag 0, 0, 0, empty name)
  int32_t x = 0;         // Tokyo map units
  int32_t y = 0;
  std::string name;  // code page 932
};

// Names an unnamed point from its map units (Tokyo): the place name of the boundary table.
using PlaceNamer = std::function<std::string(float x, float y)>;

// WGS84 to Tokyo, to map units truncated, the valid-area test on the WGS84 position as
// entered, and the typed name (UTF-16) or the place name when it is empty.
PointToStore PreparePointToStore(const ComposedPoint& point, std::u16string_view typed_name,
                                 const PlaceNamer& place_name);

// Writes the prepared point into block 0: flag 1, x, y and name, or the absent point.
void StorePoint(card::AdbImage& image, card::RoutePoint point, const PointToStore& stored);

// Clears a point in block 0: x 0, y 0, flag 0, empty name.
void ClearPoint(card::AdbImage& image, card::RoutePoint point);

}  // namespace pages
