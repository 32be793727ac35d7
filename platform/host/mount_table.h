// The host's mount table (the kernel's mountinfo format), read into plain entries.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::host {

struct MountEntry {
  unsigned major = 0;  // device numbers of the mounted file system (0 for pseudo ones)
  unsigned minor = 0;
  std::string root;         // the folder of the file system mounted here ("/" for a whole one)
  std::string mount_point;  // where it is mounted
  std::string fs_type;      // "vfat", "exfat", "ext4", "fuseblk", ...
  std::string source;       // "/dev/sdb1", "server:/export", ...
};

// Parses mountinfo text. Lines that do not have the format's fields are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// The whole file, or none when it cannot be read.
std::optional<std::string> ReadTextFile(const std::string& path);

}  // namespace platform::host
