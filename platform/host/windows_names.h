// The names and numbers the system's volume query gives for a host file system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform::host {

// "FAT" for FAT12 and FAT16, "FAT32", "exFAT", "NTFS", "CDFS", "UDF"; other file systems
// keep the host's name. `type` and `version` come from probing (or the mount table's
// type when probing found nothing); for FAT without a version the cluster count decides.
std::string WindowsFileSystemName(const std::string& type, const std::string& version,
                                  std::optional<unsigned long long> fat_clusters = std::nullopt);

// The 32-bit volume serial number from a probed identifier: "1234-ABCD" (FAT, exFAT) is
// 0x1234ABCD; a 16-digit NTFS serial gives its low 32 bits; longer identifiers (UUIDs)
// give their first 8 hex digits. 0 when the identifier holds no hex digits.
uint32_t SerialFromUuid(const std::string& uuid);

}  // namespace platform::host
