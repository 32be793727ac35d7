// Keeps the volume table's host drives in line with the host's mounted file systems:
// C: for the root file system, then D: on for the others in the order of their mount
// points; a mounted file system keeps its letter while it stays mounted, and letters
// held by attached folders are never taken.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/host/mount_table.h"
#include "platform/volumes.h"

namespace platform::host {

struct HostSources {
  std::string mount_table = "/proc/self/mountinfo";
  std::string sysfs_root = "/sys";
  bool use_udev = true;  // ask udev when a device cannot be read directly
};

// A mounted file system a drive letter should reach, with its volume facts.
struct HostMount {
  std::string mount_point;
  unsigned major = 0;
  unsigned minor = 0;
  Volume volume;
};

// The mounts of a table that are drives: the root file system, block devices mounted whole
// (not bind mounts of their folders, not system areas) and network shares; one per device.
std::vector<HostMount> DescribeMounts(const std::vector<MountEntry>& entries, const HostSources& sources);

class HostVolumes {
 public:
  HostVolumes(VolumeTable& volumes, HostSources sources = {});

  // Reads the mount table again and puts its drives into the volume table; a drive that
  // went away raises the removal notice once. An unreadable mount table leaves no host
  // drive (false is returned); it is never an error for the program.
  bool Refresh();

 private:
  struct Assigned {
    char letter;
    unsigned major;
    unsigned minor;
  };

  VolumeTable& volumes_;
  HostSources sources_;
  std::map<std::string, Assigned> letters_;  // by mount point
  std::string last_table_;
  bool has_last_table_ = false;

  uint32_t LettersOfOthers() const;
};

}  // namespace platform::host
