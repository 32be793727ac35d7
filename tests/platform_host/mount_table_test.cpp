#include "platform/host/mount_table.h"

#include <gtest/gtest.h>

#include "platform/host/windows_names.h"

namespace platform::host {
namespace {

TEST(MountTable, ReadsFieldsUnescapesNamesAndSkipsBrokenLines) {
  const std::string text =
      "21 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "30 21 179:1 / /media/user/NAVI\\040CARD rw,nosuid shared:5 master:2 - vfat /dev/mmcblk0p1 rw\n"
      "31 21 8:17 /sub\\134dir /srv/bind rw - ext4 /dev/sdb1 rw\n"
      "garbage line\n"
      "32 21 8:x / /bad rw - ext4 /dev/sdc1 rw\n"
      "33 21 8:33 / /no-separator rw ext4 /dev/sdc1 rw\n"
      "34 21 0:50 / /mnt/share rw - cifs //server/share rw";  // no final newline
  const std::vector<MountEntry> entries = ParseMountInfo(text);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].mount_point, "/");
  EXPECT_EQ(entries[0].fs_type, "ext4");
  EXPECT_EQ(entries[1].major, 179u);
  EXPECT_EQ(entries[1].minor, 1u);
  EXPECT_EQ(entries[1].mount_point, "/media/user/NAVI CARD");
  EXPECT_EQ(entries[1].fs_type, "vfat");
  EXPECT_EQ(entries[1].source, "/dev/mmcblk0p1");
  EXPECT_EQ(entries[2].root, "/sub\\dir");
  EXPECT_EQ(entries[3].source, "//server/share");
  EXPECT_TRUE(ParseMountInfo("").empty());
}

TEST(WindowsNames, FileSystemNamesAsTheVolumeQueryGivesThem) {
  struct Case {
    std::string type, version;
    std::optional<unsigned long long> clusters;
    std::string expected;
  } cases[] = {
      {"vfat", "FAT12", {}, "FAT"}, {"vfat", "FAT16", {}, "FAT"}, {"vfat", "FAT32", {}, "FAT32"},
      {"vfat", "", 65524, "FAT"},   {"vfat", "", 65525, "FAT32"}, {"vfat", "", {}, "FAT"},
      {"msdos", "", 4000, "FAT"},   {"exfat", "", {}, "exFAT"},   {"ntfs", "", {}, "NTFS"},
      {"ntfs3", "", {}, "NTFS"},    {"iso9660", "", {}, "CDFS"},  {"ext4", "1.0", {}, "ext4"},
      {"btrfs", "", {}, "btrfs"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WindowsFileSystemName(c.type, c.version, c.clusters), c.expected) << c.type << " " << c.version;
  }
}

TEST(WindowsNames, SerialNumbersFromIdentifiers) {
  struct Case {
    std::string uuid;
    uint32_t expected;
  } cases[] = {
      {"1234-ABCD", 0x1234ABCDu},
      {"0b1c-9f0e", 0x0B1C9F0Eu},
      {"0123456789ABCDEF", 0x89ABCDEFu},                      // NTFS: the low half
      {"d0e1f2a3-1111-2222-3333-444455556666", 0xD0E1F2A3u},  // UUIDs: the first eight digits
      {"", 0u},
      {"----", 0u},
  };
  for (const Case& c : cases) EXPECT_EQ(SerialFromUuid(c.uuid), c.expected) << c.uuid;
}

}  // namespace
}  // namespace platform::host
