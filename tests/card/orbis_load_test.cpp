// Loading orbis.orb and user.orb: the base, the bit fields, the refusals and the order.
#include <string>
#include <vector>

#include "log/log.h"
#include "tests/card/orbis_fixture.h"

namespace orbis_test {
namespace {

using testing_support::OrbisFileBuilder;
using testing_support::OrbisRecordSpec;

TEST_F(OrbisTest, BaseIsTheDefaultBeforeLoadingAndAfterAFailedLoad) {
  const card::OrbisBase expected = {9760000, 2400000, 0, 0};
  EXPECT_EQ(orbis_.Base(), expected);

  Write(kOrbisFile, OrbisFileBuilder().Base(1, 2, 3, 4).Point(0, 0, 0, 0).Bytes());
  ASSERT_EQ(Load(), 1);
  EXPECT_EQ(orbis_.Base(), (card::OrbisBase{1, 2, 3, 4}));

  std::filesystem::remove(Host(kOrbisFile));
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(orbis_.Base(), expected);
  EXPECT_EQ(orbis_.TotalCount(), 0);
  EXPECT_TRUE(platform_.message_box.shown.empty()) << "a missing orbis.orb shows no box";
}

TEST_F(OrbisTest, UserPositionsComeFromTheBitFieldsWhateverTheDeviceBitsHold) {
  struct Case {
    uint32_t x_field, y_field;
    float x, y;
  };
  const std::vector<Case> cases = {
      {0, 0, 9000000, 3000000},                                              // exactly at the base
      {1, 1, 9000004, 3000004},                                              // one step is four map units
      {250000, 125000, 10000000, 3500000},                                   // an ordinary point
      {0x1FFFFF, 0x1FFFFF, 9000000 + 4 * 0x1FFFFF, 3000000 + 4 * 0x1FFFFF},  // the widest fields
  };
  for (uint8_t device : {uint8_t{0x00}, uint8_t{0xFF}}) {
    OrbisFileBuilder user;
    for (size_t i = 0; i < cases.size(); ++i) {
      OrbisRecordSpec spec;
      spec.type = 22;
      spec.serial = static_cast<uint32_t>(i);
      spec.x_field = cases[i].x_field;
      spec.y_field = cases[i].y_field;
      spec.device.fill(device);
      user.Add(spec);
    }
    Write(kOrbisFile, OrbisFileBuilder().Base(9000000, 3000000).Point(0, 0, 0, 0).Bytes());
    Write(kUserFile, user.Bytes());
    ASSERT_EQ(Load(), 1);
    orbis_.SetActive(1);
    for (size_t i = 0; i < cases.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "case " << i << " device bits " << int{device});
      std::optional<card::OrbisPoint> pos = orbis_.GetUserPos(static_cast<int>(i));
      ASSERT_TRUE(pos.has_value());
      EXPECT_FLOAT_EQ(pos->x, cases[i].x);
      EXPECT_FLOAT_EQ(pos->y, cases[i].y);
    }
    EXPECT_FALSE(orbis_.GetUserPos(static_cast<int>(cases.size())).has_value());
    EXPECT_FALSE(orbis_.GetUserPos(-1).has_value());
  }
}

TEST_F(OrbisTest, RecordAccessorsReadAndWriteOnlyTheirOwnBits) {
  OrbisRecordSpec spec;
  spec.type = 45;
  spec.road = 2;
  spec.x_field = 0x155555;
  spec.y_field = 0x0AAAAA;
  spec.serial = 0xABCDE;
  spec.device.fill(0xFF);
  card::OrbisRecord record;
  record.bytes = testing_support::PackOrbisRecord(spec);
  EXPECT_EQ(record.Type(), 45);
  EXPECT_EQ(record.Road(), 2);
  EXPECT_EQ(record.XField(), 0x155555u);
  EXPECT_EQ(record.YField(), 0x0AAAAAu);
  EXPECT_EQ(record.SerialHigh(), 0xABCDE >> 10);
  EXPECT_EQ(record.SerialLow(), 0xABCDE & 0x3FF);
  EXPECT_EQ(record.Serial(), 0xABCDEu);

  record.SetType(7);
  record.SetRoad(1);
  record.SetXField(3);
  record.SetYField(4);
  record.SetSerial(0x12345);
  spec.type = 7;
  spec.road = 1;
  spec.x_field = 3;
  spec.y_field = 4;
  spec.serial = 0x12345;
  EXPECT_EQ(record.bytes, testing_support::PackOrbisRecord(spec)) << "a device bit was touched";
}

TEST_F(OrbisTest, BadOrbisHeaderShowsTheVersionBoxAndLeavesTheStoreEmpty) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"wrong magic", OrbisFileBuilder().Magic("SBRX").Point(0, 0, 0, 0).Bytes()},
      {"version 106", OrbisFileBuilder().Version(106).Point(0, 0, 0, 0).Bytes()},
      {"version 108", OrbisFileBuilder().Version(108).Point(0, 0, 0, 0).Bytes()},
      {"count 0", OrbisFileBuilder().Count(0).Point(0, 0, 0, 0).Bytes()},
      {"negative count", OrbisFileBuilder().Count(-5).Point(0, 0, 0, 0).Bytes()},
      {"empty file", ""},
      {"shorter than the header", MinimalOrbis().substr(0, 47)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform_.message_box.shown.clear();
    Write(kOrbisFile, c.bytes);
    Write(kUserFile, OrbisFileBuilder().Point(22, 1, 5, 5).Bytes());
    EXPECT_EQ(Load(), 0);
    ASSERT_EQ(platform_.message_box.shown.size(), 1u);
    const testing_support::ShownMessage& box = platform_.message_box.shown[0];
    EXPECT_EQ(box.text, "ORBIS VERSION FAIL");
    EXPECT_EQ(box.caption, "ZYK-700 ERROR");
    EXPECT_EQ(box.buttons, platform::MessageButtons::Ok);
    EXPECT_FALSE(box.owned);
    EXPECT_EQ(orbis_.TotalCount(), 0);
    EXPECT_EQ(orbis_.UserCount(), 0);
    EXPECT_EQ(orbis_.TypeCount(22), 0);
    EXPECT_EQ(orbis_.Base(), card::kOrbisDefaultBase);
    EXPECT_EQ(orbis_.SaveUser(), 0) << "no user.orb path is remembered";
  }
}

TEST_F(OrbisTest, UserFileWithoutRecordsOrWithABadHeaderIsIgnoredSilently) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"count 0", OrbisFileBuilder().Count(0).Point(22, 1, 5, 5).Bytes()},
      {"negative count", OrbisFileBuilder().Count(-1).Point(22, 1, 5, 5).Bytes()},
      {"wrong magic", OrbisFileBuilder().Magic("ORBS").Point(22, 1, 5, 5).Bytes()},
      {"wrong version", OrbisFileBuilder().Version(7).Point(22, 1, 5, 5).Bytes()},
      {"empty file", ""},
  };
  Write(kOrbisFile, MinimalOrbis());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write(kUserFile, c.bytes);
    EXPECT_EQ(Load(), 1);
    EXPECT_TRUE(platform_.message_box.shown.empty());
    EXPECT_EQ(orbis_.TotalCount(), 1);
    EXPECT_EQ(orbis_.UserCount(), 0);
    EXPECT_EQ(orbis_.TypeCount(22), 0);
  }
}

TEST_F(OrbisTest, MissingUserFileLeavesTheOrbisRecordsReachable) {
  Write(kOrbisFile, OrbisFileBuilder().Point(3, 0, 1, 1).Point(5, 0, 2, 2).Bytes());
  ASSERT_EQ(Load(), 1);
  EXPECT_EQ(orbis_.TotalCount(), 2);
  EXPECT_EQ(orbis_.UserCount(), 0);
  ASSERT_NE(orbis_.GetRecord(1), nullptr);
  EXPECT_EQ(orbis_.GetRecord(1)->Type(), 5);
  EXPECT_EQ(orbis_.GetRecord(2), nullptr);
  EXPECT_EQ(orbis_.GetRecord(-1), nullptr);
}

TEST_F(OrbisTest, LoadOrdersByYAndSetActiveByTypeThenSerial) {
  Write(kOrbisFile, OrbisFileBuilder().Point(5, 0, 0, 40).Point(2, 0, 0, 10).Point(5, 0, 0, 5).Bytes());
  Write(kUserFile, OrbisFileBuilder()
                       .Point(23, 4, 0, 30)
                       .Point(22, 9, 0, 1)
                       .Point(22, 2, 0, 50)
                       .Point(24, 1, 0, 20)
                       .Point(22, 5, 0, 25)
                       .Bytes());
  ASSERT_EQ(Load(), 1);
  ASSERT_EQ(orbis_.TotalCount(), 8);
  std::vector<uint32_t> ys;
  for (int p = 0; p < orbis_.TotalCount(); ++p) ys.push_back(orbis_.GetRecord(p)->YField());
  EXPECT_EQ(ys, (std::vector<uint32_t>{1, 5, 10, 20, 25, 30, 40, 50}));

  orbis_.SetActive(1);
  std::vector<std::pair<int, uint32_t>> order;
  for (int p = 0; p < orbis_.TotalCount(); ++p)
    order.emplace_back(orbis_.GetRecord(p)->Type(), orbis_.GetRecord(p)->Serial());
  EXPECT_EQ(order, (std::vector<std::pair<int, uint32_t>>{
                       {2, 0}, {5, 0}, {5, 0}, {22, 2}, {22, 5}, {22, 9}, {23, 4}, {24, 1}}));
  EXPECT_EQ(orbis_.CountBefore(22), 3);
  EXPECT_EQ(orbis_.CountBefore(22), orbis_.TotalCount() - orbis_.UserCount());
  EXPECT_EQ(orbis_.TypeCount(5), 2);
  EXPECT_EQ(orbis_.TypeCount(22), 3);
  EXPECT_EQ(orbis_.TypeCount(23), 1);
  EXPECT_EQ(orbis_.TypeCount(24), 1);
  EXPECT_EQ(orbis_.TypeCount(27), 0);
  EXPECT_EQ(orbis_.TypeCount(-1), 0);
}

TEST_F(OrbisTest, UserFileLogsItsThreeCountsAndTheTotal) {
  testing_support::FakeDebugOutput debugger;
  CLog log;
  log.SetMask(CLog::kDebugger);
  log.SetDebugOutput(&debugger);
  ScopedLog installed(log);

  Write(kOrbisFile, MinimalOrbis());
  Write(
      kUserFile,
      OrbisFileBuilder().Point(22, 1, 0, 0).Point(22, 2, 0, 0).Point(23, 1, 0, 0).Point(24, 1, 0, 0).Bytes());
  ASSERT_EQ(Load(), 1);
  std::string logged;
  for (const std::string& piece : debugger.pieces) logged += piece;
  EXPECT_EQ(logged, "USER POINT :2\nOCLS POINT :1\nRCLS POINT :1\nTOTAL USER POINT :4\n");
}

TEST_F(OrbisTest, CountsAreThoseOfTheRecordsHeldWhenACountTableDisagrees) {
  // The count tables claim more records than the files hold; positions worked out from
  // the counts must still point into the table.
  Write(kOrbisFile, OrbisFileBuilder().Point(1, 0, 0, 0).TypeCount(1, 40).TypeCount(25, 3).Bytes());
  Write(kUserFile, OrbisFileBuilder().Point(22, 1, 0, 0).TypeCount(22, 9).TypeCount(23, 4).Bytes());
  ASSERT_EQ(Load(), 1);
  orbis_.SetActive(1);
  EXPECT_EQ(orbis_.TypeCount(1), 1);
  EXPECT_EQ(orbis_.TypeCount(25), 0);
  EXPECT_EQ(orbis_.TypeCount(22), 1);
  EXPECT_EQ(orbis_.TypeCount(23), 0);
  EXPECT_EQ(orbis_.CountBefore(22), 1);
  ASSERT_NE(orbis_.GetRecord(orbis_.CountBefore(22)), nullptr);
  EXPECT_EQ(orbis_.GetRecord(orbis_.CountBefore(22))->Type(), 22);
}

TEST_F(OrbisTest, MoreThanTwoHundredUserRecordsAreAllKeptAndSaved) {
  OrbisFileBuilder user;
  for (uint32_t serial = 0; serial < 250; ++serial) user.Point(22, serial, serial, serial);
  Write(kOrbisFile, MinimalOrbis());
  Write(kUserFile, user.Bytes());
  ASSERT_EQ(Load(), 1);
  EXPECT_EQ(orbis_.UserCount(), 250);
  EXPECT_EQ(orbis_.TypeCount(22), 250);
  orbis_.SetActive(1);
  ASSERT_EQ(orbis_.SaveUser(), 1);
  EXPECT_EQ(Read(kUserFile), user.Bytes());
}

}  // namespace
}  // namespace orbis_test
