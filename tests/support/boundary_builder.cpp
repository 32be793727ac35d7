#include "tests/support/boundary_builder.h"

#include <algorithm>
#include <fstream>

namespace testing_support {
namespace {

void PutName(std::string& bytes, size_t offset, const std::u16string& name, size_t field_size) {
  for (size_t i = 0; i < name.size() && 2 * i + 1 < field_size; ++i) {
    BoundaryFileBuilder::PutU16(bytes, offset + 2 * i, name[i]);
  }
}

uint16_t CoarseCell(int32_t position, int32_t origin, int shift) {
  return static_cast<uint16_t>(static_cast<int32_t>(static_cast<uint32_t>(position) - origin) >> shift);
}

BoundaryBox BoxOf(const std::vector<BoundaryPoint>& outline, const BoundaryFileBuilder& file) {
  if (outline.empty()) return {};
  BoundaryBox box{0xFFFF, 0xFFFF, 0, 0};
  for (const BoundaryPoint& p : outline) {
    uint16_t cx = CoarseCell(p.x, file.origin_x, file.coarse_shift);
    uint16_t cy = CoarseCell(p.y, file.origin_y, file.coarse_shift);
    box.west = std::min(box.west, cx);
    box.east = std::max(box.east, cx);
    box.south = std::min(box.south, cy);
    box.north = std::max(box.north, cy);
  }
  return box;
}

}  // namespace

std::vector<BoundaryPoint> RectangleOutline(int32_t west, int32_t south, int32_t east, int32_t north) {
  return {{west, south}, {east, south}, {east, north}, {west, north}, {west, south}};
}

void BoundaryFileBuilder::PutU16(std::string& bytes, size_t offset, uint16_t value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

void BoundaryFileBuilder::PutU32(std::string& bytes, size_t offset, uint32_t value) {
  PutU16(bytes, offset, static_cast<uint16_t>(value & 0xFFFF));
  PutU16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

std::string BoundaryFileBuilder::Bytes() const {
  size_t area_total = 0, point_total = 0;
  for (const BoundaryPrefecture& prefecture : prefectures) {
    area_total += prefecture.areas.size();
    for (const BoundaryArea& area : prefecture.areas) point_total += area.outline.size();
  }
  std::string bytes(AreaOffset(area_total) + 4 * point_total, '\0');
  bytes.replace(0, std::min<size_t>(magic.size(), 4), magic.substr(0, 4));
  PutU32(bytes, 4, static_cast<uint32_t>(version));
  PutU32(bytes, 24, static_cast<uint32_t>(prefectures.size()));
  PutU32(bytes, 28, static_cast<uint32_t>(area_total));
  PutU32(bytes, 32, static_cast<uint32_t>(origin_x));
  PutU32(bytes, 36, static_cast<uint32_t>(origin_y));
  PutU32(bytes, 52, static_cast<uint32_t>(fine_shift));
  PutU32(bytes, 56, static_cast<uint32_t>(coarse_shift));

  size_t area_index = 0, point_index = 0;
  const size_t points_start = AreaOffset(area_total);
  for (size_t p = 0; p < prefectures.size(); ++p) {
    const BoundaryPrefecture& prefecture = prefectures[p];
    BoundaryBox union_box{0xFFFF, 0xFFFF, 0, 0};
    const size_t first_area = area_index;
    for (const BoundaryArea& area : prefecture.areas) {
      const BoundaryBox box = area.box ? *area.box : BoxOf(area.outline, *this);
      union_box = {std::min(union_box.west, box.west), std::min(union_box.south, box.south),
                   std::max(union_box.east, box.east), std::max(union_box.north, box.north)};
      const size_t offset = AreaOffset(area_index++);
      PutName(bytes, offset, area.name, 24);
      PutU16(bytes, offset + 24, area.number);
      PutU16(bytes, offset + 26, static_cast<uint16_t>(area.outline.size()));
      PutU16(bytes, offset + 28, box.west);
      PutU16(bytes, offset + 30, box.south);
      PutU16(bytes, offset + 32, box.east);
      PutU16(bytes, offset + 34, box.north);
      PutU32(bytes, offset + 36, static_cast<uint32_t>(point_index));
      const uint32_t west = static_cast<uint32_t>(origin_x) + (uint32_t{box.west} << coarse_shift);
      const uint32_t south = static_cast<uint32_t>(origin_y) + (uint32_t{box.south} << coarse_shift);
      for (const BoundaryPoint& point : area.outline) {
        const size_t at = points_start + 4 * point_index++;
        PutU16(bytes, at, static_cast<uint16_t>(static_cast<int32_t>(point.x - west) >> fine_shift));
        PutU16(bytes, at + 2, static_cast<uint16_t>(static_cast<int32_t>(point.y - south) >> fine_shift));
      }
    }
    if (prefecture.areas.empty()) union_box = {};
    const BoundaryBox box = prefecture.box ? *prefecture.box : union_box;
    const size_t offset = PrefectureOffset(p);
    PutName(bytes, offset, prefecture.name, 16);
    bytes[offset + 16] = static_cast<char>(prefecture.areas.size());
    bytes[offset + 17] = static_cast<char>(prefecture.number);
    PutU16(bytes, offset + 18, static_cast<uint16_t>(first_area));
    PutU16(bytes, offset + 20, box.west);
    PutU16(bytes, offset + 22, box.south);
    PutU16(bytes, offset + 24, box.east);
    PutU16(bytes, offset + 26, box.north);
  }
  return bytes;
}

bool BoundaryFileBuilder::WriteHostFile(const std::string& host_path, const std::string& bytes) {
  std::ofstream out(host_path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace testing_support
