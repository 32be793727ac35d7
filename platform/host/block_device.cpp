#include "platform/host/block_device.h"

#include <blkid/blkid.h>
#include <libudev.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <memory>

#include "platform/host/mount_table.h"

namespace platform::host {
namespace {

namespace fs = std::filesystem;

bool PathHasBusComponent(const fs::path& device_path) {
  for (const fs::path& part : device_path) {
    const std::string name = part.string();
    if (name.rfind("usb", 0) == 0 || name.rfind("mmc", 0) == 0 || name.rfind("memstick", 0) == 0) return true;
  }
  return false;
}

std::string TrimmedLine(const std::optional<std::string>& text) {
  if (!text) return {};
  std::string value = *text;
  while (!value.empty() && (value.back() == '\n' || value.back() == ' ')) value.pop_back();
  return value;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// udev writes unsafe bytes of a label as \xHH in ID_FS_LABEL_ENC.
std::string DecodeUdevEscapes(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    if (p[0] == '\\' && p[1] == 'x' && HexValue(p[2]) >= 0 && HexValue(p[3]) >= 0) {
      out.push_back(static_cast<char>(HexValue(p[2]) * 16 + HexValue(p[3])));
      p += 3;
    } else {
      out.push_back(*p);
    }
  }
  return out;
}

}  // namespace

bool IsRemovableDisk(const std::string& sysfs_root, unsigned major, unsigned minor) {
  std::error_code error;
  const fs::path link =
      fs::path(sysfs_root) / "dev" / "block" / (std::to_string(major) + ":" + std::to_string(minor));
  fs::path device = fs::canonical(link, error);
  if (error) return false;
  // A partition's flags live on its disk, the folder above it.
  if (fs::exists(device / "partition", error)) device = device.parent_path();
  if (TrimmedLine(ReadTextFile((device / "removable").string())) == "1") return true;
  return PathHasBusComponent(device);
}

std::optional<FileSystemFacts> ProbeFileSystem(const std::string& device_path) {
  std::unique_ptr<blkid_struct_probe, void (*)(blkid_probe)> probe(
      blkid_new_probe_from_filename(device_path.c_str()), blkid_free_probe);
  if (!probe) return std::nullopt;
  blkid_probe_enable_superblocks(probe.get(), 1);
  blkid_probe_set_superblocks_flags(
      probe.get(), BLKID_SUBLKS_TYPE | BLKID_SUBLKS_VERSION | BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID);
  blkid_probe_enable_partitions(probe.get(), 0);
  if (blkid_do_safeprobe(probe.get()) != 0) return std::nullopt;
  auto value = [&](const char* name) {
    const char* data = nullptr;
    if (blkid_probe_lookup_value(probe.get(), name, &data, nullptr) != 0 || data == nullptr)
      return std::string();
    return std::string(data);
  };
  FileSystemFacts facts{value("TYPE"), value("VERSION"), value("LABEL"), value("UUID")};
  if (facts.type.empty()) return std::nullopt;
  return facts;
}

std::optional<FileSystemFacts> UdevFileSystem(unsigned major, unsigned minor) {
  std::unique_ptr<udev, udev* (*)(udev*)> context(udev_new(), udev_unref);
  if (!context) return std::nullopt;
  std::unique_ptr<udev_device, udev_device* (*)(udev_device*)> device(
      udev_device_new_from_devnum(context.get(), 'b', makedev(major, minor)), udev_device_unref);
  if (!device) return std::nullopt;
  auto property = [&](const char* name) {
    const char* data = udev_device_get_property_value(device.get(), name);
    return data == nullptr ? std::string() : std::string(data);
  };
  FileSystemFacts facts{property("ID_FS_TYPE"), property("ID_FS_VERSION"), {}, property("ID_FS_UUID")};
  if (const char* label = udev_device_get_property_value(device.get(), "ID_FS_LABEL_ENC")) {
    facts.label = DecodeUdevEscapes(label);
  } else {
    facts.label = property("ID_FS_LABEL");
  }
  if (facts.type.empty()) return std::nullopt;
  return facts;
}

std::optional<unsigned long long> FatClusterCount(const std::string& mount_point) {
  struct statvfs stats {};
  if (statvfs(mount_point.c_str(), &stats) != 0 || stats.f_blocks == 0) return std::nullopt;
  return static_cast<unsigned long long>(stats.f_blocks);
}

}  // namespace platform::host
