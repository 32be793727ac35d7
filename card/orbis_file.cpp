#include "card/orbis_file.h"

#include <algorithm>
#include <cstring>

namespace card {
namespace {

int32_t ReadInt32(std::string_view bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i)
    value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  return static_cast<int32_t>(value);
}

void AppendInt32(std::string& out, int32_t value) {
  for (size_t i = 0; i < 4; ++i) out.push_back(static_cast<char>(static_cast<uint32_t>(value) >> (8 * i)));
}

bool HasMagicAndVersion(std::string_view bytes) {
  return bytes.substr(0, 4) == kOrbisMagic && ReadInt32(bytes, 4) == kOrbisVersion;
}

// The number of whole records of `size` bytes in `bytes` from `offset` on, capped at `count`.
size_t WholeRecords(std::string_view bytes, size_t offset, int32_t count, size_t size) {
  size_t present = bytes.size() > offset ? (bytes.size() - offset) / size : 0;
  return std::min(present, static_cast<size_t>(count));
}

}  // namespace

OrbisParse ParseOrbisPointFile(std::string_view bytes, OrbisPointFile* out) {
  *out = OrbisPointFile{};
  if (bytes.size() < kOrbisHeaderSize || !HasMagicAndVersion(bytes)) return OrbisParse::BadHeader;
  for (size_t i = 0; i < out->base.size(); ++i) out->base[i] = ReadInt32(bytes, 8 + 4 * i);
  out->count = ReadInt32(bytes, 40);
  if (out->count <= 0) return OrbisParse::NoRecords;
  if (bytes.size() < kOrbisRecordsOffset) return OrbisParse::Truncated;
  for (size_t t = 0; t < out->type_counts.size(); ++t) {
    out->type_counts[t] = ReadInt32(bytes, kOrbisHeaderSize + 4 * t);
  }
  size_t whole = WholeRecords(bytes, kOrbisRecordsOffset, out->count, OrbisRecord::kSize);
  out->records.resize(whole);
  for (size_t i = 0; i < whole; ++i) {
    std::memcpy(out->records[i].bytes.data(), bytes.data() + kOrbisRecordsOffset + i * OrbisRecord::kSize,
                OrbisRecord::kSize);
  }
  return whole == static_cast<size_t>(out->count) ? OrbisParse::Ok : OrbisParse::Truncated;
}

std::string WriteUserPointFile(const OrbisBase& base,
                               const std::array<int32_t, kOrbisTypeTableSize>& type_counts,
                               const std::vector<const OrbisRecord*>& records) {
  std::string out;
  out.reserve(kOrbisRecordsOffset + records.size() * OrbisRecord::kSize);
  out.append(kOrbisMagic);
  AppendInt32(out, kOrbisVersion);
  for (int32_t value : base) AppendInt32(out, value);
  out.append(16, '\0');
  AppendInt32(out, static_cast<int32_t>(records.size()));
  out.append(4, '\0');
  for (int t = 0; t < kOrbisTypeTableSize; ++t) {
    bool kept = t == kUserPointType || t == kOclsPointType || t == kRclsPointType;
    AppendInt32(out, kept ? type_counts[t] : 0);
  }
  for (const OrbisRecord* record : records) {
    out.append(reinterpret_cast<const char*>(record->bytes.data()), OrbisRecord::kSize);
  }
  return out;
}

UserNameParse ParseUserNameFile(std::string_view bytes, UserNameFile* out) {
  *out = UserNameFile{};
  if (bytes.size() < kUserNameHeaderSize || !HasMagicAndVersion(bytes)) return UserNameParse::BadHeader;
  out->count = ReadInt32(bytes, 8);
  out->counters = {ReadInt32(bytes, 12), ReadInt32(bytes, 16), ReadInt32(bytes, 20), ReadInt32(bytes, 24)};
  if (out->count < 0) return UserNameParse::BadCount;
  size_t whole = WholeRecords(bytes, kUserNameHeaderSize, out->count, UserNameRecord::kSize);
  out->records.resize(whole);
  for (size_t i = 0; i < whole; ++i) {
    std::memcpy(out->records[i].bytes.data(), bytes.data() + kUserNameHeaderSize + i * UserNameRecord::kSize,
                UserNameRecord::kSize);
  }
  return whole == static_cast<size_t>(out->count) ? UserNameParse::Ok : UserNameParse::Truncated;
}

std::string WriteUserNameFile(const UserNameCounters& counters, const std::vector<UserNameRecord>& records) {
  std::string out;
  out.reserve(kUserNameHeaderSize + records.size() * UserNameRecord::kSize);
  out.append(kOrbisMagic);
  AppendInt32(out, kOrbisVersion);
  AppendInt32(out, static_cast<int32_t>(records.size()));
  AppendInt32(out, counters.user_number);
  AppendInt32(out, counters.other_number);
  AppendInt32(out, counters.user_held);
  AppendInt32(out, counters.other_held);
  for (const UserNameRecord& record : records) {
    out.append(reinterpret_cast<const char*>(record.bytes.data()), UserNameRecord::kSize);
  }
  return out;
}

std::u16string UserNameRecord::Name() const {
  std::u16string name;
  for (size_t i = 0; i < kNameUnits; ++i) {
    char16_t unit = static_cast<char16_t>(bytes[12 + 2 * i] | (bytes[13 + 2 * i] << 8));
    if (unit == 0) break;
    name.push_back(unit);
  }
  return name;
}

void UserNameRecord::SetName(std::u16string_view text) {
  size_t length = std::min(text.size(), kMaxNameLength);
  // A high surrogate whose partner would be cut off goes too.
  if (length > 0 && length < text.size() && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
    --length;
  std::fill(bytes.begin() + 12, bytes.end(), 0);
  for (size_t i = 0; i < length; ++i) {
    bytes[12 + 2 * i] = static_cast<uint8_t>(text[i]);
    bytes[13 + 2 * i] = static_cast<uint8_t>(text[i] >> 8);
  }
}

}  // namespace card
