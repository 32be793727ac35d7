#include "platform/volumes.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/fake_services.h"

namespace {

using platform::DriveType;
using platform::Volume;
using platform::VolumeTable;

Volume HostVolume(const std::string& root, DriveType type, const char* file_system, uint32_t serial) {
  Volume volume;
  volume.host_root = root;
  volume.type = type;
  volume.file_system = file_system;
  volume.serial = serial;
  return volume;
}

TEST(VolumeTable, AttachedFolderIsARemovableFat32Card) {
  testing_support::TempFolder folder;
  VolumeTable volumes;
  ASSERT_EQ(volumes.AttachFolder(folder.path(), 'G', "MYCARD", 0x00C0FFEE), 'G');
  const Volume* card = volumes.Find('G');
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->host_root, folder.path());
  EXPECT_EQ(card->type, DriveType::Removable);
  EXPECT_EQ(card->file_system, "FAT32");
  EXPECT_EQ(card->label, "MYCARD");
  EXPECT_EQ(card->serial, 0x00C0FFEEu);
  EXPECT_EQ(volumes.Find('g'), card);
  EXPECT_EQ(volumes.LogicalDrives(), 1u << ('G' - 'A'));
}

TEST(VolumeTable, AttachFolderTakesTheFirstFreeLetterFromE) {
  testing_support::TempFolder folder;
  VolumeTable volumes;
  ASSERT_TRUE(volumes.Attach('E', HostVolume("/", DriveType::Fixed, "ext4", 1)));
  EXPECT_EQ(volumes.AttachFolder(folder.path()), 'F');       // no preference
  EXPECT_EQ(volumes.AttachFolder(folder.path(), 'F'), 'G');  // preferred letter taken
  EXPECT_EQ(volumes.AttachFolder(folder.path(), 'c'), 'C');  // either case
  EXPECT_EQ(volumes.AttachFolder(folder.path(), '7'), 'H');  // not a letter
  EXPECT_EQ(volumes.LogicalDrives(), (1u << 2) | (0xFu << 4));
  for (char letter = 'I'; letter <= 'Z'; ++letter) ASSERT_EQ(volumes.AttachFolder(folder.path()), letter);
  EXPECT_EQ(volumes.AttachFolder(folder.path()), 0);  // every letter from E on is taken
}

TEST(VolumeTable, RefusesBadLettersAndMissingFolders) {
  testing_support::TempFolder folder;
  VolumeTable volumes;
  EXPECT_FALSE(volumes.Attach('1', HostVolume("/", DriveType::Fixed, "ext4", 1)));
  EXPECT_FALSE(volumes.Attach('\0', HostVolume("/", DriveType::Fixed, "ext4", 1)));
  EXPECT_EQ(volumes.AttachFolder(folder.path() + "/missing"), 0);
  EXPECT_EQ(volumes.AttachFolder(""), 0);
  EXPECT_EQ(volumes.LogicalDrives(), 0u);
  EXPECT_EQ(volumes.Find('E'), nullptr);
}

TEST(VolumeTable, TypeOfRootAcceptsTheRootFormsOnly) {
  testing_support::TempFolder folder;
  VolumeTable volumes;
  volumes.AttachFolder(folder.path(), 'E');
  ASSERT_TRUE(volumes.Attach('C', HostVolume("/", DriveType::Fixed, "ext4", 1)));
  struct Case {
    const char* root;
    DriveType type;
  };
  const Case cases[] = {
      {"E:\\", DriveType::Removable},     {"e:\\", DriveType::Removable}, {"E:", DriveType::Removable},
      {"E:/", DriveType::Removable},      {"C:\\", DriveType::Fixed},     {"F:\\", DriveType::NoRootDir},
      {"E:\\Navi", DriveType::NoRootDir}, {"E", DriveType::NoRootDir},    {"", DriveType::NoRootDir},
      {"1:\\", DriveType::NoRootDir},     {"E;\\", DriveType::NoRootDir},
  };
  for (const Case& c : cases) EXPECT_EQ(volumes.TypeOfRoot(c.root), c.type) << c.root;
}

TEST(VolumeTable, DetachRaisesOneNoticeAndForgetsTheCurrentDrive) {
  testing_support::TempFolder folder;
  VolumeTable volumes;
  std::vector<char> first, second;
  volumes.OnRemoval([&](char letter) { first.push_back(letter); });
  volumes.OnRemoval([&](char letter) { second.push_back(letter); });
  volumes.AttachFolder(folder.path(), 'E');
  volumes.SetCurrent('E');
  EXPECT_TRUE(volumes.Detach('e'));
  EXPECT_FALSE(volumes.Detach('E'));  // already gone: no second notice
  EXPECT_FALSE(volumes.Detach('Q'));
  EXPECT_EQ(first, std::vector<char>{'E'});
  EXPECT_EQ(second, std::vector<char>{'E'});
  EXPECT_EQ(volumes.Current(), 0);
  EXPECT_EQ(volumes.LogicalDrives(), 0u);
}

TEST(VolumeTable, ListenerMayChangeTheTableDuringANotice) {
  testing_support::TempFolder folder;
  VolumeTable volumes;
  std::vector<char> heard;
  volumes.AttachFolder(folder.path(), 'E');
  volumes.AttachFolder(folder.path(), 'F');
  volumes.OnRemoval([&](char letter) {
    heard.push_back(letter);
    if (letter == 'E') volumes.Detach('F');
    volumes.OnRemoval([](char) {});
  });
  EXPECT_TRUE(volumes.Detach('E'));
  EXPECT_EQ(heard, (std::vector<char>{'E', 'F'}));
}

TEST(VolumeTable, ReplaceHostVolumesKeepsAttachedFoldersAndReportsEachVanishedVolume) {
  testing_support::TempFolder folder;
  VolumeTable volumes;
  std::vector<char> removed;
  volumes.OnRemoval([&](char letter) { removed.push_back(letter); });
  volumes.AttachFolder(folder.path(), 'E');

  volumes.ReplaceHostVolumes({{'C', HostVolume("/", DriveType::Fixed, "ext4", 1)},
                              {'F', HostVolume("/media/a", DriveType::Removable, "FAT32", 2)},
                              {'G', HostVolume("/media/b", DriveType::Removable, "FAT", 3)},
                              {'E', HostVolume("/media/c", DriveType::Removable, "FAT", 4)}});
  EXPECT_EQ(volumes.Find('E')->host_root, folder.path());  // the attached folder keeps E
  EXPECT_EQ(volumes.TypeOfRoot("C:\\"), DriveType::Fixed);
  EXPECT_TRUE(removed.empty());

  // F vanishes, G is unchanged, C now reaches another volume, H arrives.
  volumes.ReplaceHostVolumes({{'C', HostVolume("/", DriveType::Fixed, "ext4", 9)},
                              {'G', HostVolume("/media/b", DriveType::Removable, "FAT", 3)},
                              {'h', HostVolume("/media/d", DriveType::CdRom, "", 5)}});
  EXPECT_EQ(removed, (std::vector<char>{'C', 'F'}));
  EXPECT_EQ(volumes.Find('F'), nullptr);
  EXPECT_EQ(volumes.Find('C')->serial, 9u);
  EXPECT_EQ(volumes.TypeOfRoot("H:\\"), DriveType::CdRom);
  EXPECT_NE(volumes.Find('E'), nullptr);

  removed.clear();
  volumes.ReplaceHostVolumes({});
  EXPECT_EQ(removed, (std::vector<char>{'C', 'G', 'H'}));
  EXPECT_EQ(volumes.LogicalDrives(), 1u << ('E' - 'A'));
}

}  // namespace
