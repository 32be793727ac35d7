// Opening, reading and writing files, and the folder operations.
#include "platform/files.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/text.h"
#include "tests/platform/card_folder.h"

namespace platform_tests {
namespace {

using platform::Access;
using platform::Disposition;
using platform::File;
using platform::FileError;
using platform::FolderEntry;
using platform::Share;

class Files : public CardFolder {
 protected:
  void SetUp() override {
    CardFolder::SetUp();
    MakeHostFolder("Navi/Data");
    PutHostFile("Navi/Pelmo.adb", "old bytes");
  }

  File OpenRW(const std::string& path, Disposition disposition, FileError* error = nullptr) {
    return files.Open(path, Access::ReadWrite, Share::None, disposition, error);
  }
};

TEST_F(Files, DispositionsOnPresentAndMissingFiles) {
  struct Case {
    Disposition disposition;
    bool present;
    FileError error;
    bool exists_after;
    std::string content_after;
  };
  const Case cases[] = {
      {Disposition::OpenExisting, true, FileError::None, true, "old bytes"},
      {Disposition::OpenAlways, true, FileError::None, true, "old bytes"},
      {Disposition::CreateNew, true, FileError::AlreadyExists, true, "old bytes"},
      {Disposition::CreateAlways, true, FileError::None, true, ""},
      {Disposition::OpenExisting, false, FileError::NotFound, false, ""},
      {Disposition::OpenAlways, false, FileError::None, true, ""},
      {Disposition::CreateNew, false, FileError::None, true, ""},
      {Disposition::CreateAlways, false, FileError::None, true, ""},
  };
  for (Access access : {Access::ReadWrite, Access::Read, Access::Write}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "access " << int(access) << " disposition " << int(c.disposition)
                                      << " present " << c.present);
      // A present file keeps its own name; a created one takes the name as given.
      const std::string host_name = c.present ? "Route.adb" : "route.ADB";
      if (c.present) PutHostFile("Navi/Route.adb", "old bytes");
      FileError error = FileError::Io;
      File file = files.Open("E:\\NAVI\\route.ADB", access, Share::None, c.disposition, &error);
      EXPECT_EQ(error, c.error);
      EXPECT_EQ(file.IsOpen(), c.error == FileError::None);
      file.Close();
      std::vector<std::string> names = {"Data", "Pelmo.adb"};
      if (c.exists_after) names.push_back(host_name);
      EXPECT_EQ(HostNames("Navi"), names);
      if (c.exists_after) {
        EXPECT_EQ(HostFile("Navi/" + host_name), c.content_after);
      }
      std::remove(Host("Navi/" + host_name).c_str());
    }
  }
}

TEST_F(Files, OpenFailuresSayWhy) {
  PutHostFile("plain.txt", "x");
  struct Case {
    std::string path;
    Disposition disposition;
    FileError error;
  };
  const Case cases[] = {
      {"E:\\Navi\\Missing\\Pelmo.adb", Disposition::OpenAlways, FileError::PathNotFound},
      {"E:\\Navi\\Missing\\Pelmo.adb", Disposition::OpenExisting, FileError::PathNotFound},
      {"E:\\plain.txt\\inside.txt", Disposition::OpenAlways, FileError::PathNotFound},
      {"F:\\Navi\\Pelmo.adb", Disposition::OpenExisting, FileError::PathNotFound},
      {"E:\\Navi\\Data", Disposition::OpenExisting, FileError::AccessDenied},  // a folder
      {"E:\\Navi\\Data", Disposition::CreateNew, FileError::AlreadyExists},
      {"E:\\", Disposition::OpenAlways, FileError::AccessDenied},
  };
  for (const Case& c : cases) {
    for (Access access : {Access::Read, Access::ReadWrite}) {
      FileError error = FileError::None;
      EXPECT_FALSE(files.Open(c.path, access, Share::None, c.disposition, &error).IsOpen()) << c.path;
      EXPECT_EQ(error, c.error) << c.path << " access " << int(access);
    }
  }
  EXPECT_FALSE(HostExists("Navi/Missing"));
}

TEST_F(Files, ReadWriteSeekAndSize) {
  File file = OpenRW("E:\\Navi\\Pelmo.adb", Disposition::OpenExisting);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Size(), 9u);
  char buffer[16] = {};
  size_t done = 99;
  ASSERT_TRUE(file.Seek(4));
  ASSERT_TRUE(file.Read(buffer, sizeof buffer, &done));
  EXPECT_EQ(std::string(buffer, done), "bytes");  // short read at the end of the file
  ASSERT_TRUE(file.Read(buffer, sizeof buffer, &done));
  EXPECT_EQ(done, 0u);

  // Writing past the end extends the file with zero bytes.
  ASSERT_TRUE(file.Seek(12));
  ASSERT_TRUE(file.Write("end", 3, &done));
  EXPECT_EQ(done, 3u);
  ASSERT_TRUE(file.Seek(0));
  ASSERT_TRUE(file.Write("new", 3, &done));
  EXPECT_TRUE(file.Flush());
  EXPECT_EQ(file.Size(), 15u);
  file.Close();
  EXPECT_EQ(HostFile("Navi/Pelmo.adb"), std::string("new bytes\0\0\0end", 15));
}

TEST_F(Files, AccessLimitsWhatAHandleMayDo) {
  char buffer[4];
  size_t done = 7;
  File reader = files.Open("E:\\Navi\\Pelmo.adb", Access::Read, Share::Read, Disposition::OpenExisting);
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_FALSE(reader.Write("x", 1, &done));
  EXPECT_EQ(done, 0u);
  reader.Close();
  File writer = files.Open("E:\\Navi\\Pelmo.adb", Access::Write, Share::None, Disposition::OpenExisting);
  ASSERT_TRUE(writer.IsOpen());
  EXPECT_FALSE(writer.Read(buffer, sizeof buffer, &done));
  writer.Close();
  EXPECT_EQ(HostFile("Navi/Pelmo.adb"), "old bytes");

  File closed;
  EXPECT_FALSE(closed.IsOpen());
  EXPECT_FALSE(closed.Read(buffer, sizeof buffer, &done));
  EXPECT_FALSE(closed.Write("x", 1, &done));
  EXPECT_FALSE(closed.Seek(0));
  EXPECT_FALSE(closed.Size().has_value());
  EXPECT_FALSE(closed.Flush());
}

TEST_F(Files, MovingAHandleKeepsOneOwner) {
  File first = OpenRW("E:\\Navi\\Pelmo.adb", Disposition::OpenExisting);
  File second = std::move(first);
  EXPECT_FALSE(first.IsOpen());
  ASSERT_TRUE(second.IsOpen());
  File other = OpenRW("E:\\Navi\\Other.adb", Disposition::CreateNew);
  ASSERT_TRUE(other.IsOpen());
  other = std::move(second);  // closes Other.adb, takes over Pelmo.adb
  EXPECT_TRUE(OpenRW("E:\\Navi\\Other.adb", Disposition::OpenExisting).IsOpen());
  FileError error = FileError::None;
  EXPECT_FALSE(OpenRW("E:\\Navi\\Pelmo.adb", Disposition::OpenExisting, &error).IsOpen());
  EXPECT_EQ(error, FileError::SharingViolation);
  other = File();
  EXPECT_TRUE(OpenRW("E:\\Navi\\Pelmo.adb", Disposition::OpenExisting).IsOpen());
}

TEST_F(Files, Attributes) {
  EXPECT_EQ(files.Attributes("E:\\navi\\pelmo.adb"), platform::kAttributeNormal);
  EXPECT_EQ(files.Attributes("E:\\NAVI\\DATA"), platform::kAttributeDirectory);
  EXPECT_EQ(files.Attributes("E:\\"), platform::kAttributeDirectory);
  EXPECT_FALSE(files.Attributes("E:\\Navi\\Missing.adb").has_value());
  EXPECT_FALSE(files.Attributes("E:\\Navi\\Missing\\Pelmo.adb").has_value());
}

TEST_F(Files, DeleteRemovesFilesOnly) {
  FileError error = FileError::None;
  EXPECT_TRUE(files.Delete("E:\\NAVI\\PELMO.ADB", &error));
  EXPECT_EQ(error, FileError::None);
  EXPECT_FALSE(HostExists("Navi/Pelmo.adb"));
  EXPECT_FALSE(files.Delete("E:\\Navi\\Pelmo.adb", &error));
  EXPECT_EQ(error, FileError::NotFound);
  EXPECT_FALSE(files.Delete("E:\\Navi\\Data", &error));
  EXPECT_EQ(error, FileError::AccessDenied);
  EXPECT_FALSE(files.Delete("Q:\\Navi\\Pelmo.adb", &error));
  EXPECT_EQ(error, FileError::PathNotFound);
  EXPECT_TRUE(HostExists("Navi/Data"));
}

TEST_F(Files, CreateAndRemoveFolders) {
  const std::string trip = "E:\\Navi\\" + platform::Utf8ToAnsi("旅行");
  FileError error = FileError::None;
  EXPECT_TRUE(files.CreateFolder(trip, &error));
  EXPECT_TRUE(HostExists("Navi/旅行"));
  EXPECT_FALSE(files.CreateFolder(trip, &error));
  EXPECT_EQ(error, FileError::AlreadyExists);
  EXPECT_FALSE(files.CreateFolder("E:\\Navi\\New\\Deeper", &error));  // one level at a time
  EXPECT_EQ(error, FileError::PathNotFound);
  EXPECT_FALSE(files.CreateFolder("E:\\", &error));
  EXPECT_EQ(error, FileError::AlreadyExists);

  PutHostFile("Navi/旅行/旅行.txt", "x");
  EXPECT_FALSE(files.RemoveFolder(trip, &error));  // not empty
  EXPECT_EQ(error, FileError::AccessDenied);
  EXPECT_TRUE(HostExists("Navi/旅行/旅行.txt"));
  EXPECT_FALSE(files.RemoveFolder(trip + "\\" + platform::Utf8ToAnsi("旅行.txt"), &error));  // a file
  EXPECT_TRUE(HostExists("Navi/旅行/旅行.txt"));
  std::remove(Host("Navi/旅行/旅行.txt").c_str());
  EXPECT_TRUE(files.RemoveFolder(trip, &error));
  EXPECT_FALSE(HostExists("Navi/旅行"));
  EXPECT_FALSE(files.RemoveFolder(trip, &error));
  EXPECT_EQ(error, FileError::NotFound);

  testing_support::TempFolder empty_card;
  ASSERT_EQ(volumes.AttachFolder(empty_card.path(), 'F'), 'F');
  EXPECT_FALSE(files.RemoveFolder("F:\\", &error));  // never the volume's own folder
  EXPECT_EQ(error, FileError::AccessDenied);
  EXPECT_TRUE(files.Attributes("F:\\").has_value());
}

TEST_F(Files, RenameNeverReplaces) {
  PutHostFile("Navi/Data/Other.txt", "other");
  FileError error = FileError::None;
  EXPECT_FALSE(files.Rename("E:\\Navi\\Pelmo.adb", "E:\\Navi\\data\\other.TXT", &error));
  EXPECT_EQ(error, FileError::AlreadyExists);
  EXPECT_EQ(HostFile("Navi/Pelmo.adb"), "old bytes");
  EXPECT_EQ(HostFile("Navi/Data/Other.txt"), "other");

  EXPECT_TRUE(files.Rename("E:\\navi\\pelmo.adb", "E:\\Navi\\Data\\Moved.adb", &error));
  EXPECT_EQ(HostFile("Navi/Data/Moved.adb"), "old bytes");
  EXPECT_FALSE(HostExists("Navi/Pelmo.adb"));

  // A folder, and a change of letter case only.
  EXPECT_TRUE(files.Rename("E:\\Navi\\Data", "E:\\Navi\\DATA", &error));
  EXPECT_EQ(HostNames("Navi"), std::vector<std::string>{"DATA"});
  EXPECT_TRUE(files.Rename("E:\\Navi\\DATA", "E:\\Navi\\DATA", &error));

  EXPECT_FALSE(files.Rename("E:\\Navi\\Missing", "E:\\Navi\\Other", &error));
  EXPECT_EQ(error, FileError::NotFound);
  EXPECT_FALSE(files.Rename("E:\\Navi\\DATA", "E:\\Navi\\No\\Such", &error));
  EXPECT_EQ(error, FileError::PathNotFound);
  EXPECT_FALSE(files.Rename("E:\\", "E:\\Root", &error));
  EXPECT_EQ(error, FileError::AccessDenied);

  testing_support::TempFolder other_card;
  ASSERT_EQ(volumes.AttachFolder(other_card.path(), 'F'), 'F');
  EXPECT_FALSE(files.Rename("E:\\Navi\\DATA", "F:\\DATA", &error));  // no moves between volumes
  EXPECT_TRUE(HostExists("Navi/DATA"));
}

TEST_F(Files, ListGivesHostOrderNamesInCodePage932AndTheFolderFlag) {
  MakeHostFolder("Navi/User/お気に入りフォルダ");
  MakeHostFolder("Navi/User/旅行");
  PutHostFile("Navi/User/user.orb", "");
  PutHostFile("Navi/User/\xf0\x9f\x98\x80.txt", "");  // no code page 932 form
  PutHostFile("Navi/User/bad\xff.txt", "");           // not even UTF-8

  std::vector<std::pair<std::string, bool>> expected;  // read straight from the host
  DIR* dir = opendir(Host("Navi/User").c_str());
  ASSERT_NE(dir, nullptr);
  while (dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    expected.emplace_back(entry->d_name, entry->d_type == DT_DIR);
  }
  closedir(dir);
  const std::map<std::string, std::string> as_ansi = {
      {"お気に入りフォルダ", platform::Utf8ToAnsi("お気に入りフォルダ")},
      {"旅行", "\x97\xb7\x8d\x73"},
      {"user.orb", "user.orb"},
      {"\xf0\x9f\x98\x80.txt", "?.txt"},
      {"bad\xff.txt", "bad?.txt"},
  };

  for (const char* path :
       {"E:\\navi\\user", "E:\\Navi\\User\\", "E:\\Navi\\User\\*", "E:\\Navi\\User\\*.*"}) {
    std::optional<std::vector<FolderEntry>> listed = files.List(path);
    ASSERT_TRUE(listed.has_value()) << path;
    ASSERT_EQ(listed->size(), expected.size()) << path;
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ((*listed)[i].name, as_ansi.at(expected[i].first)) << path << " " << i;
      EXPECT_EQ((*listed)[i].is_folder, expected[i].second) << path << " " << i;
    }
  }
  EXPECT_EQ(files.List("E:\\Navi\\Data")->size(), 0u);
  EXPECT_FALSE(files.List("E:\\Navi\\Missing").has_value());
  EXPECT_FALSE(files.List("E:\\Navi\\Pelmo.adb").has_value());
  EXPECT_FALSE(files.List("G:\\").has_value());
}

TEST_F(Files, ReadAll) {
  PutHostFile("Navi/Data/empty.bin", "");
  PutHostFile("Navi/Data/big.bin", std::string(200000, 'z'));
  EXPECT_EQ(files.ReadAll("E:\\Navi\\Pelmo.adb"), "old bytes");
  EXPECT_EQ(files.ReadAll("E:\\Navi\\Data\\empty.bin"), "");
  EXPECT_EQ(files.ReadAll("E:\\Navi\\Data\\big.bin"), std::string(200000, 'z'));
  EXPECT_FALSE(files.ReadAll("E:\\Navi\\Missing.adb").has_value());
  EXPECT_FALSE(files.ReadAll("E:\\Navi\\Data").has_value());
}

}  // namespace
}  // namespace platform_tests
