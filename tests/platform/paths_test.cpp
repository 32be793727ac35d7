// How program paths reach host files: drive letters, separators, letter case, code
// page 932 names, and the paths that are refused.
#include <gtest/gtest.h>

#include <optional>

#include "platform/text.h"
#include "tests/platform/card_folder.h"

namespace platform_tests {
namespace {

const std::string kFavorites = platform::Utf8ToAnsi("お気に入りフォルダ");

class Paths : public CardFolder {
 protected:
  void SetUp() override {
    CardFolder::SetUp();
    MakeHostFolder("Navi/Data");
    MakeHostFolder("Navi/User/お気に入りフォルダ/旅行");
    PutHostFile("Navi/Data/MapCode.bin", "map");
    PutHostFile("Navi/Version.ini", "[Version]\n");
    PutHostFile("Navi/User/お気に入りフォルダ/FavList.txt", "");
    PutHostFile("ソ表.txt", "");
  }
};

TEST_F(Paths, ResolvesThroughTheVolumeTable) {
  volumes.SetCurrent('E');
  struct Case {
    std::string path;
    std::string host;  // relative to the card, "" for its root
  };
  const Case cases[] = {
      {"E:\\Navi\\Data\\MapCode.bin", "Navi/Data/MapCode.bin"},
      {"e:\\navi\\DATA\\mapcode.BIN", "Navi/Data/MapCode.bin"},  // drive and names in any case
      {"E:/Navi/Data/MapCode.bin", "Navi/Data/MapCode.bin"},
      {"E:\\\\Navi\\\\Data\\", "Navi/Data"},
      {"E:\\NAVI\\User\\" + kFavorites + "\\favlist.txt", "Navi/User/お気に入りフォルダ/FavList.txt"},
      {"E:\\Navi\\User\\" + kFavorites + "\\" + platform::Utf8ToAnsi("旅行"),
       "Navi/User/お気に入りフォルダ/旅行"},
      {"E:\\" + platform::Utf8ToAnsi("ソ表.txt"), "ソ表.txt"},  // trail byte 0x5C is no separator
      {"E:\\navi\\New\\Deeper.TXT", "Navi/New/Deeper.TXT"},     // missing names kept as given
      {"\\Navi\\Version.ini", "Navi/Version.ini"},              // rooted at the current volume
      {"navi\\version.ini", "Navi/Version.ini"},
      {"E:Navi", "Navi"},
      {"E:", ""},
      {"E:\\", ""},
  };
  for (const Case& c : cases) {
    std::optional<std::string> host = files.Resolve(c.path);
    ASSERT_TRUE(host.has_value()) << c.path;
    EXPECT_EQ(*host, c.host.empty() ? folder.path() : Host(c.host)) << c.path;
  }
}

TEST_F(Paths, RefusesWhatNoCardCouldReach) {
  volumes.SetCurrent('E');
  const std::string refused[] = {
      "",
      "Q:\\Navi\\Version.ini",  // unknown drive
      "1:\\Navi",
      "\\\\server\\share\\Navi",
      "E:\\Navi\\..\\..\\etc\\passwd",
      "E:\\..",
      "E:\\.\\Navi",
      "E:\\Navi\\a?b.txt",
      "E:\\Navi\\*.txt",
      "E:\\Navi\\a|b",
      "E:\\Navi\\a<b>",
      "E:\\Navi\\a\"b",
      "E:\\Navi\\a:b",
      std::string("E:\\Navi\\a\x01", 10),
      std::string("E:\\Navi\\a\0b", 11),
      "E:\\Navi\\bad\x80name",  // not code page 932
      "E:\\Navi\\cut\x81",
  };
  for (const std::string& path : refused) {
    EXPECT_FALSE(files.Resolve(path).has_value()) << path;
    platform::FileError error = platform::FileError::None;
    EXPECT_FALSE(files
                     .Open(path, platform::Access::Read, platform::Share::Read,
                           platform::Disposition::OpenAlways, &error)
                     .IsOpen())
        << path;
    EXPECT_EQ(error, platform::FileError::PathNotFound) << path;
    EXPECT_FALSE(files.Attributes(path).has_value()) << path;
    EXPECT_FALSE(files.List(path).has_value()) << path;
  }
  EXPECT_EQ(HostNames(""), (std::vector<std::string>{"Navi", "ソ表.txt"}));
}

TEST_F(Paths, PathWithoutDriveNeedsACurrentVolume) {
  EXPECT_FALSE(files.Resolve("\\Navi\\Version.ini").has_value());
  volumes.SetCurrent('Q');  // a letter with nothing behind it
  EXPECT_FALSE(files.Resolve("\\Navi\\Version.ini").has_value());
  volumes.SetCurrent('E');
  EXPECT_EQ(files.ReadAll("\\Navi\\Version.ini"), "[Version]\n");
  volumes.Detach('E');
  EXPECT_FALSE(files.ReadAll("\\Navi\\Version.ini").has_value());
  EXPECT_FALSE(files.ReadAll("E:\\Navi\\Version.ini").has_value());
}

TEST_F(Paths, ExactNameWinsOverOneThatDiffersInCase) {
  MakeHostFolder("Navi/DATA");
  PutHostFile("Navi/DATA/MapCode.bin", "capitals");
  EXPECT_EQ(files.ReadAll("E:\\Navi\\DATA\\MapCode.bin"), "capitals");
  EXPECT_EQ(files.ReadAll("E:\\Navi\\Data\\MapCode.bin"), "map");
  // Neither spelling given: one of the two, never a new folder.
  std::optional<std::string> either = files.ReadAll("E:\\Navi\\data\\MapCode.bin");
  ASSERT_TRUE(either.has_value());
  EXPECT_TRUE(*either == "map" || *either == "capitals");
}

TEST_F(Paths, CaseIsFoldedForAsciiLettersOnly) {
  PutHostFile("Navi/Ａ.txt", "fullwidth");  // fullwidth A, not folded like an ASCII letter
  EXPECT_EQ(files.ReadAll("E:\\Navi\\" + platform::Utf8ToAnsi("Ａ.txt")), "fullwidth");
  EXPECT_FALSE(files.ReadAll("E:\\Navi\\" + platform::Utf8ToAnsi("ａ.txt")).has_value());
}

}  // namespace
}  // namespace platform_tests
