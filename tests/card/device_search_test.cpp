#include "card/device_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "log/log.h"
#include "tests/support/card_builder.h"

namespace {

using card::CopyDirAllToWinCe;
using card::FindDeviceCards;
using testing_support::CardBuilder;
using testing_support::CardOptions;
using testing_support::TestPlatform;

// A log whose debugger channel is on, collecting every line the search traces.
class TracedTest : public ::testing::Test {
 protected:
  TracedTest() {
    log_.SetDebugOutput(&platform_.debug_output);
    log_.SetMask(CLog::kDebugger);
  }
  const std::vector<std::string>& Lines() const { return platform_.debug_output.pieces; }

  TestPlatform platform_;
  CLog log_;
  ScopedLog installed_{log_};
};

using DeviceSearchTest = TracedTest;

TEST_F(DeviceSearchTest, QualifiesOnlyRemovableFatDrivesHoldingTheProgram) {
  using Fill = std::function<void(CardBuilder&)>;
  const Fill in_navi = [](CardBuilder& c) { c.NaviExe("Navi"); };
  struct Case {
    const char* what;
    CardOptions options;
    Fill fill;
    bool qualifies;
  };
  const Case cases[] = {
      {"FAT32 card, Navi\\Navi.exe", {}, in_navi, true},
      {"FAT card", {.file_system = "FAT"}, in_navi, true},
      {"program at the root", {}, [](CardBuilder& c) { c.NaviExe(""); }, true},
      {"program outside Navi, deep down", {}, [](CardBuilder& c) { c.NaviExe("Backup/old/2009"); }, true},
      {"program after other folders",
       {},
       [](CardBuilder& c) { c.MakeFolder("Music/a/b").WriteFile("Photos/x.jpg", "x").NaviExe("Photos"); },
       true},
      {"name in capitals", {}, [](CardBuilder& c) { c.NaviExe("Navi", "NAVI.EXE"); }, false},
      {"name in small letters", {}, [](CardBuilder& c) { c.NaviExe("Navi", "navi.exe"); }, false},
      {"a folder named Navi.exe", {}, [](CardBuilder& c) { c.MakeFolder("Navi/Navi.exe"); }, false},
      {"no program, Navi folder only", {}, [](CardBuilder& c) { c.MakeFolder("Navi/Data"); }, false},
      {"empty card", {}, [](CardBuilder&) {}, false},
      {"exFAT", {.file_system = "exFAT"}, in_navi, false},
      {"NTFS", {.file_system = "NTFS"}, in_navi, false},
      {"fat32 in small letters", {.file_system = "fat32"}, in_navi, false},
      {"no file system name", {.file_system = ""}, in_navi, false},
      {"fixed disk", {.type = platform::DriveType::Fixed}, in_navi, false},
      {"network drive", {.type = platform::DriveType::Remote}, in_navi, false},
      {"optical drive", {.type = platform::DriveType::CdRom}, in_navi, false},
      {"drive A:", {.letter = 'A'}, in_navi, false},
      {"drive B:", {.letter = 'B'}, in_navi, false},
  };
  for (const Case& c : cases) {
    TestPlatform platform;
    CardBuilder card(platform, c.options);
    c.fill(card);
    const std::vector<char> expected =
        c.qualifies ? std::vector<char>{c.options.letter} : std::vector<char>{};
    EXPECT_EQ(FindDeviceCards(platform.files), expected) << c.what;
  }
}

TEST_F(DeviceSearchTest, ListsEveryCardAscending) {
  CardBuilder g(platform_, {.letter = 'G'});
  CardBuilder e(platform_, {.letter = 'E'});
  CardBuilder f(platform_, {.letter = 'F', .file_system = "FAT"});  // removable FAT, no program
  CardBuilder c(platform_, {.letter = 'C', .type = platform::DriveType::Fixed, .file_system = "NTFS"});
  g.NaviExe();
  e.NaviExe();
  f.MakeFolder("Navi");
  c.NaviExe();
  EXPECT_EQ(FindDeviceCards(platform_.files), (std::vector<char>{'E', 'G'}));
  EXPECT_EQ(FindDeviceCards(platform_.files), (std::vector<char>{'E', 'G'}));  // a search starts afresh
}

TEST_F(DeviceSearchTest, TracesEveryStepInOrder) {
  CardBuilder a(platform_, {.letter = 'A', .serial = 1});
  CardBuilder c(platform_, {.letter = 'C',
                            .type = platform::DriveType::Fixed,
                            .file_system = "NTFS",
                            .label = "SYSTEM",
                            .serial = 0xABCDEF12});
  CardBuilder e(platform_, {.letter = 'E'});
  a.NaviExe();
  e.NaviExe();
  ASSERT_EQ(FindDeviceCards(platform_.files), std::vector<char>{'E'});
  const std::vector<std::string> expected = {
      "21  --------  Drive GetLogicalDrives()\n",
      "21  --------  Drive GetLogicalDrives()\n",
      "A:\\  --------  Drive Search\n",
      "5  --------  Drive GetLogicalDrives()\n",
      "C:\\  --------  Drive Search\n",
      "3  --------  Drive GetDriveType()\n",
      "NTFS  --------  GetDrvFileSystemString()\n",
      "ABCDEF12  --------  GetDrvSerialString()\n",
      "SYSTEM  --------  GetDrvNameString()\n",
      "1  --------  Drive GetLogicalDrives()\n",
      "E:\\  --------  Drive Search\n",
      "2  --------  Drive GetDriveType()\n",
      "FAT32  --------  GetDrvFileSystemString()\n",
      "00C0FFEE  --------  GetDrvSerialString()\n",
      "NAVI  --------  GetDrvNameString()\n",
      "CopyDirAllToWinCe.....\n",
      "E:\\* : szDirAll.....\n",
      "Navi : wfd.cFileName.....\n",
      "CopyDirAllToWinCe.....\n",
      "E:\\Navi\\* : szDirAll.....\n",
      "Navi.exe : wfd.cFileName.....\n",
      "E:  --------  Drive Search\n",
  };
  EXPECT_EQ(Lines(), expected);
}

TEST(DeviceSearchQuietTest, TracesNothingWhileTheLogIsOff) {
  TestPlatform platform;
  CLog log;
  log.SetDebugOutput(&platform.debug_output);
  ScopedLog installed(log);
  CardBuilder e(platform);
  e.NaviExe();
  EXPECT_EQ(FindDeviceCards(platform.files), std::vector<char>{'E'});
  EXPECT_TRUE(platform.debug_output.pieces.empty());
}

using CopyDirAllTest = TracedTest;

TEST_F(CopyDirAllTest, MissingFolderTracesOnlyItsFirstLine) {
  CardBuilder e(platform_);
  EXPECT_EQ(CopyDirAllToWinCe(platform_.files, "E:\\nowhere", "0"), 0);
  EXPECT_EQ(Lines(), std::vector<std::string>{"CopyDirAllToWinCe.....\n"});
}

TEST_F(CopyDirAllTest, EndsOnFoldersTooDeepAndOnLoops) {
  CardBuilder e(platform_);
  // A program deeper than a path can reach is not found.
  std::string deep;
  for (int i = 0; i < 40; ++i) deep += "folder" + std::to_string(i % 10) + "/";
  e.NaviExe(deep);
  // A folder that contains itself through a host link.
  e.MakeFolder("loop");
  std::filesystem::create_directory_symlink(".", e.HostPath("loop/again"));
  EXPECT_EQ(CopyDirAllToWinCe(platform_.files, "E:", "0"), 0);
  e.NaviExe("loop");
  EXPECT_EQ(CopyDirAllToWinCe(platform_.files, "E:", "0"), 1);
}

TEST(DriveInformationTest, ReadsTheVolumeTable) {
  TestPlatform platform;
  CardBuilder e(platform, {.letter = 'E', .label = std::string(1500, 'L'), .serial = 0x0000ABCD});
  CardBuilder f(platform,
                {.letter = 'F', .file_system = std::string(40, 'F'), .label = "", .serial = 0xFEDCBA98});
  const platform::VolumeTable& volumes = platform.volumes;
  EXPECT_EQ(card::GetDrvSerialString(volumes, 'E'), "0000ABCD");
  EXPECT_EQ(card::GetDrvSerialString(volumes, 'F'), "FEDCBA98");
  EXPECT_EQ(card::GetDrvSerialString(volumes, 'Q'), "00000000");
  EXPECT_EQ(card::GetDrvNameString(volumes, 'E'), std::string(1023, 'L'));
  EXPECT_EQ(card::GetDrvNameString(volumes, 'F'), "");
  EXPECT_EQ(card::GetDrvNameString(volumes, 'Q'), "");
  EXPECT_EQ(card::GetDrvFileSystemString(volumes, 'E'), "FAT32");
  EXPECT_EQ(card::GetDrvFileSystemString(volumes, 'F'), std::string(29, 'F'));
  EXPECT_EQ(card::GetDrvFileSystemString(volumes, 'Q'), "");
}

}  // namespace
