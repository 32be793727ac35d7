// Writes a prefecture boundary file (prefecture.mzb) from prefectures, areas and
// outlines given in map units. Boxes are worked out from the outlines unless a test
// sets them; every count and index is filled in, and tests that need a broken file
// patch the bytes afterwards (PutU16 / PutU32 at the record offsets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct BoundaryPoint {
  int32_t x = 0, y = 0;  // map units
};

// In coarse cells: west, south, east, north.
struct BoundaryBox {
  uint16_t west = 0, south = 0, east = 0, north = 0;
};

struct BoundaryArea {
  std::u16string name;
  std::vector<BoundaryPoint> outline;  // written as given; repeat the first point to close it
  uint16_t number = 0;
  std::optional<BoundaryBox> box = std::nullopt;
};

struct BoundaryPrefecture {
  std::u16string name;
  std::vector<BoundaryArea> areas;
  uint8_t number = 0;
  std::optional<BoundaryBox> box = std::nullopt;
};

// A closed rectangle outline, south-west corner first.
std::vector<BoundaryPoint> RectangleOutline(int32_t west, int32_t south, int32_t east, int32_t north);

class BoundaryFileBuilder {
 public:
  std::string magic = "DNBJ";
  int32_t version = 100;
  int32_t origin_x = 0, origin_y = 0;
  int32_t fine_shift = 0, coarse_shift = 8;
  std::vector<BoundaryPrefecture> prefectures;

  std::string Bytes() const;

  static constexpr size_t kHeaderSize = 60;
  static size_t PrefectureOffset(size_t index) { return kHeaderSize + 28 * index; }
  size_t AreaOffset(size_t index) const { return PrefectureOffset(prefectures.size()) + 40 * index; }

  static void PutU16(std::string& bytes, size_t offset, uint16_t value);
  static void PutU32(std::string& bytes, size_t offset, uint32_t value);
  static bool WriteHostFile(const std::string& host_path, const std::string& bytes);
};

}  // namespace testing_support
