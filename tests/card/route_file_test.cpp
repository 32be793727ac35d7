#include "card/route_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "card/card_paths.h"
#include "card/scramble.h"
#include "tests/support/card_builder.h"

namespace {

using card::AdbImage;
using card::AdbOpen;
using card::AdbOpenStatus;
using card::AdbReadBlock;
using card::AdbWriteBlock;
using card::RoutePoint;
using testing_support::BuildRouteFile;
using testing_support::CardBuilder;
using testing_support::RouteFileContent;
using testing_support::TestPlatform;

constexpr char kRouteFile[] = "Navi/Pelmo.adb";

RouteFileContent TwoPoints() {
  RouteFileContent content;
  content.destination_flag = 1;
  content.waypoint_flag = 3;
  content.destination_x = 11181700;
  content.destination_y = 4281600;
  content.waypoint_x = -5;
  content.waypoint_y = 0x7FFFFFFF;
  content.destination_name = testing_support::Sjis("東京駅");
  content.waypoint_name = "Tokyo Tower south gate";
  content.device_data_seed = 7;
  return content;
}

class RouteFileTest : public ::testing::Test {
 protected:
  std::string Path() const { return card::RouteFilePath(card_.drive()); }
  std::string OnCard() const { return card_.ReadFile(kRouteFile).value_or("<missing>"); }
  void ReadAll(platform::File& file) {
    for (int n = 0; n < card::kAdbBlockCount; ++n) EXPECT_TRUE(AdbReadBlock(file, image_, n)) << n;
  }

  TestPlatform platform_;
  CardBuilder card_{platform_};
  AdbImage image_;
};

TEST(AdbBlockOffsetTest, BlocksLieEvery2048BytesFrom512) {
  EXPECT_EQ(card::AdbBlockOffset(0), 512);
  EXPECT_EQ(card::AdbBlockOffset(1), 2560);
  EXPECT_EQ(card::AdbBlockOffset(2), 4608);
  EXPECT_EQ(card::AdbBlockOffset(10), 20992);
  EXPECT_EQ(card::AdbBlockOffset(10) + static_cast<int64_t>(card::kAdbBlockSizes[10]),
            static_cast<int64_t>(card::kAdbCompleteFileSize));
}

TEST_F(RouteFileTest, OpensTheDeviceFileAndReadsEveryBlock) {
  card_.RouteFile(TwoPoints());
  const std::string bytes = OnCard();
  card::AdbOpenResult opened = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
  ASSERT_EQ(opened.status, AdbOpenStatus::Opened);
  ReadAll(opened.file);

  // The header record is held unscrambled.
  EXPECT_EQ(std::memcmp(image_.header.data(), "APPD", 4), 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(image_.header.data() + 80), "tyhvxlpgc");

  EXPECT_EQ(card::RouteSetFlag(image_, RoutePoint::Destination), 1);
  EXPECT_EQ(card::RouteSetFlag(image_, RoutePoint::Waypoint), 3);
  EXPECT_EQ(card::RouteX(image_, RoutePoint::Destination), 11181700);
  EXPECT_EQ(card::RouteY(image_, RoutePoint::Destination), 4281600);
  EXPECT_EQ(card::RouteX(image_, RoutePoint::Waypoint), -5);
  EXPECT_EQ(card::RouteY(image_, RoutePoint::Waypoint), 0x7FFFFFFF);
  EXPECT_EQ(card::RouteName(image_, RoutePoint::Destination), testing_support::Sjis("東京駅"));
  EXPECT_EQ(card::RouteName(image_, RoutePoint::Waypoint), "Tokyo Tower south gate");

  // Plain blocks are the file's bytes; block 2 is held unscrambled.
  for (int n = 0; n < card::kAdbBlockCount; ++n) {
    std::string expected =
        bytes.substr(static_cast<size_t>(card::AdbBlockOffset(n)), card::kAdbBlockSizes[n]);
    if (n == 2) {
      card::ScrambleBytes("tyhvxlpgc", reinterpret_cast<uint8_t*>(expected.data()), expected.size());
      EXPECT_EQ(expected.substr(0, 4), "ADAU");
    }
    EXPECT_EQ(std::string(image_.blocks[n].begin(), image_.blocks[n].end()), expected) << "block " << n;
  }
  opened.file.Close();
  EXPECT_EQ(OnCard(), bytes);
}

TEST_F(RouteFileTest, RejectsFilesThatAreNotTheDevicesAndLeavesThemUntouched) {
  auto with = [](auto change) {
    RouteFileContent content = TwoPoints();
    change(content);
    return BuildRouteFile(content);
  };
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::string random_bytes(30000, '\0');
  for (size_t i = 0; i < random_bytes.size(); ++i) random_bytes[i] = static_cast<char>((i * 7919 + 13) >> 3);
  const Case cases[] = {
      {"wrong magic", with([](RouteFileContent& c) { c.magic = "APPE"; })},
      {"other identity", with([](RouteFileContent& c) { c.identity = "tyhvxlpgd"; })},
      {"identity with more letters", with([](RouteFileContent& c) { c.identity = "tyhvxlpgcx"; })},
      {"identity without a NUL", with([](RouteFileContent& c) { c.identity = "tyhvxlpgc\x01\x02\x03"; })},
      {"empty file", ""},
      {"shorter than the header", with([](RouteFileContent& c) { c.length = 91; })},
      {"header but no blocks", with([](RouteFileContent& c) { c.length = 92; })},
      {"one byte short of block 10",
       with([](RouteFileContent& c) { c.length = card::kAdbCompleteFileSize - 1; })},
      {"random bytes", random_bytes},
      {"all zero header", std::string(card::kAdbCompleteFileSize, '\0')},
  };

  // A previously accepted file leaves a valid header record behind; a short file must
  // not be judged by those left-over bytes.
  card_.RouteFile(TwoPoints());
  AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName).file.Close();
  const auto header_before = image_.header;

  for (const Case& c : cases) {
    card_.WriteFile(kRouteFile, c.bytes);
    card::AdbOpenResult result = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
    EXPECT_EQ(result.status, AdbOpenStatus::Rejected) << c.what;
    EXPECT_FALSE(result.file.IsOpen()) << c.what;
    // Block operations on the rejected handle fail and write nothing.
    EXPECT_FALSE(AdbReadBlock(result.file, image_, 0)) << c.what;
    EXPECT_FALSE(AdbWriteBlock(result.file, image_, 0, platform_.clock)) << c.what;
    EXPECT_EQ(OnCard(), c.bytes) << c.what;
    EXPECT_EQ(image_.header, header_before) << c.what;
  }
}

TEST_F(RouteFileTest, AcceptsALongerFile) {
  RouteFileContent content = TwoPoints();
  content.length = card::kAdbCompleteFileSize + 1000;
  card_.RouteFile(content);
  card::AdbOpenResult opened = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
  ASSERT_EQ(opened.status, AdbOpenStatus::Opened);
  ReadAll(opened.file);
}

TEST_F(RouteFileTest, MissingFileIsReportedAndNotCreated) {
  card_.NaviExe();
  card::AdbOpenResult result = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
  EXPECT_EQ(result.status, AdbOpenStatus::Missing);
  EXPECT_FALSE(result.file.IsOpen());
  EXPECT_FALSE(card_.Exists(kRouteFile));
}

TEST_F(RouteFileTest, UnknownDriveCannotBeOpened) {
  card::AdbOpenResult result =
      AdbOpen(platform_.files, image_, card::RouteFilePath("Q:"), card::kAdbIdentityName);
  EXPECT_NE(result.status, AdbOpenStatus::Opened);
  EXPECT_FALSE(result.file.IsOpen());
}

TEST_F(RouteFileTest, HeldFileCannotBeOpenedTwice) {
  card_.RouteFile(TwoPoints());
  card::AdbOpenResult first = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
  ASSERT_EQ(first.status, AdbOpenStatus::Opened);
  card::AdbOpenResult second = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
  EXPECT_EQ(second.status, AdbOpenStatus::CannotOpen);
  EXPECT_FALSE(second.file.IsOpen());
  first.file.Close();
  EXPECT_EQ(AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName).status, AdbOpenStatus::Opened);
}

TEST_F(RouteFileTest, RegisterWritesChangeOnlyTheFieldsOfBlock0) {
  card_.RouteFile(TwoPoints());
  const std::string before = OnCard();
  card::AdbOpenResult opened = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
  ASSERT_EQ(opened.status, AdbOpenStatus::Opened);
  ReadAll(opened.file);

  card::SetRouteSetFlag(image_, RoutePoint::Destination, 0);
  card::SetRouteSetFlag(image_, RoutePoint::Waypoint, 1);
  card::SetRouteX(image_, RoutePoint::Destination, 0x01020304);
  card::SetRouteY(image_, RoutePoint::Destination, -2);
  card::SetRouteX(image_, RoutePoint::Waypoint, 0x11223344);
  card::SetRouteY(image_, RoutePoint::Waypoint, 0x55667788);
  card::SetRouteName(image_, RoutePoint::Destination, "Home");
  card::SetRouteName(image_, RoutePoint::Waypoint, "");
  for (int n : {0, 1, 4, 5, 7, 10}) EXPECT_TRUE(AdbWriteBlock(opened.file, image_, n, platform_.clock)) << n;
  opened.file.Close();

  std::string expected = before;
  auto put = [&expected](size_t offset, std::string_view bytes) {
    expected.replace(offset, bytes.size(), bytes);
  };
  put(512 + 7, std::string(1, '\0'));
  put(512 + 8, "\x01");
  put(512 + 24, "\x04\x03\x02\x01");
  put(512 + 28, "\x44\x33\x22\x11");
  put(512 + 64, "\xFE\xFF\xFF\xFF");
  put(512 + 68, "\x88\x77\x66\x55");
  put(512 + 136, std::string("Home\0", 5));  // the old name's tail stays after the NUL
  put(512 + 1673, std::string(1, '\0'));
  EXPECT_EQ(OnCard(), expected);
  EXPECT_EQ(platform_.clock.pauses, (std::vector<unsigned>(6, 100)));
}

TEST_F(RouteFileTest, Block2IsWrittenScrambledWithItsMagic) {
  card_.RouteFile(TwoPoints());
  const std::string before = OnCard();
  card::AdbOpenResult opened = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
  ASSERT_EQ(opened.status, AdbOpenStatus::Opened);
  ReadAll(opened.file);
  std::string plain(image_.blocks[2].begin(), image_.blocks[2].end());
  plain[10] = 'Q';
  std::memcpy(image_.blocks[2].data(), "JUNK", 4);
  image_.blocks[2][10] = 'Q';
  EXPECT_TRUE(AdbWriteBlock(opened.file, image_, 2, platform_.clock));
  EXPECT_EQ(std::memcmp(image_.blocks[2].data(), "JUNK", 4), 0);  // the buffer keeps what it held
  opened.file.Close();

  card::ScrambleBytes("tyhvxlpgc", reinterpret_cast<uint8_t*>(plain.data()), plain.size());
  std::string expected = before;
  expected.replace(4608, plain.size(), plain);
  EXPECT_EQ(OnCard(), expected);
  EXPECT_EQ(platform_.clock.pauses, (std::vector<unsigned>{100}));
}

TEST_F(RouteFileTest, Block2WithAWrongMagicFailsToRead) {
  RouteFileContent content = TwoPoints();
  content.block2_magic = "ADAX";
  card_.RouteFile(content);
  card::AdbOpenResult opened = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
  ASSERT_EQ(opened.status, AdbOpenStatus::Opened);
  EXPECT_FALSE(AdbReadBlock(opened.file, image_, 2));
  EXPECT_EQ(std::memcmp(image_.blocks[2].data(), "ADAX", 4), 0);  // held unscrambled as read
  EXPECT_TRUE(AdbReadBlock(opened.file, image_, 3));

  // Writing it back stores the right magic.
  EXPECT_TRUE(AdbWriteBlock(opened.file, image_, 2, platform_.clock));
  EXPECT_TRUE(AdbReadBlock(opened.file, image_, 2));
}

TEST_F(RouteFileTest, FailedOperationsKeepTheImageAndTheCard) {
  card_.RouteFile(TwoPoints());
  card::AdbOpenResult opened = AdbOpen(platform_.files, image_, Path(), card::kAdbIdentityName);
  ASSERT_EQ(opened.status, AdbOpenStatus::Opened);
  ReadAll(opened.file);
  const AdbImage kept = image_;

  // Block numbers outside the table.
  for (int n : {-1, 11, 127, -128}) {
    EXPECT_FALSE(AdbReadBlock(opened.file, image_, n)) << n;
    EXPECT_FALSE(AdbWriteBlock(opened.file, image_, n, platform_.clock)) << n;
  }
  opened.file.Close();
  const std::string written = OnCard();

  // A closed handle, as after a failed open: nothing read, nothing written.
  card_.RouteFile(RouteFileContent{});
  const std::string other = OnCard();
  for (int n = 0; n < card::kAdbBlockCount; ++n) {
    EXPECT_FALSE(AdbReadBlock(opened.file, image_, n));
    EXPECT_FALSE(AdbWriteBlock(opened.file, image_, n, platform_.clock));
  }
  EXPECT_EQ(image_.blocks, kept.blocks);
  EXPECT_EQ(image_.header, kept.header);
  EXPECT_EQ(OnCard(), other);
  EXPECT_NE(written, other);
}

TEST(RouteNameTest, NamesStayWithinTheirField) {
  AdbImage image;
  // A field without a NUL gives its 41 bytes and nothing of what follows.
  std::memset(image.blocks[0].data() + 136, 'x', 60);
  EXPECT_EQ(card::RouteName(image, RoutePoint::Destination), std::string(41, 'x'));

  // Longer names are cut at the last whole double-byte character within 40 bytes.
  const std::string kanji = testing_support::Sjis("東");  // two bytes
  std::string long_name = "a";
  for (int i = 0; i < 25; ++i) long_name += kanji;  // 51 bytes
  card::SetRouteName(image, RoutePoint::Waypoint, long_name);
  const std::string stored = card::RouteName(image, RoutePoint::Waypoint);
  EXPECT_EQ(stored, long_name.substr(0, 39));
  EXPECT_EQ(image.blocks[0][1673 + 39], 0);

  card::SetRouteName(image, RoutePoint::Destination, std::string(40, 'y'));
  EXPECT_EQ(card::RouteName(image, RoutePoint::Destination), std::string(40, 'y'));
  EXPECT_EQ(image.blocks[0][136 + 40], 0);
  EXPECT_EQ(image.blocks[0][136 + 41], 'x');  // beyond the field: untouched
}

}  // namespace
