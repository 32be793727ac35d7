#include "card/orbis.h"

#include <algorithm>

#include "log/log.h"

namespace card {
namespace {

constexpr unsigned kNamesWritePauseMs = 100;
constexpr size_t kReadChunk = 1 << 20;

// Appends up to `limit` more bytes of the file to `out`. False when a read call fails.
bool ReadUpTo(platform::File& file, uint64_t limit, std::string* out) {
  while (limit > 0) {
    size_t want = static_cast<size_t>(std::min<uint64_t>(limit, kReadChunk));
    size_t old_size = out->size();
    out->resize(old_size + want);
    size_t done = 0;
    bool ok = file.Read(out->data() + old_size, want, &done);
    out->resize(old_size + (ok ? done : 0));
    if (!ok) return false;
    if (done == 0) return true;
    limit -= done;
  }
  return true;
}

// Reads the header of a point file and then just as many bytes as its counts ask for,
// never more than the file holds.
bool ReadPointFile(platform::File& file, std::string* bytes) {
  if (!ReadUpTo(file, kOrbisHeaderSize, bytes)) return false;
  if (bytes->size() < kOrbisHeaderSize) return true;
  int32_t count =
      static_cast<int32_t>(static_cast<uint8_t>((*bytes)[40]) | (static_cast<uint8_t>((*bytes)[41]) << 8) |
                           (static_cast<uint8_t>((*bytes)[42]) << 16) |
                           (static_cast<uint32_t>(static_cast<uint8_t>((*bytes)[43])) << 24));
  if (count <= 0) return true;
  uint64_t rest = kOrbisCountTableSize + static_cast<uint64_t>(count) * OrbisRecord::kSize;
  if (std::optional<uint64_t> size = file.Size()) rest = std::min(rest, *size);
  bytes->reserve(static_cast<size_t>(kOrbisHeaderSize + rest));
  return ReadUpTo(file, rest, bytes);
}

bool ReadNamesFile(platform::File& file, std::string* bytes) {
  uint64_t limit = UINT64_MAX;
  if (std::optional<uint64_t> size = file.Size()) limit = *size;
  return ReadUpTo(file, limit, bytes);
}

// Counters are int32 in the file; adding to one at its top wraps instead of overflowing.
void Bump(int32_t& value, int by = 1) {
  value = static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(by));
}

bool IsUserFileType(int type) {
  return type >= kUserPointType && type <= kRclsPointType;
}

}  // namespace

COrbis::COrbis(platform::FileSystem& files, platform::Clock& clock, platform::MessageBox& message_box)
    : files_(files), clock_(clock), message_box_(message_box) {}

void COrbis::Reset() {
  records_.clear();
  user_count_ = 0;
  type_counts_.fill(0);
  base_ = kOrbisDefaultBase;
  orbis_path_.clear();
  user_path_.clear();
  user_file_savable_ = false;
  active_ = false;
  names_table_ = false;
  names_.clear();
  counters_ = {};
  names_loaded_ = 0;
  names_path_.clear();
  names_file_unreadable_ = false;
}

int COrbis::Load(std::string_view orbis_path, std::string_view user_path) {
  Reset();
  platform::File file = files_.Open(orbis_path, platform::Access::Read, platform::Share::None,
                                    platform::Disposition::OpenExisting);
  if (!file.IsOpen()) return 0;
  std::string bytes;
  bool whole = ReadPointFile(file, &bytes);
  file.Close();

  OrbisPointFile orbis;
  OrbisParse parsed = ParseOrbisPointFile(bytes, &orbis);
  if (parsed == OrbisParse::BadHeader || parsed == OrbisParse::NoRecords) {
    message_box_.Show("ORBIS VERSION FAIL", "ZYK-700 ERROR", platform::MessageButtons::Ok, /*owned=*/false);
    Reset();
    return 0;
  }
  // A short file keeps the whole records it holds; orbis.orb is never written back.
  whole = whole && parsed == OrbisParse::Ok;
  base_ = orbis.base;
  records_.reserve(orbis.records.size() + kUserRoom);
  for (const OrbisRecord& record : orbis.records) {
    records_.push_back({record, false});
    // The counts are those of the records actually held, so that positions worked out
    // from them always stay inside the table.
    int type = record.Type();
    if (type < kOrbisTypeTableSize && !IsUserFileType(type)) ++type_counts_[type];
  }
  orbis_path_ = orbis_path;
  user_path_ = user_path;

  bool user_whole = true;
  user_file_savable_ = LoadUserFile(user_path, &user_whole);
  whole = whole && user_whole;

  std::stable_sort(records_.begin(), records_.end(),
                   [](const Entry& a, const Entry& b) { return a.record.YField() < b.record.YField(); });
  return whole ? 1 : 0;
}

// Returns whether user.orb may be rewritten later: it is missing, or it was read whole
// enough that a save keeps every point it held.
bool COrbis::LoadUserFile(std::string_view user_path, bool* whole) {
  if (!files_.Attributes(user_path)) return true;
  platform::File file = files_.Open(user_path, platform::Access::Read, platform::Share::None,
                                    platform::Disposition::OpenExisting);
  if (!file.IsOpen()) return false;
  std::string bytes;
  *whole = ReadPointFile(file, &bytes);
  file.Close();

  OrbisPointFile user;
  OrbisParse parsed = ParseOrbisPointFile(bytes, &user);
  if (parsed == OrbisParse::BadHeader) return false;
  if (parsed == OrbisParse::NoRecords) return user.count == 0;
  if (parsed == OrbisParse::Truncated) *whole = false;

  // The store sizes the table to every record read, more than 200 included, so that no
  // point is dropped by a later save.
  user_count_ = static_cast<int>(user.records.size());
  for (const OrbisRecord& record : user.records) {
    records_.push_back({record, true});
    if (IsUserFileType(record.Type())) ++type_counts_[record.Type()];
  }
  GetLog().Trace("USER POINT :%d\n", type_counts_[kUserPointType]);
  GetLog().Trace("OCLS POINT :%d\n", type_counts_[kOclsPointType]);
  GetLog().Trace("RCLS POINT :%d\n", type_counts_[kRclsPointType]);
  GetLog().Trace("TOTAL USER POINT :%d\n", user_count_);
  return true;
}

int COrbis::LoadNames(std::string_view path) {
  // Every load starts from an empty table, so names of an earlier file never linger.
  names_table_ = true;
  names_.clear();
  counters_ = {};
  names_loaded_ = 0;
  names_path_ = path;
  names_file_unreadable_ = false;

  if (!files_.Attributes(path)) return 0;
  platform::File file =
      files_.Open(path, platform::Access::Read, platform::Share::None, platform::Disposition::OpenExisting);
  if (!file.IsOpen()) {
    names_file_unreadable_ = true;
    return 0;
  }
  std::string bytes;
  bool whole = ReadNamesFile(file, &bytes);
  file.Close();

  UserNameFile parsed;
  UserNameParse result = ParseUserNameFile(bytes, &parsed);
  if (result == UserNameParse::BadHeader || result == UserNameParse::BadCount) {
    names_file_unreadable_ = true;
    return 0;
  }
  names_ = std::move(parsed.records);
  counters_.user_number = parsed.counters.user_number;
  counters_.other_number = parsed.counters.other_number;
  // The held counts are those of the records read, which keeps the renumbering's
  // ranges inside the table.
  for (const UserNameRecord& record : names_) {
    Bump(record.Type() == kUserPointType ? counters_.user_held : counters_.other_held);
  }
  names_loaded_ = static_cast<int>(names_.size());
  return whole && result == UserNameParse::Ok ? 1 : 0;
}

int COrbis::SaveUser() {
  if (user_path_.empty() || !user_file_savable_) return 0;
  if (user_count_ == 0) {
    files_.Delete(user_path_);
    return files_.Attributes(user_path_) ? 0 : 1;
  }
  std::vector<const OrbisRecord*> user_records;
  user_records.reserve(user_count_);
  for (const Entry& entry : records_) {
    if (entry.from_user_file) user_records.push_back(&entry.record);
  }
  return files_.ReplaceWhole(user_path_, WriteUserPointFile(base_, type_counts_, user_records)) ? 1 : 0;
}

int COrbis::SaveNames(std::string_view path) {
  // Without a names load there is nothing known about the file; an unreadable one is
  // kept as it is rather than replaced by what little this store holds.
  if (!names_table_) return 0;
  if (names_file_unreadable_ && path == names_path_) return 0;
  if (names_.empty()) {
    files_.Delete(path);
    return files_.Attributes(path) ? 0 : 1;
  }
  clock_.Sleep(kNamesWritePauseMs);
  // Readers use only as many records as the header counts, so replacing the file whole
  // gives them the same bytes an in-place write would, and a failed write loses nothing.
  return files_.ReplaceWhole(path, WriteUserNameFile(counters_, names_)) ? 1 : 0;
}

void COrbis::SetActive(int on) {
  if (on == 0 || active_) return;
  // The user records stay after orbis.orb's, whatever types a file holds.
  std::stable_sort(records_.begin(), records_.end(), [](const Entry& a, const Entry& b) {
    if (a.from_user_file != b.from_user_file) return b.from_user_file;
    if (a.record.Type() != b.record.Type()) return a.record.Type() < b.record.Type();
    return a.record.Serial() < b.record.Serial();
  });
  int64_t numbers = static_cast<int64_t>(counters_.user_number) + counters_.other_number - 2;
  if (names_table_ && NameCount() % 100 == 0 && NameCount() < numbers) Renumber();
  active_ = true;
}

// Gives the user records of types 22 and 23 fresh serials from 1 and pairs name record
// i with user record i. Nothing is written here; the next saves write the new numbers.
void COrbis::Renumber() {
  int first = UserFirst();
  counters_.user_number = 1;
  counters_.other_number = 1;
  std::stable_sort(names_.begin(), names_.end(),
                   [](const UserNameRecord& a, const UserNameRecord& b) { return a.Type() < b.Type(); });
  auto by_key = [](const UserNameRecord& a, const UserNameRecord& b) { return a.Key() < b.Key(); };
  int count = NameCount();
  int user_names = std::clamp<int>(counters_.user_held, 0, count);
  int other_names = std::clamp<int>(counters_.other_held, 0, count - user_names);
  std::stable_sort(names_.begin(), names_.begin() + user_names, by_key);
  std::stable_sort(names_.begin() + user_names, names_.begin() + user_names + other_names, by_key);

  int paired = std::min(count, user_count_);
  uint32_t number = 0;
  for (int i = 0; i < paired; ++i) {
    OrbisRecord& record = records_[first + i].record;
    int type = record.Type();
    if (type == kUserPointType) {
      number = static_cast<uint32_t>(counters_.user_number);
    } else if (type == kOclsPointType) {
      number = static_cast<uint32_t>(counters_.other_number);
    } else {
      ++number;
    }
    number &= kOrbisSerialMax;
    names_[i].SetKeyHigh(static_cast<int32_t>(number / 1024));
    names_[i].SetKeyLow(static_cast<int32_t>(number % 1024));
    record.SetSerial(number);
    if (type == kUserPointType) Bump(counters_.user_number);
    if (type == kOclsPointType) Bump(counters_.other_number);
  }
}

int COrbis::TypeCount(int type) const {
  if (type < 0 || type >= kOrbisTypeTableSize) return 0;
  return type_counts_[type];
}

int COrbis::CountBefore(int type) const {
  int sum = 0;
  for (int t = 0; t < std::min(type, kOrbisTypeTableSize); ++t) sum += type_counts_[t];
  return sum;
}

const OrbisRecord* COrbis::GetRecord(int p) const {
  if (p < 0 || p >= TotalCount()) return nullptr;
  return &records_[p].record;
}

OrbisRecord* COrbis::GetRecord(int p) {
  if (p < 0 || p >= TotalCount()) return nullptr;
  return &records_[p].record;
}

std::optional<OrbisPoint> COrbis::GetUserPos(int i) const {
  if (!active_ || i < 0 || i >= user_count_) return std::nullopt;
  const OrbisRecord& record = records_[UserFirst() + i].record;
  int64_t x = static_cast<int64_t>(base_[0]) + 4 * static_cast<int64_t>(record.XField());
  int64_t y = static_cast<int64_t>(base_[1]) + 4 * static_cast<int64_t>(record.YField());
  return OrbisPoint{static_cast<float>(x), static_cast<float>(y)};
}

int COrbis::DeleteUser(int i) {
  if (!active_ || user_count_ == 0 || i < 0 || i >= user_count_) return 0;
  int p = UserFirst() + i;
  int type = records_[p].record.Type();
  records_.erase(records_.begin() + p);
  if (IsUserFileType(type)) --type_counts_[type];
  --user_count_;
  return SaveUser();
}

int COrbis::FindName(int key, int type) const {
  for (int i = 0; i < NameCount(); ++i) {
    if (names_[i].Type() == type && names_[i].Key() == key) return i;
  }
  return -1;
}

std::u16string COrbis::GetName(int high, int low, int type) const {
  int key = NameKey(high, low);
  for (const UserNameRecord& record : names_) {
    if (record.Type() != type) continue;
    if (record.Key() == key) return record.Name();
    if (record.Key() > key) break;
  }
  return {};
}

int COrbis::NameRoom() const {
  return std::max({kNameRoom, names_loaded_, user_count_});
}

int COrbis::SetName(std::u16string_view text, int type, int high, int low) {
  if (!names_table_) return 0;
  int found = FindName(NameKey(high, low), type);
  if (found >= 0) {
    names_[found].SetName(text);
    return 1;
  }
  if (NameCount() >= NameRoom()) return 0;
  UserNameRecord record;
  record.SetKeyHigh(high);
  record.SetKeyLow(low);
  record.SetType(type);
  record.SetName(text);
  names_.push_back(record);
  if (type == kUserPointType) {
    Bump(counters_.user_number);
    Bump(counters_.user_held);
  } else {
    Bump(counters_.other_number);
    Bump(counters_.other_held);
  }
  return 1;
}

int COrbis::DeleteName(int high, int low, int type) {
  if (!names_table_ || names_.empty() || !active_) return 0;
  int found = FindName(NameKey(high, low), type);
  if (found < 0) return 0;
  Bump(names_[found].Type() == kUserPointType ? counters_.user_held : counters_.other_held, -1);
  names_.erase(names_.begin() + found);
  return 1;
}

const UserNameRecord* COrbis::GetNameRecord(int i) const {
  if (i < 0 || i >= NameCount()) return nullptr;
  return &names_[i];
}

}  // namespace card
