#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "log/log.h"
#include "tests/support/fake_services.h"

namespace {

using testing_support::FakeClock;
using testing_support::FakeDebugOutput;

// A growing in-memory stream for the second handle and the standard output.
class MemoryStream {
 public:
  MemoryStream() : stream_(open_memstream(&data_, &size_)) {}
  ~MemoryStream() {
    std::fclose(stream_);
    std::free(data_);
  }
  std::FILE* get() { return stream_; }
  std::string Text() {
    std::fflush(stream_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  std::FILE* stream_;
};

class CountingClock : public FakeClock {
 public:
  int reads = 0;
  platform::LocalTime Now() override {
    ++reads;
    return FakeClock::Now();
  }
};

std::vector<std::string> callback_pieces;
void RecordPiece(CLog&, const char* text) {
  callback_pieces.emplace_back(text);
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    callback_pieces.clear();
    log.SetClock(&clock);
    log.SetDebugOutput(&debugger);
  }
  CLog log;
  CountingClock clock;
  FakeDebugOutput debugger;
};

TEST_F(LogTest, MaskZeroProducesNothingAndKeepsTheCounter) {
  MemoryStream second, standard;
  log.SetSecondHandle(second.get());
  log.SetStandardOutput(standard.get());
  log.SetCallback(RecordPiece);
  log.SetPrefixMode(CLog::kPrefixTimeStamp);
  log.Trace("Start.....\n");
  log.SetPrefixMode(CLog::kPrefixLineNumber);
  log.Trace("%s  --------  Mapcode\n", "E:");

  EXPECT_EQ(second.Text(), "");
  EXPECT_EQ(standard.Text(), "");
  EXPECT_TRUE(debugger.pieces.empty());
  EXPECT_TRUE(callback_pieces.empty());
  EXPECT_EQ(log.LineCounter(), 0);
  EXPECT_EQ(clock.reads, 0);
}

TEST_F(LogTest, LineNumberPrefixReachesTheDebuggerAsItsOwnPiece) {
  log.SetMask(CLog::kDebugger);
  log.SetPrefixMode(CLog::kPrefixLineNumber);
  log.Trace("USER POINT :%d\n", 12);
  log.Trace("TOTAL USER POINT :%d\n", 15);

  EXPECT_EQ(debugger.pieces,
            (std::vector<std::string>{"0:\t", "USER POINT :12\n", "1:\t", "TOTAL USER POINT :15\n"}));
  EXPECT_EQ(log.LineCounter(), 2);
  EXPECT_EQ(clock.reads, 0);
}

TEST_F(LogTest, TimeStampPrefixUsesTheLocalTime) {
  log.SetMask(CLog::kDebugger);
  log.SetPrefixMode(CLog::kPrefixTimeStamp);
  log.Trace("ReadAdb.....\n");

  EXPECT_EQ(debugger.pieces, (std::vector<std::string>{"[2009/07/03_09:05:07] ", "ReadAdb.....\n"}));
  EXPECT_EQ(clock.reads, 1);
  EXPECT_EQ(log.LineCounter(), 0);
}

TEST_F(LogTest, OtherPrefixModesWriteTheMessageAlone) {
  for (uint8_t mode : {0, 3, 255}) {
    FakeDebugOutput fresh;
    log.SetDebugOutput(&fresh);
    log.SetMask(CLog::kDebugger);
    log.SetPrefixMode(mode);
    log.Trace("%f, %f \n", 1.5, 2.25);
    EXPECT_EQ(fresh.pieces, (std::vector<std::string>{"1.500000, 2.250000 \n"})) << int(mode);
  }
  EXPECT_EQ(clock.reads, 0);
}

TEST_F(LogTest, FormatWithoutLineEndContinuesTheLine) {
  MemoryStream standard;
  log.SetStandardOutput(standard.get());
  log.SetMask(CLog::kStandardOutput);
  log.SetPrefixMode(CLog::kPrefixLineNumber);
  log.Trace("%d ------ m_pFav.Count()", 3);
  log.Trace("FavFolderDraw.....\n");

  EXPECT_EQ(standard.Text(), "0:\t3 ------ m_pFav.Count()1:\tFavFolderDraw.....\n");
}

TEST_F(LogTest, OverlongMessageIsCutToTheBuffer) {
  FakeDebugOutput pieces;
  log.SetDebugOutput(&pieces);
  log.SetMask(CLog::kDebugger);
  std::string long_name(5000, 'x');
  log.Trace("%s : szDirAll.....\n", long_name.c_str());
  log.Trace("next\n");

  ASSERT_EQ(pieces.pieces.size(), 2u);
  EXPECT_EQ(pieces.pieces[0], std::string(CLog::kBufferSize - 1, 'x'));
  EXPECT_EQ(pieces.pieces[1], "next\n");
}

// Every output on: each one sees the prefix and then the message, and the outputs are
// served in their fixed order (first handle, second handle, standard output, debugger,
// callback). The debugger checks what the earlier outputs hold when it is reached.
class OrderCheckingDebugger : public platform::DebugOutput {
 public:
  OrderCheckingDebugger(const std::string& first_host_path, MemoryStream& second, MemoryStream& standard)
      : first_host_path_(first_host_path), second_(second), standard_(standard) {}
  void Write(const char* text) override {
    seen.push_back({text, ReadHost(), second_.Text(), standard_.Text(), callback_pieces.size()});
  }
  struct Snapshot {
    std::string piece, first, second, standard;
    size_t callback_count;
  };
  std::vector<Snapshot> seen;

 private:
  std::string ReadHost() {
    std::ifstream in(first_host_path_, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  std::string first_host_path_;
  MemoryStream& second_;
  MemoryStream& standard_;
};

TEST_F(LogTest, AllOutputsInTheirOrderWithTheFirstHandleFlushed) {
  testing_support::TestPlatform platform;
  testing_support::TempFolder folder;
  char drive = platform.volumes.AttachFolder(folder.path());
  ASSERT_NE(drive, 0);
  std::string path = std::string(1, drive) + ":\\trace.txt";
  platform::File file = platform.files.Open(path, platform::Access::Write, platform::Share::Read,
                                            platform::Disposition::CreateAlways);
  ASSERT_TRUE(file.IsOpen());

  MemoryStream second, standard;
  OrderCheckingDebugger checker(folder.path() + "/trace.txt", second, standard);
  log.SetFirstHandle(std::move(file));
  log.SetSecondHandle(second.get());
  log.SetStandardOutput(standard.get());
  log.SetDebugOutput(&checker);
  log.SetCallback(RecordPiece);
  log.SetMask(CLog::kStandardOutput | CLog::kDebugger | CLog::kCallback);
  log.SetPrefixMode(CLog::kPrefixLineNumber);
  log.Trace("OCLS POINT :%d\n", 7);

  ASSERT_EQ(checker.seen.size(), 2u);
  EXPECT_EQ(checker.seen[0].piece, "0:\t");
  EXPECT_EQ(checker.seen[0].second, "0:\t");
  EXPECT_EQ(checker.seen[0].standard, "0:\t");
  EXPECT_EQ(checker.seen[0].callback_count, 0u);
  // The message piece: the first handle has been flushed to the file by now.
  EXPECT_EQ(checker.seen[1].piece, "OCLS POINT :7\n");
  EXPECT_EQ(checker.seen[1].first, "0:\tOCLS POINT :7\n");
  EXPECT_EQ(checker.seen[1].second, "0:\tOCLS POINT :7\n");
  EXPECT_EQ(checker.seen[1].standard, "0:\tOCLS POINT :7\n");
  EXPECT_EQ(checker.seen[1].callback_count, 1u);
  EXPECT_EQ(callback_pieces, (std::vector<std::string>{"0:\t", "OCLS POINT :7\n"}));
}

TEST_F(LogTest, CallbackBitWithoutCallbackIsHarmless) {
  log.SetMask(CLog::kCallback | CLog::kDebugger);
  log.Trace("fav apply.....\n");
  EXPECT_EQ(debugger.pieces, (std::vector<std::string>{"fav apply.....\n"}));
}

TEST(GetLogTest, InertUntilALogIsInstalledAndRestoredAfterwards) {
  CLog& inert = GetLog();
  EXPECT_EQ(inert.Mask(), 0);
  CLog outer, inner;
  {
    ScopedLog install_outer(outer);
    EXPECT_EQ(&GetLog(), &outer);
    {
      ScopedLog install_inner(inner);
      EXPECT_EQ(&GetLog(), &inner);
    }
    EXPECT_EQ(&GetLog(), &outer);
  }
  EXPECT_EQ(&GetLog(), &inert);
}

TEST(GetLogTest, TracesGoToTheInstalledLog) {
  CLog log;
  FakeDebugOutput debugger;
  log.SetDebugOutput(&debugger);
  log.SetMask(CLog::kDebugger);
  {
    ScopedLog install(log);
    GetLog().Trace("TFNaviEdit()\n");
  }
  GetLog().Trace("after\n");
  EXPECT_EQ(debugger.pieces, (std::vector<std::string>{"TFNaviEdit()\n"}));
}

}  // namespace
