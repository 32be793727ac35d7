#include "pages/route_points.h"

#include <string>

#include "geo/datum.h"
#include "geo/map_units.h"
#include "log/log.h"
#include "pages/number_text.h"
#include "platform/text.h"

namespace pages {

bool RoutePointPresent(const card::AdbImage& image, card::RoutePoint point) {
  return card::RouteSetFlag(image, point) != 0 && !card::RouteName(image, point).empty();
}

PointTexts StoredPointTexts(const card::AdbImage& image, card::RoutePoint point, CLog* trace) {
  const int32_t x = card::RouteX(image, point);
  const int32_t y = card::RouteY(image, point);
  const float longitude = geo::LongitudeFromUnits(x);
  const float latitude = geo::LatitudeFromUnits(y);
  float wgs_longitude = 0;
  float wgs_latitude = 0;
  geo::Bessel2WGS(longitude, latitude, wgs_longitude, wgs_latitude);
  if (trace) {
    trace->Trace("m_pntDes.x : %f, m_pntDes.y : %f \n", static_cast<double>(x), static_cast<double>(y));
    trace->Trace("%f, %f \n", longitude, latitude);
    trace->Trace("Bessel2WGS, %f, %f \n", wgs_longitude, wgs_latitude);
  }
  // The stored point is judged by its Tokyo position, as the device keeps it.
  if (!geo::InValidArea(longitude, latitude) || !RoutePointPresent(image, point)) return AbsentPointTexts();
  const geo::Dms lon = geo::SplitDmsHalfSecondRule(wgs_longitude);
  const geo::Dms lat = geo::SplitDmsHalfSecondRule(wgs_latitude);
  if (trace) {
    trace->Trace("nDeg1 : %d, nMin1 : %d , nSec1 : %f\n", lat.degrees, lat.minutes, lat.seconds);
    trace->Trace("nDeg2 : %d, nMin2 : %d , nSec2 : %f\n", lon.degrees, lon.minutes, lon.seconds);
  }
  return {TextsOfDms(lon), TextsOfDms(lat)};
}

std::optional<ComposedPoint> ComposePointTexts(const PointTexts& texts, CLog* trace) {
  const std::optional<int> lon_degrees = ReadWholeNumber(texts.longitude.degrees);
  const std::optional<int> lon_minutes = ReadWholeNumber(texts.longitude.minutes);
  const std::optional<int> lat_degrees = ReadWholeNumber(texts.latitude.degrees);
  const std::optional<int> lat_minutes = ReadWholeNumber(texts.latitude.minutes);
  if (!lon_degrees || !lon_minutes || !lat_degrees || !lat_minutes) return std::nullopt;

  const double lon_seconds = ReadLeadingDecimal(texts.longitude.seconds);
  const double lat_seconds = ReadLeadingDecimal(texts.latitude.seconds);
  ComposedPoint point;
  point.longitude_parts = {*lon_degrees, *lon_minutes, static_cast<float>(lon_seconds)};
  point.latitude_parts = {*lat_degrees, *lat_minutes, static_cast<float>(lat_seconds)};
  const geo::Dms& lon = point.longitude_parts;
  const geo::Dms& lat = point.latitude_parts;
  if (trace) {
    trace->Trace("nDeg1 : %d, nMin1 : %d , nSec1 : %f\n", lat.degrees, lat.minutes, lat.seconds);
    trace->Trace("nDeg2 : %d, nMin2 : %d , nSec2 : %f\n", lon.degrees, lon.minutes, lon.seconds);
    trace->Trace("nDeg2 :  %d  nMin2 :%d nSec2 :%.1f \n nDeg1 : %d nMin1 : %d nSec1 : %.1f\n", lon.degrees,
                 lon.minutes, lon.seconds, lat.degrees, lat.minutes, lat.seconds);
  }
  point.longitude = geo::ComposeDms(lon.degrees, lon.minutes, lon_seconds);
  point.latitude = geo::ComposeDms(lat.degrees, lat.minutes, lat_seconds);
  if (trace) trace->Trace("%f %f\n", point.longitude, point.latitude);
  return point;
}

PointToStore PreparePointToStore(const ComposedPoint& point, std::u16string_view typed_name,
                                 const PlaceNamer& place_name) {
  float tokyo_longitude = 0;
  float tokyo_latitude = 0;
  geo::WGS2Bessel(point.longitude, point.latitude, tokyo_longitude, tokyo_latitude);
  PointToStore stored;
  // The entered position is judged in WGS84, as the user typed it.
  if (!geo::InValidArea(point.longitude, point.latitude)) return stored;
  stored.in_area = true;
  stored.x = geo::LongitudeToUnits(tokyo_longitude);
  stored.y = geo::LatitudeToUnits(tokyo_latitude);
  if (typed_name.empty()) {
    if (place_name) stored.name = place_name(static_cast<float>(stored.x), static_cast<float>(stored.y));
  } else {
    stored.name = platform::WideToAnsi(typed_name);
  }
  return stored;
}

void StorePoint(card::AdbImage& image, card::RoutePoint point, const PointToStore& stored) {
  if (!stored.in_area) {
    ClearPoint(image, point);
    return;
  }
  card::SetRouteX(image, point, stored.x);
  card::SetRouteY(image, point, stored.y);
  card::SetRouteName(image, point, stored.name);
  card::SetRouteSetFlag(image, point, 1);
}

void ClearPoint(card::AdbImage& image, card::RoutePoint point) {
  card::SetRouteX(image, point, 0);
  card::SetRouteY(image, point, 0);
  card::SetRouteSetFlag(image, point, 0);
  card::SetRouteName(image, point, "");
}

}  // namespace pages
