#include "platform/host/host_volumes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/host/block_device.h"
#include "tests/support/fake_services.h"

namespace platform::host {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

// A disk (and its first partition) in a sysfs tree, reached from dev/block/MAJ:MIN.
void AddDisk(const fs::path& sys, const std::string& device_folder, const std::string& disk, unsigned major,
             unsigned first_minor, bool removable_flag) {
  const fs::path disk_path = sys / device_folder / "block" / disk;
  const fs::path partition_path = disk_path / (disk + (disk.rfind("mmcblk", 0) == 0 ? "p1" : "1"));
  WriteFile(disk_path / "removable", removable_flag ? "1\n" : "0\n");
  WriteFile(partition_path / "partition", "1\n");
  fs::create_directories(sys / "dev" / "block");
  fs::create_symlink(partition_path,
                     sys / "dev" / "block" / (std::to_string(major) + ":" + std::to_string(first_minor + 1)));
  fs::create_symlink(disk_path,
                     sys / "dev" / "block" / (std::to_string(major) + ":" + std::to_string(first_minor)));
}

bool RunQuietly(const std::string& command) {
  // The formatting tools live in /usr/sbin, which is not on every user's path.
  return std::system(("export PATH=\"$PATH:/usr/sbin:/sbin\"; " + command + " >/dev/null 2>&1").c_str()) == 0;
}

// Host drives of a made-up machine: a fixed root disk, an SD card in a built-in reader
// (FAT16), a card in a USB reader (FAT32), an exFAT card flagged removable, a network share.
class HostFixture : public ::testing::Test {
 protected:
  testing_support::TempFolder temp;
  fs::path sys, table;
  std::string fat16, fat32, exfat;

  void SetUp() override {
    const fs::path root(temp.path());
    sys = root / "sys";
    table = root / "mountinfo";
    AddDisk(sys, "devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0", "sda", 8, 0, false);
    AddDisk(sys, "devices/platform/soc/mmc_host/mmc0/mmc0:aaaa", "mmcblk0", 179, 0, false);
    AddDisk(sys, "devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0", "sdb", 8, 16,
            false);
    AddDisk(sys, "devices/pci0000:00/0000:00:1d.0/host7/target7:0:0/7:0:0:0", "sdc", 8, 32, true);
    fat16 = (root / "fat16.img").string();
    fat32 = (root / "fat32.img").string();
    exfat = (root / "exfat.img").string();
    ASSERT_TRUE(RunQuietly("mkfs.fat -C -F 16 -s 1 -n NAVI16 -i 1234ABCD " + fat16 + " 8192"))
        << "mkfs.fat is needed";
    ASSERT_TRUE(RunQuietly("mkfs.fat -C -F 32 -n NAVI32 -i 0B1C9F0E " + fat32 + " 40000"));
    ASSERT_TRUE(RunQuietly("truncate -s 8M " + exfat + " && mkfs.exfat -L EXCARD " + exfat))
        << "mkfs.exfat is needed";
  }

  std::string Line(int id, const std::string& numbers, const std::string& point, const std::string& type,
                   const std::string& source, const std::string& root = "/") {
    return std::to_string(id) + " 1 " + numbers + " " + root + " " + point + " rw,relatime shared:1 - " +
           type + " " + source + " rw\n";
  }

  std::string FullTable() {
    const std::string missing = temp.path() + "/no-such-device";
    return Line(21, "8:1", "/", "ext4", missing) + Line(22, "0:5", "/proc", "proc", "proc") +
           Line(23, "8:1", "/srv/bind", "ext4", missing, "/home/x") +
           Line(24, "0:25", "/dev/shm", "tmpfs", "tmpfs") +
           Line(30, "179:1", "/media/user/NAVI\\040CARD", "vfat", fat16) +
           Line(31, "8:17", "/media/user/CARD32", "vfat", fat32) +
           Line(32, "8:33", "/media/user/EX", "exfat", exfat) +
           Line(33, "0:50", "/mnt/share", "cifs", "//server/share") +
           Line(34, "8:1", "/again", "ext4", missing);
  }

  HostSources Sources() { return {table.string(), sys.string(), false}; }
};

TEST_F(HostFixture, RemovableSlotsFromTheDeviceTree) {
  struct Case {
    unsigned major, minor;
    bool removable;
  } cases[] = {{8, 1, false}, {8, 0, false}, {179, 1, true}, {8, 17, true}, {8, 33, true}, {9, 9, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsRemovableDisk(sys.string(), c.major, c.minor), c.removable) << c.major << ":" << c.minor;
  }
}

TEST_F(HostFixture, ProbesImagesWithTheirFatVersionLabelAndSerial) {
  const std::optional<FileSystemFacts> f16 = ProbeFileSystem(fat16);
  ASSERT_TRUE(f16);
  EXPECT_EQ(f16->type, "vfat");
  EXPECT_EQ(f16->version, "FAT16");
  EXPECT_EQ(f16->label, "NAVI16");
  EXPECT_EQ(f16->uuid, "1234-ABCD");
  const std::optional<FileSystemFacts> ex = ProbeFileSystem(exfat);
  ASSERT_TRUE(ex);
  EXPECT_EQ(ex->type, "exfat");
  EXPECT_EQ(ex->label, "EXCARD");
  EXPECT_FALSE(ProbeFileSystem(temp.path() + "/no-such-device"));
  EXPECT_FALSE(ProbeFileSystem(table.string()));  // a file that holds no file system
}

TEST_F(HostFixture, DrivesGetLettersTypesAndFileSystemNames) {
  WriteFile(table, FullTable());
  VolumeTable volumes;
  HostVolumes host(volumes, Sources());
  ASSERT_TRUE(host.Refresh());

  struct Expected {
    char letter;
    std::string root;
    DriveType type;
    std::string file_system;
    std::string label;
  } expected[] = {
      {'C', "/", DriveType::Fixed, "ext4", ""},
      {'D', "/media/user/CARD32", DriveType::Removable, "FAT32", "NAVI32"},
      {'E', "/media/user/EX", DriveType::Removable, "exFAT", "EXCARD"},
      {'F', "/media/user/NAVI CARD", DriveType::Removable, "FAT", "NAVI16"},
      {'G', "/mnt/share", DriveType::Remote, "cifs", ""},
  };
  uint32_t expected_bits = 0;
  for (const Expected& e : expected) {
    expected_bits |= 1u << (e.letter - 'A');
    const Volume* volume = volumes.Find(e.letter);
    ASSERT_NE(volume, nullptr) << e.letter;
    EXPECT_EQ(volume->host_root, e.root) << e.letter;
    EXPECT_EQ(volume->type, e.type) << e.letter;
    EXPECT_EQ(volume->file_system, e.file_system) << e.letter;
    EXPECT_EQ(volume->label, e.label) << e.letter;
  }
  EXPECT_EQ(volumes.LogicalDrives(),
            expected_bits);  // bind mounts, pseudo and repeated devices are no drives
  EXPECT_EQ(volumes.Find('D')->serial, 0x0B1C9F0Eu);
  EXPECT_EQ(volumes.Find('F')->serial, 0x1234ABCDu);
  EXPECT_NE(volumes.Find('E')->serial, 0u);
}

TEST_F(HostFixture, LettersStayPutAndAVanishedDriveIsAnnouncedOnce) {
  WriteFile(table, FullTable());
  VolumeTable volumes;
  ASSERT_EQ(volumes.AttachFolder(temp.path(), 'D'), 'D');  // an attached folder keeps its letter
  std::vector<char> removed;
  volumes.OnRemoval([&](char letter) { removed.push_back(letter); });
  HostVolumes host(volumes, Sources());
  ASSERT_TRUE(host.Refresh());
  EXPECT_EQ(volumes.Find('D')->host_root, temp.path());
  EXPECT_EQ(volumes.Find('E')->host_root, "/media/user/CARD32");
  EXPECT_EQ(volumes.Find('G')->host_root, "/media/user/NAVI CARD");

  // The FAT32 card is pulled out.
  std::string table_text = FullTable();
  const std::string card_line = Line(31, "8:17", "/media/user/CARD32", "vfat", fat32);
  table_text.erase(table_text.find(card_line), card_line.size());
  WriteFile(table, table_text);
  ASSERT_TRUE(host.Refresh());
  ASSERT_TRUE(host.Refresh());
  EXPECT_EQ(removed, std::vector<char>{'E'});
  EXPECT_EQ(volumes.Find('E'), nullptr);
  EXPECT_EQ(volumes.Find('G')->host_root, "/media/user/NAVI CARD");  // the others keep their letters
  EXPECT_EQ(volumes.Find('D')->host_root, temp.path());

  // A new card takes the lowest free letter.
  WriteFile(table, table_text + Line(40, "8:49", "/media/user/NEW", "vfat", fat32));
  ASSERT_TRUE(host.Refresh());
  ASSERT_NE(volumes.Find('E'), nullptr);
  EXPECT_EQ(volumes.Find('E')->host_root, "/media/user/NEW");
  EXPECT_EQ(removed.size(), 1u);

  // Another medium at the same place counts as a removal of the old one.
  WriteFile(table, table_text + Line(40, "8:65", "/media/user/NEW", "vfat", fat32));
  ASSERT_TRUE(host.Refresh());
  EXPECT_EQ(removed, (std::vector<char>{'E', 'E'}));
  EXPECT_EQ(volumes.Find('E')->host_root, "/media/user/NEW");
}

TEST_F(HostFixture, AnUnreadableMountTableLeavesNoHostDrive) {
  WriteFile(table, FullTable());
  VolumeTable volumes;
  volumes.AttachFolder(temp.path(), 'K');
  std::vector<char> removed;
  volumes.OnRemoval([&](char letter) { removed.push_back(letter); });
  HostVolumes host(volumes, Sources());
  ASSERT_TRUE(host.Refresh());
  fs::remove(table);
  EXPECT_FALSE(host.Refresh());
  EXPECT_EQ(volumes.LogicalDrives(), 1u << ('K' - 'A'));
  EXPECT_EQ(removed.size(), 5u);  // each host drive went away once
  EXPECT_FALSE(host.Refresh());
  EXPECT_EQ(removed.size(), 5u);

  VolumeTable empty;
  HostVolumes never(empty, {temp.path() + "/missing", sys.string(), false});
  EXPECT_FALSE(never.Refresh());
  EXPECT_EQ(empty.LogicalDrives(), 0u);
}

}  // namespace
}  // namespace platform::host
