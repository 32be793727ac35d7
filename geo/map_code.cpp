#include "geo/map_code.h"

#include <climits>
#include <cstring>

#include "geo/map_units.h"

namespace geo {
namespace {

struct SplitCode {
  long main = 0;
  long sub = 0;
  bool has_star = false;
};

// Reads a run of decimal digits like strtol: values beyond 32 bits read as the maximum.
long ReadDigits(std::string_view digits) {
  long value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return value;
}

// The main number before the '*', the sub-code after it. Codes the device's buffers could
// not hold are refused: more than one '*', an empty or over-long main number, an
// over-long sub-code.
std::optional<SplitCode> Split(std::string_view text) {
  std::string main_digits, sub_digits;
  SplitCode code;
  for (char c : text) {
    if (c == '*') {
      if (code.has_star) return std::nullopt;
      code.has_star = true;
    } else if (c >= '0' && c <= '9') {
      (code.has_star ? sub_digits : main_digits) += c;
    }
  }
  if (main_digits.empty() || main_digits.size() > CMapCodeConverter::kMaxMainDigits) return std::nullopt;
  if (sub_digits.size() > CMapCodeConverter::kMaxSubCodeDigits) return std::nullopt;
  code.main = ReadDigits(main_digits);
  code.sub = ReadDigits(sub_digits);
  return code;
}

// The cells of the 3 x 3 sub-code grid: digit -> index (column = index % 3 from the
// west, row = index / 3 from the south).
constexpr int kGridIndex[9] = {
    /*0*/ 4, /*1*/ 5, /*2*/ 6, /*3*/ 7, /*4*/ 8, /*5*/ 0, /*6*/ 1, /*7*/ 2, /*8*/ 3,
};

constexpr double kThird = 0.3333333333333333;
constexpr double kNinth = 0.1111111111111111;

// deg + min / 60 + sec / 3600 in extended precision, kept as a double.
double Degrees(double total_seconds, double extra_seconds) {
  const int whole = static_cast<int>(total_seconds);
  const int degrees = whole / 3600;
  const int minutes = whole / 60 - 60 * degrees;
  const double seconds = total_seconds - 3600.0 * degrees - 60.0 * minutes + extra_seconds;
  return static_cast<double>(degrees + minutes * (1.0L / 60) + seconds * (1.0L / 3600));
}

}  // namespace

void CMapCodeConverter::Load(platform::FileSystem& files, std::string_view path, int tag) {
  ready_ = true;
  path_ = std::string(path);
  tag_ = tag;
  platform::File file =
      files.Open(path, platform::Access::Read, platform::Share::Read, platform::Disposition::OpenExisting);
  if (!file.IsOpen()) {
    ready_ = false;
    return;
  }
  std::string bytes(kTableSize, '\0');
  size_t total = 0;
  while (total < kTableSize) {
    size_t done = 0;
    if (!file.Read(bytes.data() + total, kTableSize - total, &done) || done == 0) break;
    total += done;
  }
  bytes.resize(total);
  LoadBytes(bytes);
}

void CMapCodeConverter::LoadBytes(std::string_view bytes) {
  ready_ = true;
  for (int i = 0; i < kBlockCount; ++i) {
    Block& block = blocks_[i];
    const size_t offset = i * kRecordSize;
    block = Block{};
    if (offset + kRecordSize > bytes.size()) continue;
    block.present = true;
    std::memcpy(block.record.data(), bytes.data() + offset, block.record.size());
    const auto& r = block.record;
    block.longitude_seconds = r[3] * 3600.0 + r[4] * 60.0 + r[5];
    block.latitude_seconds = r[6] * 3600.0 + r[7] * 60.0 + r[8];
  }
}

std::optional<MapPosition> CMapCodeConverter::Convert(std::string_view text) const {
  if (!ready_) return std::nullopt;
  std::optional<SplitCode> code = Split(text);
  if (!code) return std::nullopt;

  const long b = code->main / 1000000;
  const long c = code->main % 1000000 / 1000;
  const long s = code->main % 1000;
  const long t = code->sub > 0 ? code->sub / 10 : 0;
  const long u = code->sub > 0 ? code->sub % 10 : 0;
  if (b >= kBlockCount || c >= 900 || s >= 900 || t >= 9 || u >= 9) return std::nullopt;

  const Block& block = blocks_[b];
  const int width = block.Width();
  if (!block.present || width == 0) return std::nullopt;

  const double longitude = block.longitude_seconds + 30.0 * (c % width) + (s % 30);
  const double latitude = block.latitude_seconds + 30.0 * (c / width) + (s / 30);
  double longitude_extra = 0, latitude_extra = 0;
  if (code->has_star) {
    const int it = kGridIndex[t], iu = kGridIndex[u];
    longitude_extra = (it % 3) * kThird + (iu % 3) * kNinth;
    latitude_extra = (it / 3) * kThird + (iu / 3) * kNinth;
  }
  const double longitude_degrees = Degrees(longitude, longitude_extra);
  const double latitude_degrees = Degrees(latitude, latitude_extra);

  MapPosition position;
  position.x = TruncateToInt32(static_cast<long double>(longitude_degrees) * 80000);
  position.y = TruncateToInt32(static_cast<long double>(latitude_degrees) * 120000);
  return position;
}

}  // namespace geo
