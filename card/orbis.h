// The store of the device's point database (orbis.orb, read only) and of the points
// the driver added (user.orb) with their names (UserName.orb). The user point page
// loads it, switches it into editing order, renames, sets road types, deletes and saves.
//
// In memory the records of both files form one table, orbis.orb's first. Every record
// remembers which file it came from, so that saving writes exactly the user records
// even when a file breaks the rule that orbis.orb holds only types 0 to 21.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "card/orbis_file.h"
#include "card/orbis_record.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace card {

struct OrbisPoint {
  float x = 0;  // map units, Tokyo datum
  float y = 0;
};

class COrbis {
 public:
  // Rooms the tables have at least: user records and names.
  static constexpr int kUserRoom = 200;
  static constexpr int kNameRoom = 200;

  COrbis(platform::FileSystem& files, platform::Clock& clock, platform::MessageBox& message_box);

  // Empties the store, then reads orbis.orb and, when it exists, user.orb. 1 when every
  // read was whole, else 0. A bad orbis.orb header shows "ORBIS VERSION FAIL".
  int Load(std::string_view orbis_path, std::string_view user_path);
  // Reads UserName.orb into the name table (created empty even when this fails).
  int LoadNames(std::string_view path);

  // Rewrites user.orb whole (deletes it when no user record is left). 1 on success.
  int SaveUser();
  // Writes the name table (deletes the file when it is empty). 1 on success.
  int SaveNames(std::string_view path);

  // With on = 1: orders the table by type and serial and renumbers when due; once.
  void SetActive(int on);
  bool IsActive() const { return active_; }

  int TypeCount(int type) const;
  int CountBefore(int type) const;
  int TotalCount() const { return static_cast<int>(records_.size()); }
  int UserCount() const { return user_count_; }
  const OrbisBase& Base() const { return base_; }

  // The record at table position p; null when p is outside the table.
  const OrbisRecord* GetRecord(int p) const;
  OrbisRecord* GetRecord(int p);
  // Position of user record i; none when not active or i is out of range.
  std::optional<OrbisPoint> GetUserPos(int i) const;
  // Removes user record i and rewrites user.orb. 1 when removed and saved.
  int DeleteUser(int i);

  int FindName(int key, int type) const;
  // The name of a key, relying on one type's names being ordered by key.
  std::u16string GetName(int high, int low, int type) const;
  // Replaces the name of the key or adds a name record. 1 when stored, 0 when there is
  // no name table or it is full.
  int SetName(std::u16string_view text, int type, int high, int low);
  int DeleteName(int high, int low, int type);

  int NameCount() const { return static_cast<int>(names_.size()); }
  const UserNameCounters& NameCounters() const { return counters_; }
  const UserNameRecord* GetNameRecord(int i) const;

 private:
  struct Entry {
    OrbisRecord record;
    bool from_user_file = false;
  };

  void Reset();
  bool LoadUserFile(std::string_view user_path, bool* whole);
  void Renumber();
  int NameRoom() const;
  int UserFirst() const { return TotalCount() - user_count_; }

  platform::FileSystem& files_;
  platform::Clock& clock_;
  platform::MessageBox& message_box_;

  std::vector<Entry> records_;
  int user_count_ = 0;
  std::array<int32_t, kOrbisTypeTableSize> type_counts_{};
  OrbisBase base_ = kOrbisDefaultBase;
  std::string orbis_path_;
  std::string user_path_;
  // False when user.orb exists but could not be read whole: saving would lose its points.
  bool user_file_savable_ = false;
  bool active_ = false;

  bool names_table_ = false;
  std::vector<UserNameRecord> names_;
  UserNameCounters counters_;
  int names_loaded_ = 0;
  std::string names_path_;
  // True when names_path_ holds a file that could not be read: it is never overwritten.
  bool names_file_unreadable_ = false;
};

}  // namespace card
