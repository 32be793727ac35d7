// Prefecture and municipality boundaries from the card's prefecture.mzb: which area
// contains a position, and the place name it yields for an unnamed point.
//
// The file (little-endian): a 60-byte header ("DNBJ", version 100, counts, origin in map
// units, fine and coarse shifts), prefecture records of 28 bytes, area records of 40
// bytes, then outline points of 4 bytes (east and north in fine steps from the south-west
// corner of the area's box). Boxes are in coarse cells.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace geo {

class CBoundary {
 public:
  static constexpr int32_t kVersion = 100;
  static constexpr size_t kHeaderSize = 60;
  static constexpr size_t kPrefectureRecordSize = 28;
  static constexpr size_t kAreaRecordSize = 40;
  static constexpr size_t kPointSize = 4;
  // A lookup closer than this on both axes to the last one found answers from it.
  static constexpr int64_t kCacheDistance = 500;
  // The remembered names are held in buffers of these sizes (code page 932 and a
  // terminator); longer names are cut to fit.
  static constexpr size_t kPrefectureNameBuffer = 16;
  static constexpr size_t kAreaNameBuffer = 24;

  // Reads the file (without sharing). False, and nothing loaded, when it is missing, has
  // the wrong magic or version, or its tables do not fit the file.
  bool Load(platform::FileSystem& files, std::string_view path);
  // The same from the file's bytes.
  bool LoadImage(std::string_view image);
  void Unload();
  bool IsLoaded() const { return loaded_; }

  // Position in map units (Tokyo datum). On success the output text follows the name
  // rule with the length limit: prefecture and area joined (or the area in
  // second_output when given) if they fit, otherwise the area alone (second_output then
  // empty). Not found: both outputs emptied, false. Nothing loaded: false, outputs left
  // as they are.
  bool Lookup(float x, float y, std::string* output, std::string* second_output, int limit);

  // How many records the load skipped because they reach outside the file.
  int SkippedPrefectures() const { return skipped_prefectures_; }
  int SkippedAreas() const { return skipped_areas_; }

 private:
  struct Box {
    uint16_t west = 0, south = 0, east = 0, north = 0;
    bool Contains(uint16_t x, uint16_t y) const { return west <= x && x <= east && south <= y && y <= north; }
  };
  struct Name {
    std::string ansi;   // code page 932
    size_t length = 0;  // in UTF-16 characters
  };
  struct Prefecture {
    Name name;
    Box box;
    uint32_t first_area = 0;
    uint32_t area_count = 0;
  };
  struct Area {
    Name name;
    Box box;
    uint32_t first_point = 0;
    uint32_t point_count = 0;
    bool usable = false;
  };
  struct Point {
    uint16_t east, north;
  };

  bool Contains(const Area& area, uint16_t px, uint16_t py) const;
  void WriteOutput(std::string* output, std::string* second_output, int limit) const;

  bool loaded_ = false;
  int32_t origin_x_ = 0, origin_y_ = 0;
  int fine_shift_ = 0, coarse_shift_ = 0;
  std::vector<Prefecture> prefectures_;
  std::vector<Area> areas_;
  std::vector<Point> points_;
  int skipped_prefectures_ = 0, skipped_areas_ = 0;

  // The one-entry cache: the last position found and its names.
  int32_t last_x_ = -1, last_y_ = -1;
  Name last_prefecture_, last_area_;
};

}  // namespace geo
