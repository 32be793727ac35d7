// Replacing a whole file: the new bytes arrive complete or not at all.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "tests/platform/card_folder.h"

namespace platform_tests {
namespace {

using platform::FileError;

class ReplaceWhole : public CardFolder {
 protected:
  void SetUp() override {
    CardFolder::SetUp();
    MakeHostFolder("Navi/User");
    PutHostFile("Navi/User/FavList.txt", "old line\n");
  }
};

TEST_F(ReplaceWhole, CreatesOrReplacesAndLeavesNothingBeside) {
  FileError error = FileError::Io;
  ASSERT_TRUE(files.ReplaceWhole("E:\\Navi\\User\\New.txt", "fresh", &error));
  EXPECT_EQ(error, FileError::None);
  ASSERT_EQ(chmod(Host("Navi/User/FavList.txt").c_str(), 0640), 0);
  // The existing file keeps its own name (and permissions) when reached in another case.
  ASSERT_TRUE(files.ReplaceWhole("E:\\navi\\user\\FAVLIST.TXT", std::string("new\0line\n", 9), &error));
  EXPECT_EQ(HostFile("Navi/User/FavList.txt"), std::string("new\0line\n", 9));
  EXPECT_EQ(HostFile("Navi/User/New.txt"), "fresh");
  EXPECT_EQ(HostNames("Navi/User"), (std::vector<std::string>{"FavList.txt", "New.txt"}));
  struct stat info;
  ASSERT_EQ(stat(Host("Navi/User/FavList.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  ASSERT_TRUE(files.ReplaceWhole("E:\\Navi\\User\\FavList.txt", ""));
  EXPECT_EQ(HostFile("Navi/User/FavList.txt"), "");
}

TEST_F(ReplaceWhole, RefusesPathsItCannotReplace) {
  struct Case {
    const char* path;
    FileError error;
  };
  const Case cases[] = {
      {"E:\\Navi\\Missing\\FavList.txt", FileError::PathNotFound},
      {"F:\\Navi\\User\\FavList.txt", FileError::PathNotFound},
      {"E:\\Navi\\..\\FavList.txt", FileError::PathNotFound},
      {"E:\\Navi\\User", FileError::AccessDenied},  // a folder
      {"E:\\", FileError::AccessDenied},
  };
  for (const Case& c : cases) {
    FileError error = FileError::None;
    EXPECT_FALSE(files.ReplaceWhole(c.path, "bytes", &error)) << c.path;
    EXPECT_EQ(error, c.error) << c.path;
  }
  EXPECT_EQ(HostNames("Navi"), std::vector<std::string>{"User"});
  EXPECT_EQ(HostNames("Navi/User"), std::vector<std::string>{"FavList.txt"});
}

// A write that fails half way (here the host's file size limit) must leave the old file
// whole and take its temporary file away.
TEST_F(ReplaceWhole, FailedWriteKeepsTheOldFile) {
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  sighandler_t old_handler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  FileError error = FileError::None;
  bool replaced = files.ReplaceWhole("E:\\Navi\\User\\FavList.txt", std::string(10000, 'x'), &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(error, FileError::Io);
  EXPECT_EQ(HostFile("Navi/User/FavList.txt"), "old line\n");
  EXPECT_EQ(HostNames("Navi/User"), std::vector<std::string>{"FavList.txt"});
}

}  // namespace
}  // namespace platform_tests
