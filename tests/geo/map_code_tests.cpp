#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "geo/map_code.h"
#include "tests/support/fake_services.h"
#include "tests/support/map_code_builder.h"

namespace geo {
namespace {

using testing_support::MapCodeBlock;
using testing_support::MapCodeTableBuilder;

// Block 1 starts at 135 E, 35 N (10800000, 4200000 units).
MapCodeTableBuilder StandardTable() {
  MapCodeTableBuilder table;
  table.Block(0, {30, 139, 45, 0, 35, 40, 0});
  table.Block(1, {30, 135, 0, 0, 35, 0, 0});
  table.Block(1203, {30, 140, 0, 0, 40, 0, 0});
  return table;
}

CMapCodeConverter Loaded(const std::string& bytes) {
  CMapCodeConverter converter;
  converter.LoadBytes(bytes);
  return converter;
}

TEST(MapCodeTest, CodeZeroIsTheOriginOfTheFirstBlock) {
  MapCodeTableBuilder table;
  table.Block(0, {30, 135, 0, 0, 35, 30, 0});
  CMapCodeConverter converter = Loaded(table.Bytes());
  EXPECT_EQ(converter.Convert("0"), (MapPosition{10800000, 4260000}));
  EXPECT_EQ(converter.Convert("000000000"), (MapPosition{10800000, 4260000}));
}

// A cell and a second inside the block give the same point as a block whose origin lies
// that far east and north: the cell picks 30-second steps (W per row, rows northward),
// the second one-second steps (30 per row).
TEST(MapCodeTest, CellAndSecondMoveFromTheBlockOrigin) {
  struct Case {
    const char* code;
    MapCodeBlock block;
    MapCodeBlock moved;  // origin already moved by the expected offsets
  };
  const Case cases[] = {
      // W = 30: cell 31 is column 1, row 1; second 45 is column 15, row 1.
      {"5031045", {30, 139, 45, 0, 35, 40, 0}, {30, 139, 45, 45, 35, 40, 31}},
      // W = 7: cell 16 is column 2, row 2; second 899 is column 29, row 29.
      {"5016899", {7, 130, 0, 0, 33, 0, 0}, {7, 130, 1, 29, 33, 1, 29}},
      // W = 1: each cell is a new row.
      {"5005000", {1, 141, 20, 0, 43, 0, 0}, {1, 141, 20, 0, 43, 2, 30}},
      // Seconds add up across the minute.
      {"5001059", {30, 135, 0, 50, 35, 0, 59}, {30, 135, 1, 49, 35, 1, 0}},
  };
  for (const Case& c : cases) {
    MapCodeTableBuilder table;
    table.Block(5, c.block).Block(6, c.moved);
    CMapCodeConverter converter = Loaded(table.Bytes());
    std::optional<MapPosition> position = converter.Convert(c.code);
    ASSERT_TRUE(position) << c.code;
    EXPECT_EQ(position, converter.Convert("6000000")) << c.code;
  }
}

// The degrees are not exact in binary and the extended product is truncated: a whole
// number of units can come out one lower.
TEST(MapCodeTest, WholeUnitLatitudesAsTheDeviceTruncatesThem) {
  struct Case {
    uint8_t degrees, minutes;
    int32_t y;
  };
  const Case cases[] = {{35, 10, 4219999}, {30, 20, 3639999}, {35, 0, 4200000}, {35, 30, 4260000}};
  for (const Case& c : cases) {
    MapCodeTableBuilder table;
    table.Block(2, {30, 135, 0, 0, c.degrees, c.minutes, 0});
    std::optional<MapPosition> position = Loaded(table.Bytes()).Convert("2000000");
    ASSERT_TRUE(position);
    EXPECT_EQ(position->y, c.y) << int(c.degrees) << " " << int(c.minutes);
    EXPECT_EQ(position->x, 10800000);
  }
}

// Sub-code digits pick cells of a third and a ninth of a second. Expected offsets in
// ninths of a second (east, north); 1/9 s is 200/81 longitude and 100/27 latitude units,
// never a whole number, so the truncation is unambiguous.
TEST(MapCodeTest, SubCodeGrid) {
  struct Case {
    const char* code;
    int east_ninths, north_ninths;
  };
  const Case cases[] = {
      {"1000000*", 4, 4},  // bare '*': both digits 0, the middle cell twice
      {"1000000*0", 4, 4},  {"1000000*00", 4, 4}, {"1000000*5", 3, 3},
      {"1000000*05", 3, 3},  // the sub-code is a number: 05 is 5
      {"1000000*55", 0, 0}, {"1000000*78", 6, 1}, {"1000000*44", 8, 8},
      {"1000000*26", 1, 6}, {"1000000*13", 7, 5}, {"1000000*000000005", 3, 3},
  };
  CMapCodeConverter converter = Loaded(StandardTable().Bytes());
  for (const Case& c : cases) {
    std::optional<MapPosition> position = converter.Convert(c.code);
    ASSERT_TRUE(position) << c.code;
    EXPECT_EQ(position->x, 10800000 + c.east_ninths * 200 / 81) << c.code;
    EXPECT_EQ(position->y, 4200000 + c.north_ninths * 100 / 27) << c.code;
  }
  EXPECT_EQ(converter.Convert("1000000"), (MapPosition{10800000, 4200000}));
}

TEST(MapCodeTest, PastedBlanksAndHyphensAreIgnored) {
  CMapCodeConverter converter = Loaded(StandardTable().Bytes());
  std::optional<MapPosition> plain = converter.Convert("1031045*26");
  ASSERT_TRUE(plain);
  EXPECT_EQ(converter.Convert(" 1-031-045 * 2 6 "), plain);
  EXPECT_EQ(converter.Convert("1 031 045\t*26\n"), plain);
}

TEST(MapCodeTest, RejectedCodes) {
  const char* rejected[] = {
      "1900000",             // cell 900
      "1000900",             // second 900
      "1204000000",          // block 1204
      "99999999999",         // beyond 32 bits: reads as 2147483647, block 2147
      "1000000*90",          // tens digit 9
      "1000000*9",           // units digit 9
      "1000000*19",          // units digit 9
      "1000000*100",         // tens "digit" 10
      "1000000*1*2",         // more than one '*'
      "**",                  //
      "",                    // no main number
      "*5",                  //
      " - ",                 //
      "1000000*0000000005",  // sub-code of 10 digits
  };
  CMapCodeConverter converter = Loaded(StandardTable().Bytes());
  for (const char* code : rejected) EXPECT_FALSE(converter.Convert(code)) << code;

  // The largest accepted numbers.
  EXPECT_TRUE(converter.Convert("1203899899"));
  EXPECT_TRUE(converter.Convert("1000000*88"));
}

TEST(MapCodeTest, MainNumberOfAtMost99Digits) {
  CMapCodeConverter converter = Loaded(StandardTable().Bytes());
  std::string code = "1031045";
  std::string padded_99 = std::string(99 - code.size(), '0') + code;
  std::string padded_100 = "0" + padded_99;
  EXPECT_EQ(converter.Convert(padded_99), converter.Convert(code));
  EXPECT_TRUE(converter.Convert(padded_99));
  EXPECT_FALSE(converter.Convert(padded_100));
}

TEST(MapCodeTest, ShortTablesAndZeroWidthBlocksGiveInvalidCodes) {
  MapCodeTableBuilder table = StandardTable();
  table.Block(7, {0, 135, 0, 0, 35, 0, 0});
  const std::string full = table.Bytes();

  CMapCodeConverter zero_width = Loaded(full);
  EXPECT_FALSE(zero_width.Convert("7000000"));
  EXPECT_FALSE(zero_width.Convert("7031045*11"));

  CMapCodeConverter short_by_one = Loaded(full.substr(0, full.size() - 1));
  EXPECT_TRUE(short_by_one.IsReady());
  EXPECT_FALSE(short_by_one.Convert("1203000000"));
  EXPECT_TRUE(short_by_one.Convert("1202000000"));
  EXPECT_EQ(short_by_one.Convert("1000000"), (MapPosition{10800000, 4200000}));

  CMapCodeConverter empty = Loaded("");
  EXPECT_FALSE(empty.Convert("0"));
  EXPECT_FALSE(empty.Convert("1000000"));
}

TEST(MapCodeTest, NothingConvertsBeforeALoad) {
  CMapCodeConverter converter;
  EXPECT_FALSE(converter.IsReady());
  EXPECT_FALSE(converter.Convert("0"));
}

class MapCodeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drive = platform.volumes.AttachFolder(folder.path());
    ASSERT_NE(drive, 0);
    std::filesystem::create_directories(folder.path() + "/Navi/Data");
  }
  std::string CardPath() const { return std::string(1, drive) + ":\\Navi\\Data\\MapCode.bin"; }
  bool Write(const std::string& bytes) {
    return MapCodeTableBuilder::WriteHostFile(folder.path() + "/Navi/Data/MapCode.bin", bytes);
  }

  testing_support::TestPlatform platform;
  testing_support::TempFolder folder;
  char drive = 0;
};

TEST_F(MapCodeFileTest, LoadsTheCardsTableAndAMissingFileStopsEveryCode) {
  ASSERT_TRUE(Write(StandardTable().Bytes()));
  CMapCodeConverter converter;
  converter.Load(platform.files, CardPath(), 1);
  EXPECT_TRUE(converter.IsReady());
  EXPECT_EQ(converter.Path(), CardPath());
  EXPECT_EQ(converter.Tag(), 1);
  EXPECT_EQ(converter.Convert("1000000"), (MapPosition{10800000, 4200000}));

  std::filesystem::remove(folder.path() + "/Navi/Data/MapCode.bin");
  converter.Load(platform.files, CardPath(), 1);
  EXPECT_FALSE(converter.IsReady());
  EXPECT_FALSE(converter.Convert("1000000"));
  EXPECT_EQ(converter.BlockAt(1).Width(), 30);  // the old table is kept, unused

  // A later load that finds the file makes it usable again.
  ASSERT_TRUE(Write(StandardTable().Bytes(5000)));
  converter.Load(platform.files, CardPath(), 1);
  EXPECT_TRUE(converter.IsReady());
  EXPECT_TRUE(converter.Convert("1000000"));
  EXPECT_FALSE(converter.Convert("1203000000"));
}

TEST_F(MapCodeFileTest, RandomBytesOfAnyLengthNeverReadOutsideTheTable) {
  std::mt19937 random(20090703);
  for (size_t size : {size_t{0}, size_t{9}, size_t{10}, size_t{12039}, size_t{12040}, size_t{20000}}) {
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    ASSERT_TRUE(Write(bytes));
    CMapCodeConverter converter;
    converter.Load(platform.files, CardPath(), 1);
    EXPECT_TRUE(converter.IsReady());
    for (int i = 0; i < 2000; ++i) {
      std::string code = std::to_string(random() % 1300000000);
      if (i % 2) code += "*" + std::to_string(random() % 100);
      std::optional<MapPosition> position = converter.Convert(code);
      if (position) {
        EXPECT_GE(position->x, 0);
        EXPECT_GE(position->y, 0);
      }
    }
  }
}

}  // namespace
}  // namespace geo
