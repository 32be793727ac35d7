#include "tools/sample_boundary.h"

#include "platform/text.h"
#include "tests/support/boundary_builder.h"
#include "tools/sample_orbis.h"
#include "tools/sample_places.h"

namespace sample_card {

std::string BuildSampleBoundaryFile() {
  testing_support::BoundaryFileBuilder file;
  file.origin_x = 9760000;  // 122 degrees east
  file.origin_y = 2400000;  // 20 degrees north
  file.coarse_shift = 8;
  file.fine_shift = 2;
  uint8_t prefecture_number = 0;
  uint16_t area_number = 0;
  for (const SampleArea& area : kSampleAreas) {
    std::u16string prefecture = platform::Utf8ToWide(area.prefecture);
    if (file.prefectures.empty() || file.prefectures.back().name != prefecture) {
      file.prefectures.push_back({prefecture, {}, ++prefecture_number});
    }
    MapUnits south_west = WgsToMapUnits(area.longitude - area.half_width, area.latitude - area.half_height);
    MapUnits north_east = WgsToMapUnits(area.longitude + area.half_width, area.latitude + area.half_height);
    testing_support::BoundaryArea record;
    record.name = platform::Utf8ToWide(area.municipality);
    record.outline =
        testing_support::RectangleOutline(south_west.x, south_west.y, north_east.x, north_east.y);
    record.number = ++area_number;
    file.prefectures.back().areas.push_back(record);
  }
  return file.Bytes();
}

}  // namespace sample_card
