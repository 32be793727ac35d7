// The table of drive letters: which volume each letter reaches, with what the
// drive queries of the program ask of it (type, file system name, label, serial).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The values of the system's drive type query.
enum class DriveType : int {
  Unknown = 0,
  NoRootDir = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

struct Volume {
  std::string host_root;  // host folder the drive's root maps to (UTF-8)
  DriveType type = DriveType::Removable;
  std::string file_system;  // "FAT", "FAT32", "exFAT", "NTFS", ... ; empty when unreadable
  std::string label;        // volume label, code page 932
  uint32_t serial = 0;
};

class VolumeTable {
 public:
  using RemovalListener = std::function<void(char letter)>;

  // Puts a volume at a letter ('A'..'Z', either case); false when the letter is taken or invalid.
  bool Attach(char letter, Volume volume);
  // Attaches a host folder as a removable FAT32 card at the preferred letter, or at the
  // first free letter from 'E' on when it is 0, not a letter or taken. Returns the letter,
  // or 0 when the folder is not an existing folder or no letter is free.
  char AttachFolder(const std::string& host_folder, char preferred = 0, std::string label = "TARNIX",
                    uint32_t serial = 0x1234ABCD);
  // Takes a volume away and raises the removal notice; false when nothing was there.
  // When it was the current drive there is no current drive afterwards.
  bool Detach(char letter);

  // Bit 0 is A, bit 25 is Z.
  uint32_t LogicalDrives() const;
  const Volume* Find(char letter) const;
  // Drive type of a root such as "E:\" (also "E:" or "E:/"); NoRootDir for an unknown
  // letter or anything else.
  DriveType TypeOfRoot(const std::string& root) const;

  // The drive that paths without a letter are rooted at; 0 when none.
  void SetCurrent(char letter) { current_ = letter; }
  char Current() const { return current_; }

  // Listeners hear of every removal, once per removed volume.
  void OnRemoval(RemovalListener listener);

  // Host volumes come and go; this replaces every volume marked as from the host with
  // the given set, keeping attached folders, and raises one notice per vanished one. A
  // letter that now reaches a different volume counts as vanished (and is filled anew); a
  // host volume at a letter an attached folder holds is left out. Notices come after the
  // table is updated.
  void ReplaceHostVolumes(const std::map<char, Volume>& host_volumes);

 private:
  struct Entry {
    Volume volume;
    bool from_host = false;
  };
  std::map<char, Entry> volumes_;
  std::vector<RemovalListener> listeners_;
  char current_ = 0;

  void NotifyRemoval(char letter);
};

}  // namespace platform
