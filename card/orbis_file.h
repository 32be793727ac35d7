// The byte layouts of orbis.orb / user.orb (header, per-type count table, records) and
// of UserName.orb (header, name records), parsed from and written to plain buffers.
// Parsing checks every count against the bytes actually present.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "card/orbis_record.h"

namespace card {

constexpr std::string_view kOrbisMagic = "SBRO";
constexpr int32_t kOrbisVersion = 107;
constexpr size_t kOrbisHeaderSize = 48;
constexpr size_t kOrbisCountTableSize = 4 * kOrbisTypeTableSize;
constexpr size_t kOrbisRecordsOffset = kOrbisHeaderSize + kOrbisCountTableSize;
constexpr size_t kUserNameHeaderSize = 28;

// x, y and two further values the device keeps beside them.
using OrbisBase = std::array<int32_t, 4>;
constexpr OrbisBase kOrbisDefaultBase = {9760000, 2400000, 0, 0};

enum class OrbisParse {
  Ok,
  BadHeader,  // shorter than the header, wrong magic or version
  NoRecords,  // record count 0 or negative
  Truncated,  // fewer bytes than the count table and the counted records need
};

struct OrbisPointFile {
  OrbisBase base{};
  int32_t count = 0;  // as the header says
  std::array<int32_t, kOrbisTypeTableSize> type_counts{};
  std::vector<OrbisRecord> records;  // the whole records present, at most `count`
};

// Fills `out` as far as the bytes allow: after Truncated it holds the whole records found.
OrbisParse ParseOrbisPointFile(std::string_view bytes, OrbisPointFile* out);

// A user.orb image: header with the base, the count and zero device data; a count table
// that is zero apart from entries 22 to 24; the records.
std::string WriteUserPointFile(const OrbisBase& base,
                               const std::array<int32_t, kOrbisTypeTableSize>& type_counts,
                               const std::vector<const OrbisRecord*>& records);

enum class UserNameParse {
  Ok,
  BadHeader,  // shorter than the header, wrong magic or version
  BadCount,   // negative name count
  Truncated,  // fewer whole records than the count says
};

struct UserNameCounters {
  int32_t user_number = 0;   // increased for every type-22 name added
  int32_t other_number = 0;  // the same for other types
  int32_t user_held = 0;     // type-22 names in the table
  int32_t other_held = 0;    // names of other types in the table
  friend bool operator==(const UserNameCounters&, const UserNameCounters&) = default;
};

struct UserNameFile {
  int32_t count = 0;  // as the header says
  UserNameCounters counters;
  std::vector<UserNameRecord> records;  // the whole records present, at most `count`
};

UserNameParse ParseUserNameFile(std::string_view bytes, UserNameFile* out);
std::string WriteUserNameFile(const UserNameCounters& counters, const std::vector<UserNameRecord>& records);

}  // namespace card
