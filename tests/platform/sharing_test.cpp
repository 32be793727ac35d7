// A file held without sharing cannot be opened again, in this process or another; one
// held for shared reading can be read by others only.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/platform/card_folder.h"

namespace platform_tests {
namespace {

using platform::Access;
using platform::Disposition;
using platform::File;
using platform::FileError;
using platform::Share;

constexpr const char* kRoute = "E:\\Navi\\Pelmo.adb";

class Sharing : public CardFolder {
 protected:
  void SetUp() override {
    CardFolder::SetUp();
    MakeHostFolder("Navi");
    PutHostFile("Navi/Pelmo.adb", "route");
  }
};

TEST_F(Sharing, SecondOpenInsideTheProcess) {
  struct Side {
    Access access;
    Share share;
  };
  struct Case {
    Side first, second;
    bool second_opens;
  };
  const Case cases[] = {
      {{Access::Read, Share::Read}, {Access::Read, Share::Read}, true},
      {{Access::Write, Share::Read}, {Access::Read, Share::Read}, true},
      {{Access::Read, Share::Read}, {Access::Read, Share::None}, false},
      {{Access::Read, Share::Read}, {Access::ReadWrite, Share::None}, false},
      {{Access::Read, Share::None}, {Access::Read, Share::Read}, false},
      {{Access::ReadWrite, Share::None}, {Access::Read, Share::Read}, false},
      {{Access::ReadWrite, Share::None}, {Access::ReadWrite, Share::None}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "first " << int(c.first.access) << "/" << int(c.first.share)
                                    << " second " << int(c.second.access) << "/" << int(c.second.share));
    File first = files.Open(kRoute, c.first.access, c.first.share, Disposition::OpenExisting);
    ASSERT_TRUE(first.IsOpen());
    FileError error = FileError::None;
    File second =
        files.Open("e:\\navi\\PELMO.adb", c.second.access, c.second.share, Disposition::OpenAlways, &error);
    EXPECT_EQ(second.IsOpen(), c.second_opens);
    EXPECT_EQ(error, c.second_opens ? FileError::None : FileError::SharingViolation);
    second.Close();
    first.Close();
    // Once the first handle is closed the second open succeeds.
    EXPECT_TRUE(files.Open(kRoute, c.second.access, c.second.share, Disposition::OpenExisting).IsOpen());
  }
}

TEST_F(Sharing, HeldFileIsNeverEmptiedDeletedRenamedOrReplaced) {
  for (Share held_with : {Share::None, Share::Read}) {
    SCOPED_TRACE(int(held_with));
    File holder = files.Open(kRoute, Access::Read, held_with, Disposition::OpenExisting);
    ASSERT_TRUE(holder.IsOpen());
    FileError error = FileError::None;
    EXPECT_FALSE(files.Open(kRoute, Access::Write, Share::None, Disposition::CreateAlways, &error).IsOpen());
    EXPECT_EQ(error, FileError::SharingViolation);
    EXPECT_FALSE(files.Delete(kRoute, &error));
    EXPECT_EQ(error, FileError::SharingViolation);
    EXPECT_FALSE(files.Rename(kRoute, "E:\\Navi\\Moved.adb", &error));
    EXPECT_EQ(error, FileError::SharingViolation);
    EXPECT_FALSE(files.ReplaceWhole(kRoute, "new", &error));
    EXPECT_EQ(error, FileError::SharingViolation);
    EXPECT_EQ(HostFile("Navi/Pelmo.adb"), "route");
    EXPECT_EQ(HostNames("Navi"), std::vector<std::string>{"Pelmo.adb"});  // no temporary file left
  }
}

TEST_F(Sharing, ReadAllSharesOnlyWithReaders) {
  File reader = files.Open(kRoute, Access::Read, Share::Read, Disposition::OpenExisting);
  EXPECT_EQ(files.ReadAll(kRoute), "route");
  reader.Close();
  File writer = files.Open(kRoute, Access::ReadWrite, Share::None, Disposition::OpenExisting);
  EXPECT_FALSE(files.ReadAll(kRoute).has_value());
}

// The child holds the file without sharing until the parent has tried to open it.
TEST_F(Sharing, AnotherProcessHoldingTheFile) {
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    File held = files.Open(kRoute, Access::ReadWrite, Share::None, Disposition::OpenExisting);
    char signal = held.IsOpen() ? 'y' : 'n';
    if (write(ready[1], &signal, 1) != 1) _exit(2);
    if (read(done[0], &signal, 1) != 1) _exit(3);
    _exit(0);  // exiting releases the lock
  }
  char signal = 0;
  ASSERT_EQ(read(ready[0], &signal, 1), 1);
  ASSERT_EQ(signal, 'y');
  for (Share share : {Share::Read, Share::None}) {
    FileError error = FileError::None;
    EXPECT_FALSE(files.Open(kRoute, Access::Read, share, Disposition::OpenExisting, &error).IsOpen());
    EXPECT_EQ(error, FileError::SharingViolation);
  }
  EXPECT_FALSE(files.ReplaceWhole(kRoute, "new"));
  ASSERT_EQ(write(done[1], "x", 1), 1);
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
  EXPECT_TRUE(files.Open(kRoute, Access::Read, Share::None, Disposition::OpenExisting).IsOpen());
  EXPECT_EQ(HostFile("Navi/Pelmo.adb"), "route");
}

}  // namespace
}  // namespace platform_tests
