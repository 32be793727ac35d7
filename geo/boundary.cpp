#include "geo/boundary.h"

#include <cstdlib>
#include <cstring>
#include <optional>

#include "geo/map_units.h"
#include "platform/text.h"

namespace geo {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  // Callers check the range first; these never read outside the image.
  uint8_t U8(size_t offset) const { return static_cast<uint8_t>(bytes_[offset]); }
  uint16_t U16(size_t offset) const { return static_cast<uint16_t>(U8(offset) | U8(offset + 1) << 8); }
  uint32_t U32(size_t offset) const { return U16(offset) | static_cast<uint32_t>(U16(offset + 2)) << 16; }
  int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }

  // A UTF-16LE name that ends at its NUL or at the end of its field.
  std::u16string Utf16(size_t offset, size_t field_size) const {
    std::u16string name;
    for (size_t i = 0; i + 1 < field_size; i += 2) {
      char16_t c = U16(offset + i);
      if (c == 0) break;
      name += c;
    }
    return name;
  }

 private:
  std::string_view bytes_;
};

// Drops characters from the end until the code page 932 text fits buffer_size with its
// terminator; never leaves half a surrogate pair.
std::u16string CutToFit(std::u16string name, size_t buffer_size) {
  while (!name.empty() && platform::WideToAnsi(name).size() + 1 > buffer_size) {
    name.pop_back();
    if (!name.empty() && name.back() >= 0xD800 && name.back() <= 0xDBFF) name.pop_back();
  }
  return name;
}

// 32-bit wrapping arithmetic as the device does it, then an arithmetic shift kept to 16 bits.
uint16_t Cell(int32_t position, int32_t origin, uint32_t box_start, int shift) {
  uint32_t offset = static_cast<uint32_t>(position) - static_cast<uint32_t>(origin) - box_start;
  return static_cast<uint16_t>(static_cast<int32_t>(offset) >> shift);
}

}  // namespace

void CBoundary::Unload() {
  loaded_ = false;
  origin_x_ = origin_y_ = 0;
  fine_shift_ = coarse_shift_ = 0;
  prefectures_.clear();
  areas_.clear();
  points_.clear();
  skipped_prefectures_ = skipped_areas_ = 0;
  last_x_ = last_y_ = -1;
  last_prefecture_ = {};
  last_area_ = {};
}

bool CBoundary::Load(platform::FileSystem& files, std::string_view path) {
  Unload();
  platform::File file =
      files.Open(path, platform::Access::Read, platform::Share::None, platform::Disposition::OpenExisting);
  if (!file.IsOpen()) return false;

  auto read_up_to = [&file](std::string& bytes, size_t want) {
    size_t start = bytes.size();
    bytes.resize(start + want);
    size_t total = 0;
    while (total < want) {
      size_t done = 0;
      if (!file.Read(bytes.data() + start + total, want - total, &done) || done == 0) break;
      total += done;
    }
    bytes.resize(start + total);
    return total == want;
  };

  std::string image;
  if (!read_up_to(image, kHeaderSize)) return false;
  Reader header(image);
  if (std::memcmp(image.data(), "DNBJ", 4) != 0 || header.I32(4) != kVersion) return false;
  std::optional<uint64_t> size = file.Size();
  if (!size || *size < kHeaderSize) return false;
  // The rest of the file; a read that comes up short leaves a shorter image, which the
  // checks below judge like a shorter file.
  read_up_to(image, static_cast<size_t>(*size - kHeaderSize));
  return LoadImage(image);
}

bool CBoundary::LoadImage(std::string_view image) {
  Unload();
  if (image.size() < kHeaderSize) return false;
  Reader in(image);
  if (std::memcmp(image.data(), "DNBJ", 4) != 0 || in.I32(4) != kVersion) return false;
  const int32_t prefecture_count = in.I32(24);
  const int32_t area_count = in.I32(28);
  const int32_t fine_shift = in.I32(52);
  const int32_t coarse_shift = in.I32(56);
  if (prefecture_count < 0 || area_count < 0) return false;
  if (fine_shift < 0 || fine_shift > 31 || coarse_shift < 0 || coarse_shift > 31) return false;
  const uint64_t areas_start = kHeaderSize + uint64_t{kPrefectureRecordSize} * prefecture_count;
  const uint64_t points_start = areas_start + uint64_t{kAreaRecordSize} * area_count;
  if (points_start > image.size()) return false;

  origin_x_ = in.I32(32);
  origin_y_ = in.I32(36);
  fine_shift_ = fine_shift;
  coarse_shift_ = coarse_shift;

  const size_t point_count = (image.size() - points_start) / kPointSize;
  points_.resize(point_count);
  for (size_t i = 0; i < point_count; ++i) {
    const size_t offset = points_start + i * kPointSize;
    points_[i] = {in.U16(offset), in.U16(offset + 2)};
  }

  areas_.resize(area_count);
  for (int32_t i = 0; i < area_count; ++i) {
    const size_t offset = areas_start + i * kAreaRecordSize;
    Area& area = areas_[i];
    std::u16string name = CutToFit(in.Utf16(offset, 24), kAreaNameBuffer);
    area.name = {platform::WideToAnsi(name), name.size()};
    area.point_count = in.U16(offset + 26);
    area.box = {in.U16(offset + 28), in.U16(offset + 30), in.U16(offset + 32), in.U16(offset + 34)};
    area.first_point = in.U32(offset + 36);
    area.usable = uint64_t{area.first_point} + area.point_count <= point_count;
    if (!area.usable) ++skipped_areas_;
  }

  prefectures_.reserve(prefecture_count);
  for (int32_t i = 0; i < prefecture_count; ++i) {
    const size_t offset = kHeaderSize + i * kPrefectureRecordSize;
    Prefecture prefecture;
    std::u16string name = CutToFit(in.Utf16(offset, 16), kPrefectureNameBuffer);
    prefecture.name = {platform::WideToAnsi(name), name.size()};
    prefecture.area_count = in.U8(offset + 16);
    prefecture.first_area = in.U16(offset + 18);
    prefecture.box = {in.U16(offset + 20), in.U16(offset + 22), in.U16(offset + 24), in.U16(offset + 26)};
    if (uint64_t{prefecture.first_area} + prefecture.area_count > static_cast<uint64_t>(area_count)) {
      ++skipped_prefectures_;
      continue;
    }
    prefectures_.push_back(std::move(prefecture));
  }

  loaded_ = true;
  return true;
}

// A crossing count over the edges between consecutive points, with no edge from the last
// point back to the first: an outline is closed only when its list repeats its first point.
bool CBoundary::Contains(const Area& area, uint16_t px, uint16_t py) const {
  const Point* q = points_.data() + area.first_point;
  bool inside = false;
  const int x = px, y = py;
  for (uint32_t k = 0, j = 0; k < area.point_count; j = k++) {
    const int kn = q[k].north, jn = q[j].north;
    if ((kn <= y && y < jn) || (jn <= y && y < kn)) {
      const double xc = static_cast<double>(q[j].east - q[k].east) * (y - kn) / (jn - kn) + q[k].east;
      if (x < xc) inside = !inside;
    }
  }
  return inside;
}

void CBoundary::WriteOutput(std::string* output, std::string* second_output, int limit) const {
  if (output == nullptr) return;
  if (static_cast<int64_t>(last_prefecture_.length) + static_cast<int64_t>(last_area_.length) + 1 <= limit) {
    *output = last_prefecture_.ansi;
    if (second_output != nullptr) {
      *second_output = last_area_.ansi;
    } else {
      *output += last_area_.ansi;
    }
  } else {
    *output = last_area_.ansi;
    if (second_output != nullptr) second_output->clear();
  }
}

bool CBoundary::Lookup(float x, float y, std::string* output, std::string* second_output, int limit) {
  if (!loaded_) return false;
  const int32_t X = TruncateToInt32(x);
  const int32_t Y = TruncateToInt32(y);

  if (!last_prefecture_.ansi.empty() && std::llabs(int64_t{X} - last_x_) < kCacheDistance &&
      std::llabs(int64_t{Y} - last_y_) < kCacheDistance) {
    WriteOutput(output, second_output, limit);
    return true;
  }

  const uint16_t gx = Cell(X, origin_x_, 0, coarse_shift_);
  const uint16_t gy = Cell(Y, origin_y_, 0, coarse_shift_);
  for (const Prefecture& prefecture : prefectures_) {
    if (!prefecture.box.Contains(gx, gy)) continue;
    for (uint32_t i = 0; i < prefecture.area_count; ++i) {
      const Area& area = areas_[prefecture.first_area + i];
      if (!area.usable || !area.box.Contains(gx, gy)) continue;
      const uint16_t px = Cell(X, origin_x_, uint32_t{area.box.west} << coarse_shift_, fine_shift_);
      const uint16_t py = Cell(Y, origin_y_, uint32_t{area.box.south} << coarse_shift_, fine_shift_);
      if (!Contains(area, px, py)) continue;
      last_x_ = X;
      last_y_ = Y;
      last_prefecture_ = prefecture.name;
      last_area_ = area.name;
      WriteOutput(output, second_output, limit);
      return true;
    }
  }

  last_prefecture_ = {};
  last_area_ = {};
  if (output != nullptr) output->clear();
  if (second_output != nullptr) second_output->clear();
  return false;
}

}  // namespace geo
