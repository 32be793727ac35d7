#include "tools/sample_orbis.h"

#include <random>

#include "geo/datum.h"
#include "geo/map_units.h"
#include "platform/text.h"
#include "tests/support/orbis_builder.h"
#include "tools/sample_places.h"

namespace sample_card {
namespace {

constexpr int32_t kBaseX = 9760000;  // 122 degrees east
constexpr int32_t kBaseY = 2400000;  // 20 degrees north

// Adds a point at a WGS84 position, its fields counted in steps of 4 units from the base.
void AddPoint(testing_support::OrbisFileBuilder& file, int type, uint32_t serial, double longitude,
              double latitude, int road) {
  MapUnits units = WgsToMapUnits(longitude, latitude);
  file.Point(type, serial, static_cast<uint32_t>((units.x - kBaseX) / 4),
             static_cast<uint32_t>((units.y - kBaseY) / 4), road);
}

}  // namespace

MapUnits WgsToMapUnits(double longitude, double latitude) {
  float tokyo_longitude = 0;
  float tokyo_latitude = 0;
  geo::WGS2Bessel(static_cast<float>(longitude), static_cast<float>(latitude), tokyo_longitude,
                  tokyo_latitude);
  return {geo::LongitudeToUnits(tokyo_longitude), geo::LatitudeToUnits(tokyo_latitude)};
}

SampleOrbisFiles BuildSampleOrbis() {
  // A fixed seed: every run writes the same card.
  std::mt19937 random(20090703);
  auto jitter = [&random](double half) {
    return (static_cast<double>(random() % 20001) / 10000.0 - 1.0) * half;
  };

  testing_support::OrbisFileBuilder orbis;
  orbis.Base(kBaseX, kBaseY);
  for (int i = 0; i < kSampleOrbisRecords; ++i) {
    const SampleArea& area = kSampleAreas[i % kSampleAreas.size()];
    AddPoint(orbis, i % 22, static_cast<uint32_t>(i), area.longitude + jitter(area.half_width),
             area.latitude + jitter(area.half_height), 0);
  }

  testing_support::OrbisFileBuilder user;
  user.Base(kBaseX, kBaseY);
  testing_support::UserNameFileBuilder names;
  for (int i = 0; i < kSampleUserPoints; ++i) {
    const SampleLandmark& landmark = kSampleLandmarks[i];
    uint32_t serial = static_cast<uint32_t>(i + 1);
    int road = i % 5 == 4 ? 2 : i % 2;  // ordinary, expressway and now and then "All"
    AddPoint(user, 22, serial, landmark.longitude, landmark.latitude, road);
    // The rest stay unnamed, so the page names them after their municipality.
    if (i < kSampleNamedUserPoints) names.Name(22, serial, platform::Utf8ToWide(landmark.name));
  }
  for (int i = 0; i < kSampleOtherUserRecords; ++i) {
    const SampleLandmark& landmark = kSampleLandmarks[kSampleUserPoints + i % 2];
    AddPoint(user, i < 2 ? 23 : 24, static_cast<uint32_t>(i % 2 + 1), landmark.longitude + 0.01 * (i + 1),
             landmark.latitude, 0);
  }
  return {orbis.Bytes(), user.Bytes(), names.Bytes()};
}

}  // namespace sample_card
