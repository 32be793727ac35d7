#include "platform/host/windows_names.h"

#include <cctype>

namespace platform::host {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string WindowsFileSystemName(const std::string& type, const std::string& version,
                                  std::optional<unsigned long long> fat_clusters) {
  const std::string name = Lower(type);
  if (name == "vfat" || name == "msdos" || name == "fat" || name == "fat12" || name == "fat16" ||
      name == "fat32") {
    const bool name_is_version = name.size() == 5 && name.rfind("fat", 0) == 0;
    const std::string fat_version = version.empty() && name_is_version ? name : Lower(version);
    if (fat_version == "fat32") return "FAT32";
    if (fat_version == "fat12" || fat_version == "fat16") return "FAT";
    // The FAT type follows from the cluster count alone.
    if (fat_clusters && *fat_clusters >= 65525) return "FAT32";
    return "FAT";
  }
  if (name == "exfat") return "exFAT";
  if (name == "ntfs" || name == "ntfs3" || name == "ntfs-3g") return "NTFS";
  if (name == "iso9660") return "CDFS";
  if (name == "udf") return "UDF";
  return type;
}

uint32_t SerialFromUuid(const std::string& uuid) {
  std::string digits;
  for (char c : uuid) {
    if (std::isxdigit(static_cast<unsigned char>(c))) digits.push_back(c);
  }
  if (digits.empty()) return 0;
  if (digits.size() == 16) {
    digits = digits.substr(8);
  } else if (digits.size() > 8) {
    digits.resize(8);
  }
  uint32_t serial = 0;
  for (char c : digits) {
    serial =
        serial * 16 + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(c))
                                                ? c - '0'
                                                : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
  }
  return serial;
}

}  // namespace platform::host
