// What the host knows of a mounted file system's block device: whether it sits in a
// removable slot, and its file system's type, version, label and identifier.
#pragma once

#include <optional>
#include <string>

namespace platform::host {

struct FileSystemFacts {
  std::string type;     // as the host's probing libraries name it: "vfat", "exfat", "ntfs", ...
  std::string version;  // "FAT12", "FAT16", "FAT32" for vfat; often empty otherwise
  std::string label;    // UTF-8
  std::string uuid;     // "1234-ABCD" for FAT and exFAT, 16 hex digits for NTFS, ...
};

// True when the disk behind the device numbers is in a removable slot: the kernel's
// removable flag, or a disk on a USB or MMC/SD bus (SD cards in built-in and USB readers).
// `sysfs_root` is normally "/sys"; a missing entry counts as fixed.
bool IsRemovableDisk(const std::string& sysfs_root, unsigned major, unsigned minor);

// Reads the file system's superblock from a device node or an image file with libblkid.
// None when the device cannot be opened (no permission, no medium) or holds nothing known.
std::optional<FileSystemFacts> ProbeFileSystem(const std::string& device_path);

// The file system facts udev recorded for the device (readable without permissions).
std::optional<FileSystemFacts> UdevFileSystem(unsigned major, unsigned minor);

// The cluster count of a mounted FAT file system, from the kernel's statistics of the
// mount point (FAT reports one block per cluster); none when unavailable.
std::optional<unsigned long long> FatClusterCount(const std::string& mount_point);

}  // namespace platform::host
