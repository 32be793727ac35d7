#include "platform/host/host_volumes.h"

#include <algorithm>
#include <set>

#include "platform/host/block_device.h"
#include "platform/host/windows_names.h"
#include "platform/text.h"

namespace platform::host {
namespace {

bool IsUnder(const std::string& path, const std::string& folder) {
  return path == folder || path.rfind(folder + "/", 0) == 0;
}

// Places of the running system that a person never opens as a drive.
bool IsSystemArea(const std::string& mount_point) {
  for (const char* folder : {"/proc", "/sys", "/dev", "/boot", "/snap", "/var/lib/snapd"}) {
    if (IsUnder(mount_point, folder)) return true;
  }
  return IsUnder(mount_point, "/run") && !IsUnder(mount_point, "/run/media");
}

bool IsNetworkType(const std::string& type) {
  static const std::set<std::string> kNetwork = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "afs"};
  return kNetwork.count(type) != 0;
}

bool IsOpticalType(const std::string& type) {
  return type == "iso9660" || type == "udf";
}

Volume DescribeVolume(const MountEntry& entry, const HostSources& sources) {
  Volume volume;
  volume.host_root = entry.mount_point;
  std::optional<FileSystemFacts> facts;
  if (entry.major != 0 && !entry.source.empty() && entry.source[0] == '/')
    facts = ProbeFileSystem(entry.source);
  if (!facts && entry.major != 0 && sources.use_udev) facts = UdevFileSystem(entry.major, entry.minor);
  const std::string type = facts ? facts->type : entry.fs_type;
  std::optional<unsigned long long> clusters;
  if ((!facts || facts->version.empty()) && (type == "vfat" || type == "msdos")) {
    clusters = FatClusterCount(entry.mount_point);
  }
  volume.file_system = WindowsFileSystemName(type, facts ? facts->version : std::string(), clusters);
  if (facts) {
    volume.label = Utf8ToAnsi(facts->label);
    volume.serial = SerialFromUuid(facts->uuid);
  }
  if (IsNetworkType(entry.fs_type)) {
    volume.type = DriveType::Remote;
  } else if (IsOpticalType(type)) {
    volume.type = DriveType::CdRom;
  } else if (entry.mount_point != "/" && entry.major != 0 &&
             IsRemovableDisk(sources.sysfs_root, entry.major, entry.minor)) {
    volume.type = DriveType::Removable;
  } else {
    volume.type = DriveType::Fixed;
  }
  return volume;
}

}  // namespace

std::vector<HostMount> DescribeMounts(const std::vector<MountEntry>& entries, const HostSources& sources) {
  std::vector<HostMount> mounts;
  std::set<std::pair<unsigned, unsigned>> devices_seen;
  std::set<std::string> points_seen;
  for (const MountEntry& entry : entries) {
    const bool is_root = entry.mount_point == "/";
    if (!is_root) {
      if (entry.root != "/" || IsSystemArea(entry.mount_point)) continue;
      if (entry.major == 0 && !IsNetworkType(entry.fs_type)) continue;
      if (entry.fs_type == "squashfs") continue;
    }
    // A later mount over the same point hides the earlier one.
    if (points_seen.count(entry.mount_point) != 0) {
      mounts.erase(std::remove_if(mounts.begin(), mounts.end(),
                                  [&](const HostMount& m) { return m.mount_point == entry.mount_point; }),
                   mounts.end());
    }
    if (entry.major != 0 && !devices_seen.insert({entry.major, entry.minor}).second) continue;
    points_seen.insert(entry.mount_point);
    mounts.push_back({entry.mount_point, entry.major, entry.minor, DescribeVolume(entry, sources)});
  }
  return mounts;
}

HostVolumes::HostVolumes(VolumeTable& volumes, HostSources sources)
    : volumes_(volumes), sources_(std::move(sources)) {}

uint32_t HostVolumes::LettersOfOthers() const {
  uint32_t ours = 0;
  for (const auto& [point, assigned] : letters_) ours |= 1u << (assigned.letter - 'A');
  return volumes_.LogicalDrives() & ~ours;
}

bool HostVolumes::Refresh() {
  const std::optional<std::string> table = ReadTextFile(sources_.mount_table);
  if (table && has_last_table_ && *table == last_table_) return true;
  has_last_table_ = table.has_value();
  last_table_ = table.value_or(std::string());

  std::vector<HostMount> mounts;
  if (table) mounts = DescribeMounts(ParseMountInfo(*table), sources_);
  std::sort(mounts.begin(), mounts.end(),
            [](const HostMount& a, const HostMount& b) { return a.mount_point < b.mount_point; });

  const uint32_t others = LettersOfOthers();
  std::map<std::string, Assigned> kept;
  bool device_replaced = false;
  for (const HostMount& mount : mounts) {
    auto old = letters_.find(mount.mount_point);
    if (old == letters_.end()) continue;
    if (old->second.major == mount.major && old->second.minor == mount.minor) {
      kept.insert(*old);
    } else {
      device_replaced = true;  // another medium at the same place: the old one went away
    }
  }
  std::map<char, Volume> host;
  if (device_replaced) {
    for (const auto& [point, assigned] : kept) {
      for (const HostMount& mount : mounts) {
        if (mount.mount_point == point) host[assigned.letter] = mount.volume;
      }
    }
    volumes_.ReplaceHostVolumes(host);
  }

  uint32_t taken = others;
  for (const auto& [point, assigned] : kept) taken |= 1u << (assigned.letter - 'A');
  auto first_free = [&](char from) -> char {
    for (char letter = from; letter <= 'Z'; ++letter) {
      if ((taken & (1u << (letter - 'A'))) == 0) return letter;
    }
    return 0;
  };
  letters_.clear();
  host.clear();
  for (const HostMount& mount : mounts) {
    auto found = kept.find(mount.mount_point);
    char letter = 0;
    if (found != kept.end()) {
      letter = found->second.letter;
    } else {
      letter = mount.mount_point == "/" ? first_free('C') : first_free('D');
      if (letter == 0) continue;  // more file systems than letters
      taken |= 1u << (letter - 'A');
    }
    letters_[mount.mount_point] = {letter, mount.major, mount.minor};
    host[letter] = mount.volume;
  }
  volumes_.ReplaceHostVolumes(host);
  return table.has_value();
}

}  // namespace platform::host
