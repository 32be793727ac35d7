#include "card/favorites.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "card/file_time.h"
#include "geo/datum.h"
#include "geo/map_units.h"

namespace card {

namespace {

constexpr unsigned kPauseBeforeWrite = 100;
constexpr size_t kFieldCount = 6;
// The time given to a point whose date field is no date: the first instant of the count,
// written back as 1601/1/1 0:0:0.
constexpr uint64_t kNoDateTime = 0;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A field ends at its first NUL, as the line's C strings did.
std::string_view UpToNul(std::string_view field) {
  return field.substr(0, field.find('\0'));
}

// Digits and "." only, read as a decimal number; anything else (a sign, a blank, an
// exponent, a carriage return) or a value beyond single precision reads as 0.
float ParseNumber(std::string_view field) {
  if (!std::all_of(field.begin(), field.end(), [](char c) { return IsDigit(c) || c == '.'; })) return 0;
  double value = 0;
  const std::from_chars_result read =
      std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
  if (read.ec != std::errc() || value > std::numeric_limits<float>::max()) return 0;
  return static_cast<float>(value);
}

uint8_t ParseLastNumber(std::string_view field) {
  unsigned value = 0;
  for (char c : field) {
    if (!IsDigit(c)) return 0;
    value = (value * 10 + static_cast<unsigned>(c - '0')) % 256;
  }
  return static_cast<uint8_t>(value);
}

// "2009/4/1 9:5:0": six numbers split by "/", "_", ":" or a blank; line ends are ignored.
uint64_t ParseDate(std::string_view field) {
  constexpr int kTooLarge = 1'000'000;
  int numbers[kFieldCount] = {};
  size_t separators = 0;
  for (char c : field) {
    if (c == '\r' || c == '\n') continue;
    if (c == '/' || c == '_' || c == ':' || c == ' ') {
      if (++separators >= kFieldCount) return kNoDateTime;
    } else if (IsDigit(c)) {
      int& number = numbers[separators];
      number = std::min(number * 10 + (c - '0'), kTooLarge);
    } else {
      return kNoDateTime;
    }
  }
  if (separators != kFieldCount - 1) return kNoDateTime;
  CivilTime civil{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5], 0};
  return CivilToFileTime(civil).value_or(kNoDateTime);
}

// Splits a line (without its line feed) into six fields; false for any other comma count.
bool SplitFields(std::string_view line, std::string_view (&fields)[kFieldCount]) {
  if (std::count(line.begin(), line.end(), ',') != kFieldCount - 1) return false;
  for (size_t i = 0; i < kFieldCount; ++i) {
    const size_t comma = line.find(',');
    fields[i] = UpToNul(line.substr(0, comma));
    line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
  }
  return true;
}

std::optional<FavItem> ParseRecord(std::string_view line) {
  std::string_view fields[kFieldCount];
  if (!SplitFields(line, fields)) return std::nullopt;
  if (fields[0].size() >= kFavNameBuffer) return std::nullopt;
  FavItem item;
  std::memcpy(item.name, fields[0].data(), fields[0].size());
  item.name_length = static_cast<uint8_t>(fields[0].size());
  item.latitude = ParseNumber(fields[1]);
  item.longitude = ParseNumber(fields[2]);
  item.fourth = ParseNumber(fields[3]);
  item.time = ParseDate(fields[4]);
  item.last_number = ParseLastNumber(fields[5]);
  return item;
}

void AppendFixed(std::string& out, double value, int precision) {
  char text[400];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
  if (error == std::errc()) out.append(text, end);
}

bool NameLess(const FavItem& a, const FavItem& b) {
  return std::strcmp(a.name, b.name) < 0;
}

}  // namespace

bool CMapFavorites::IsStorableName(std::string_view name) {
  return name.size() < kFavNameBuffer &&
         name.find_first_of(std::string_view(",\r\n\0", 4)) == std::string_view::npos;
}

void CMapFavorites::Clear() {
  count_ = 0;
  path_.clear();
  read_only_ = false;
  unterminated_tail_.clear();
}

int CMapFavorites::Open(std::string_view path, bool order, bool write_through) {
  Clear();
  order_ = order;
  write_through_ = write_through;
  if (path.size() > kFavPathLimit) {
    read_only_ = true;
    return 0;
  }
  platform::FileError error = platform::FileError::None;
  platform::File file = files_.Open(path, platform::Access::Read, platform::Share::Read,
                                    platform::Disposition::OpenExisting, &error);
  if (!file.IsOpen()) {
    if (error == platform::FileError::NotFound || error == platform::FileError::PathNotFound) {
      path_ = path;
    } else {
      read_only_ = true;
    }
    return 0;
  }
  path_ = path;
  const std::optional<uint64_t> size = file.Size();
  if (!size || *size > kFavFileSizeLimit) {
    read_only_ = true;
    return 0;
  }
  std::string bytes(static_cast<size_t>(*size), '\0');
  size_t total = 0;
  while (total < bytes.size()) {
    size_t done = 0;
    if (!file.Read(bytes.data() + total, bytes.size() - total, &done)) {
      read_only_ = true;
      return 0;
    }
    if (done == 0) break;
    total += done;
  }
  bytes.resize(total);
  file.Close();
  Parse(bytes);
  if (order_) Sort();
  return count_;
}

void CMapFavorites::Parse(const std::string& bytes) {
  std::string_view rest(bytes);
  for (size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
    std::optional<FavItem> item = ParseRecord(rest.substr(0, end));
    rest.remove_prefix(end + 1);
    if (!item) continue;
    if (count_ == kFavCapacity) {
      // A point beyond the hundredth: the store cannot hold the whole file.
      read_only_ = true;
      return;
    }
    items_[count_++] = *item;
  }
  unterminated_tail_ = rest;
}

void CMapFavorites::Sort() {
  std::stable_sort(items_, items_ + count_, NameLess);
}

const FavItem* CMapFavorites::GetItem(int index) const {
  return index >= 0 && index < count_ ? &items_[index] : nullptr;
}

FavItem CMapFavorites::MakeItem(std::string_view name, int32_t longitude_units, int32_t latitude_units,
                                float fourth, uint8_t last_number) {
  FavItem item;
  std::memcpy(item.name, name.data(), name.size());
  item.name_length = static_cast<uint8_t>(name.size());
  item.last_number = last_number;
  geo::Bessel2WGS(geo::LongitudeFromUnits(longitude_units), geo::LatitudeFromUnits(latitude_units),
                  item.longitude, item.latitude);
  item.fourth = fourth;
  const platform::LocalTime now = clock_.Now();
  item.time = CivilToFileTime({now.year, now.month, now.day, now.hour, now.minute, now.second, 0})
                  .value_or(kNoDateTime);
  return item;
}

bool CMapFavorites::CommitOrUndo(const FavItem* previous_items, int previous_count) {
  if (!write_through_ || Write() == 1) return true;
  std::copy(previous_items, previous_items + previous_count, items_);
  count_ = previous_count;
  return false;
}

int CMapFavorites::Add(std::string_view name, int32_t longitude_units, int32_t latitude_units, float fourth,
                       uint8_t last_number) {
  if (read_only_ || !IsStorableName(name) || count_ == kFavCapacity) return -1;
  const std::vector<FavItem> previous(items_, items_ + count_);
  const FavItem item = MakeItem(name, longitude_units, latitude_units, fourth, last_number);
  items_[count_++] = item;
  int index = count_ - 1;
  if (order_) {
    Sort();
    // The stable sort puts the new point after every point of the same name.
    index = static_cast<int>(std::upper_bound(items_, items_ + count_, item, NameLess) - items_) - 1;
  }
  if (!CommitOrUndo(previous.data(), static_cast<int>(previous.size()))) return -1;
  return index;
}

int CMapFavorites::Modify(int index, std::string_view name, int32_t longitude_units, int32_t latitude_units,
                          float fourth, uint8_t last_number) {
  if (read_only_ || index < 0 || index >= count_ || !IsStorableName(name)) return 0;
  const std::vector<FavItem> previous(items_, items_ + count_);
  items_[index] = MakeItem(name, longitude_units, latitude_units, fourth, last_number);
  return CommitOrUndo(previous.data(), static_cast<int>(previous.size())) ? 1 : 0;
}

int CMapFavorites::Delete(int index) {
  if (read_only_ || index < 0 || index >= count_) return 0;
  const std::vector<FavItem> previous(items_, items_ + count_);
  std::copy(items_ + index + 1, items_ + count_, items_ + index);
  --count_;
  return CommitOrUndo(previous.data(), static_cast<int>(previous.size())) ? 1 : 0;
}

std::string CMapFavorites::Format() const {
  std::string text;
  for (int i = 0; i < count_; ++i) {
    const FavItem& item = items_[i];
    text += item.name;
    text += ',';
    AppendFixed(text, item.latitude, 6);
    text += ',';
    AppendFixed(text, item.longitude, 6);
    text += ',';
    AppendFixed(text, item.fourth, 0);
    const CivilTime civil = FileTimeToCivil(item.time);
    char rest[96];
    std::snprintf(rest, sizeof rest, ",%d/%d/%d %d:%d:%d,%d\n", civil.year, civil.month, civil.day,
                  civil.hour, civil.minute, civil.second, static_cast<int>(item.last_number));
    text += rest;
  }
  return text + unterminated_tail_;
}

int CMapFavorites::Write() {
  if (read_only_) return 0;
  clock_.Sleep(kPauseBeforeWrite);
  if (path_.empty()) return 0;
  return files_.ReplaceWhole(path_, Format()) ? 1 : 0;
}

int CMapFavorites::Write(std::string_view path) {
  if (read_only_ || path.empty() || path.size() > kFavPathLimit) return 0;
  clock_.Sleep(kPauseBeforeWrite);
  path_ = path;
  return files_.ReplaceWhole(path_, Format()) ? 1 : 0;
}

}  // namespace card
