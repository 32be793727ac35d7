#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "geo/boundary.h"
#include "platform/text.h"
#include "tests/support/boundary_builder.h"
#include "tests/support/fake_services.h"

namespace geo {
namespace {

using testing_support::BoundaryArea;
using testing_support::BoundaryBox;
using testing_support::BoundaryFileBuilder;
using testing_support::BoundaryPrefecture;
using testing_support::RectangleOutline;

constexpr int32_t kOriginX = 10000000;
constexpr int32_t kOriginY = 4000000;

std::string Ansi(std::u16string_view text) {
  return platform::WideToAnsi(text);
}

// A rectangle outline in units from the origin.
std::vector<testing_support::BoundaryPoint> Rect(int32_t west, int32_t south, int32_t east, int32_t north) {
  return RectangleOutline(kOriginX + west, kOriginY + south, kOriginX + east, kOriginY + north);
}

BoundaryFileBuilder EmptyFile() {
  BoundaryFileBuilder file;
  file.origin_x = kOriginX;
  file.origin_y = kOriginY;
  return file;
}

// Two areas side by side in one prefecture, and two prefectures above them whose names
// sit on both sides of the length rule.
BoundaryFileBuilder TownsFile() {
  BoundaryFileBuilder file = EmptyFile();
  file.prefectures = {
      {u"東京都", {{u"千代田区", Rect(0, 0, 1000, 1000)}, {u"中央区", Rect(1000, 0, 2000, 1000)}}, 13},
      {u"北海道", {{u"上川郡東川町", Rect(0, 2000, 1000, 3000)}}, 1},
      {u"宮崎県", {{u"東臼杵郡門川町", Rect(1000, 2000, 2000, 3000)}}, 45},
  };
  return file;
}

bool Load(CBoundary& boundary, const BoundaryFileBuilder& file) {
  return boundary.LoadImage(file.Bytes());
}

struct Answer {
  bool found;
  std::string output;
};

Answer Ask(CBoundary& boundary, int32_t east, int32_t north, int limit = 10) {
  std::string output = "untouched";
  bool found = boundary.Lookup(static_cast<float>(kOriginX + east), static_cast<float>(kOriginY + north),
                               &output, nullptr, limit);
  return {found, output};
}

TEST(BoundaryTest, NamesFollowTheLengthRule) {
  struct Case {
    int32_t east, north;
    int limit;
    bool second;
    std::u16string output, second_output;
  };
  const Case cases[] = {
      {500, 500, 10, false, u"東京都千代田区", u""},  // 3 + 4 + 1 <= 10
      {500, 500, 10, true, u"東京都", u"千代田区"},   // the area goes to the second output
      {1500, 500, 10, false, u"東京都中央区", u""},
      {500, 2500, 10, false, u"北海道上川郡東川町", u""},  // 3 + 6 + 1 = 10
      {1500, 2500, 10, false, u"東臼杵郡門川町", u""},     // 3 + 7 + 1 = 11: the area alone
      {1500, 2500, 10, true, u"東臼杵郡門川町", u""},
      {1500, 2500, 11, false, u"宮崎県東臼杵郡門川町", u""},
      {500, 500, 7, false, u"千代田区", u""},
      {500, 500, 0, false, u"千代田区", u""},
  };
  for (const Case& c : cases) {
    CBoundary boundary;
    ASSERT_TRUE(Load(boundary, TownsFile()));
    std::string output, second = "stale";
    EXPECT_TRUE(boundary.Lookup(static_cast<float>(kOriginX + c.east), static_cast<float>(kOriginY + c.north),
                                &output, c.second ? &second : nullptr, c.limit));
    EXPECT_EQ(output, Ansi(c.output)) << c.east << "," << c.north << " n=" << c.limit;
    if (c.second) {
      EXPECT_EQ(second, Ansi(c.second_output)) << c.east << "," << c.north;
    }
  }
}

TEST(BoundaryTest, OutsideEveryAreaEmptiesTheOutputs) {
  CBoundary boundary;
  ASSERT_TRUE(Load(boundary, TownsFile()));
  const int32_t outside[][2] = {{2500, 500}, {500, 1500},          {-10, 500},
                                {500, -10},  {-5000000, -3000000}, {0, 70000000}};
  for (const auto& p : outside) {
    std::string output = "old", second = "old";
    EXPECT_FALSE(boundary.Lookup(static_cast<float>(kOriginX + p[0]), static_cast<float>(kOriginY + p[1]),
                                 &output, &second, 10))
        << p[0] << "," << p[1];
    EXPECT_EQ(output, "");
    EXPECT_EQ(second, "");
  }
}

// The area's or the prefecture's box is cut to coarse cells 2..4 (units 512..1279) of an
// outline reaching to 2048; a later area covering everything answers what the box lets by.
TEST(BoundaryTest, BoxEdgesAreInclusive) {
  for (bool cut_prefecture : {false, true}) {
    BoundaryFileBuilder file = EmptyFile();
    BoundaryArea inner{u"内側", Rect(512, 512, 2048, 2048)};
    BoundaryPrefecture first{u"県", {inner}};
    (cut_prefecture ? first.box : first.areas[0].box) = BoundaryBox{2, 2, 4, 4};
    file.prefectures = {first, {u"外", {{u"全域", Rect(0, 0, 4000, 4000)}}}};
    CBoundary boundary;
    ASSERT_TRUE(Load(boundary, file));
    struct Case {
      int32_t east, north;
      std::u16string name;
    };
    const Case cases[] = {
        {512, 512, u"県内側"},  {1279, 1279, u"県内側"}, {512, 1279, u"県内側"},
        {1279, 512, u"県内側"}, {511, 800, u"外全域"},   {800, 511, u"外全域"},
        {1280, 800, u"外全域"}, {800, 1280, u"外全域"},  {1500, 1500, u"外全域"},
    };
    for (const Case& c : cases) {
      Answer answer = Ask(boundary, c.east, c.north, 100);
      EXPECT_TRUE(answer.found);
      EXPECT_EQ(answer.output, Ansi(c.name))
          << c.east << "," << c.north << " prefecture box " << cut_prefecture;
      // Far from the cached answer, so that every case searches.
      Ask(boundary, 3900, 3900);
    }
  }
}

// A point level with the southern end of a segment counts for it, one level with the
// northern end does not; likewise a point on a west edge is inside and on an east edge not.
TEST(BoundaryTest, OutlineEdgesAndVertices) {
  struct Case {
    std::vector<testing_support::BoundaryPoint> outline;
    int32_t east, north;
    bool inside;
  };
  const auto triangle = std::vector<testing_support::BoundaryPoint>{{kOriginX + 256, kOriginY + 256},
                                                                    {kOriginX + 356, kOriginY + 306},
                                                                    {kOriginX + 256, kOriginY + 356},
                                                                    {kOriginX + 256, kOriginY + 256}};
  const Case cases[] = {
      {Rect(256, 256, 356, 356), 306, 306, true},
      {Rect(256, 256, 356, 356), 306, 256, true},
      {Rect(256, 256, 356, 356), 306, 356, false},
      {Rect(256, 256, 356, 356), 256, 306, true},
      {Rect(256, 256, 356, 356), 356, 306, false},
      {Rect(256, 256, 356, 356), 356, 356, false},
      {Rect(256, 256, 356, 356), 256, 256, true},
      {triangle, 266, 306, true},  // level with the east vertex
      {triangle, 346, 306, true},
      {triangle, 356, 306, false},
      {triangle, 340, 340, false},
  };
  for (const Case& c : cases) {
    BoundaryFileBuilder file = EmptyFile();
    file.prefectures = {{u"県", {{u"市", c.outline}}}};
    CBoundary boundary;
    ASSERT_TRUE(Load(boundary, file));
    EXPECT_EQ(Ask(boundary, c.east, c.north).found, c.inside) << c.east << "," << c.north;
  }
}

// No edge joins the last point back to the first: an open outline counts only the edges
// it lists, so a point west of an open rectangle (inside its box) is taken as inside.
TEST(BoundaryTest, OutlinesCloseOnlyWhenTheyRepeatTheirFirstPoint) {
  for (bool closed : {false, true}) {
    auto outline = Rect(1024, 1024, 2048, 2048);
    if (!closed) outline.pop_back();
    BoundaryFileBuilder file = EmptyFile();
    BoundaryArea area{u"市", outline};
    area.box = BoundaryBox{0, 0, 8, 8};
    file.prefectures = {{u"県", {area}}};
    CBoundary boundary;
    ASSERT_TRUE(Load(boundary, file));
    EXPECT_TRUE(Ask(boundary, 1500, 1500).found) << closed;
    Ask(boundary, 100000, 100000);
    EXPECT_EQ(Ask(boundary, 512, 1500).found, !closed);
  }
}

TEST(BoundaryTest, OneEntryCacheOf500Units) {
  CBoundary boundary;
  ASSERT_TRUE(Load(boundary, TownsFile()));
  const std::string chiyoda = Ansi(u"東京都千代田区"), chuo = Ansi(u"東京都中央区");
  ASSERT_EQ(Ask(boundary, 900, 400).output, chiyoda);
  // 499 units on both axes: the cached answer, although the point lies in the next area.
  EXPECT_EQ(Ask(boundary, 900 + 499, 400 + 499).output, chiyoda);
  EXPECT_EQ(Ask(boundary, 900 + 499, 400 - 499).output, chiyoda);
  // The cache hit does not move the remembered position.
  EXPECT_EQ(Ask(boundary, 900 + 499, 400).output, chiyoda);
  // 500 on one axis: a search.
  EXPECT_EQ(Ask(boundary, 900 + 500, 400).output, chuo);
  EXPECT_EQ(Ask(boundary, 1400 - 499, 400).output, chuo);
  EXPECT_EQ(Ask(boundary, 1400, 400 + 500).output, Ansi(u"東京都中央区"));
  EXPECT_EQ(Ask(boundary, 1400 - 500, 900).output, chiyoda);
  // A miss forgets the names: the next lookup searches even close to the last hit.
  EXPECT_FALSE(Ask(boundary, 900, 1500).found);
  EXPECT_EQ(Ask(boundary, 1399, 900).output, chuo);
}

TEST(BoundaryTest, RefusedFilesLeaveNothingLoaded) {
  using Patch = void (*)(std::string&);
  const Patch patches[] = {
      [](std::string& b) { b[3] = 'X'; },                                      // magic
      [](std::string& b) { BoundaryFileBuilder::PutU32(b, 4, 99); },           // version 99
      [](std::string& b) { BoundaryFileBuilder::PutU32(b, 4, 101); },          // version 101
      [](std::string& b) { b.resize(59); },                                    // header cut
      [](std::string& b) { b.clear(); },                                       // empty
      [](std::string& b) { BoundaryFileBuilder::PutU32(b, 24, 0xFFFFFFFF); },  // P = -1
      [](std::string& b) { BoundaryFileBuilder::PutU32(b, 28, 0x80000000); },  // A negative
      [](std::string& b) { BoundaryFileBuilder::PutU32(b, 24, 1000); },        // tables past the end
      [](std::string& b) { BoundaryFileBuilder::PutU32(b, 28, 0x7FFFFFFF); },
      [](std::string& b) { BoundaryFileBuilder::PutU32(b, 52, 32); },          // fine shift
      [](std::string& b) { BoundaryFileBuilder::PutU32(b, 56, 0xFFFFFFFF); },  // coarse shift
  };
  for (size_t i = 0; i < std::size(patches); ++i) {
    std::string bytes = TownsFile().Bytes();
    patches[i](bytes);
    CBoundary boundary;
    ASSERT_TRUE(Load(boundary, TownsFile()));
    EXPECT_FALSE(boundary.LoadImage(bytes)) << i;
    EXPECT_FALSE(boundary.IsLoaded()) << i;
    // Nothing loaded: false, and the caller's text is left as it was.
    Answer answer = Ask(boundary, 500, 500);
    EXPECT_FALSE(answer.found);
    EXPECT_EQ(answer.output, "untouched");
  }
}

TEST(BoundaryTest, RecordsReachingOutsideTheFileAreSkipped) {
  BoundaryFileBuilder file = TownsFile();
  std::string bytes = file.Bytes();
  // Prefecture 1 claims areas beyond the table; area 0 points beyond the outline points.
  BoundaryFileBuilder::PutU16(bytes, BoundaryFileBuilder::PrefectureOffset(1) + 18, 4);
  BoundaryFileBuilder::PutU32(bytes, file.AreaOffset(0) + 36, 18);
  CBoundary boundary;
  ASSERT_TRUE(boundary.LoadImage(bytes));
  EXPECT_EQ(boundary.SkippedPrefectures(), 1);
  EXPECT_EQ(boundary.SkippedAreas(), 1);
  EXPECT_FALSE(Ask(boundary, 500, 500).found);  // area 0 skipped
  EXPECT_EQ(Ask(boundary, 1500, 500).output, Ansi(u"東京都中央区"));
  EXPECT_FALSE(Ask(boundary, 500, 2500).found);  // prefecture 1 skipped
  EXPECT_EQ(Ask(boundary, 1500, 2500).output, Ansi(u"東臼杵郡門川町"));

  // A point count reaching one past the points is refused as well; one that fits is not.
  std::string counts = file.Bytes();
  BoundaryFileBuilder::PutU16(counts, file.AreaOffset(3) + 26, 6);
  ASSERT_TRUE(boundary.LoadImage(counts));
  EXPECT_EQ(boundary.SkippedAreas(), 1);
  EXPECT_FALSE(Ask(boundary, 1500, 2500).found);
  BoundaryFileBuilder::PutU16(counts, file.AreaOffset(3) + 26, 5);
  ASSERT_TRUE(boundary.LoadImage(counts));
  EXPECT_EQ(boundary.SkippedAreas(), 0);
  EXPECT_TRUE(Ask(boundary, 1500, 2500).found);
}

TEST(BoundaryTest, NamesWithoutTerminatorAreCutToTheirBuffers) {
  struct Case {
    std::u16string prefecture, area;
    std::u16string expected_prefecture, expected_area;
  };
  const Case cases[] = {
      {u"あいうえおかきく", u"市", u"あいうえおかき", u"市"},  // 8 wide characters: 7 kept
      {u"ABCDEFGH", u"市", u"ABCDEFGH", u"市"},                // 8 narrow ones fit
      {u"県", u"あいうえおかきくけこさし", u"県", u"あいうえおかきくけこさ"},
      {u"県", u"ABCDEFGHIJKL", u"県", u"ABCDEFGHIJKL"},
  };
  for (const Case& c : cases) {
    BoundaryFileBuilder file = EmptyFile();
    file.prefectures = {{c.prefecture, {{c.area, Rect(0, 0, 100, 100)}}}};
    CBoundary boundary;
    ASSERT_TRUE(Load(boundary, file));
    std::string output, second;
    ASSERT_TRUE(boundary.Lookup(kOriginX + 50.0f, kOriginY + 50.0f, &output, &second, 100));
    EXPECT_EQ(output, Ansi(c.expected_prefecture));
    EXPECT_EQ(second, Ansi(c.expected_area));
  }
}

// Every truncation of a good file and many corrupted copies load or are refused, and
// lookups over them stay inside the image (run under the address sanitizer).
TEST(BoundaryTest, TruncatedAndRandomFilesNeverReadOutsideTheImage) {
  const std::string good = TownsFile().Bytes();
  std::mt19937 random(19410704);
  auto probe = [](CBoundary& boundary) {
    for (int32_t east = -500; east <= 2500; east += 250) {
      for (int32_t north = -500; north <= 3500; north += 250) {
        std::string output, second;
        boundary.Lookup(static_cast<float>(kOriginX + east), static_cast<float>(kOriginY + north), &output,
                        (east / 250) % 2 ? &second : nullptr, 10);
      }
    }
  };
  for (size_t size = 0; size <= good.size(); ++size) {
    CBoundary boundary;
    bool loaded = boundary.LoadImage(good.substr(0, size));
    if (size < TownsFile().AreaOffset(4)) {
      EXPECT_FALSE(loaded) << size;
    }
    probe(boundary);
  }
  for (int round = 0; round < 300; ++round) {
    std::string bytes = good;
    for (int flips = 0; flips < 8; ++flips)
      bytes[8 + random() % (bytes.size() - 8)] = static_cast<char>(random());
    CBoundary boundary;
    boundary.LoadImage(bytes);
    probe(boundary);
  }
  for (int round = 0; round < 50; ++round) {
    std::string bytes(random() % 400, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    if (bytes.size() >= 8 && round % 2) {
      bytes.replace(0, 4, "DNBJ");
      BoundaryFileBuilder::PutU32(bytes, 4, 100);
    }
    CBoundary boundary;
    boundary.LoadImage(bytes);
    probe(boundary);
  }
}

class BoundaryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drive = platform.volumes.AttachFolder(folder.path());
    ASSERT_NE(drive, 0);
    std::filesystem::create_directories(folder.path() + "/Navi/Data");
  }
  std::string CardPath() const { return std::string(1, drive) + ":\\Navi\\Data\\prefecture.mzb"; }
  bool Write(const std::string& bytes) {
    return BoundaryFileBuilder::WriteHostFile(folder.path() + "/Navi/Data/prefecture.mzb", bytes);
  }

  testing_support::TestPlatform platform;
  testing_support::TempFolder folder;
  char drive = 0;
};

TEST_F(BoundaryFileTest, LoadsFromTheCardAndAFailedLoadUnloads) {
  CBoundary boundary;
  EXPECT_FALSE(boundary.Load(platform.files, CardPath()));  // missing

  ASSERT_TRUE(Write(TownsFile().Bytes()));
  ASSERT_TRUE(boundary.Load(platform.files, CardPath()));
  EXPECT_EQ(Ask(boundary, 500, 500).output, Ansi(u"東京都千代田区"));

  BoundaryFileBuilder old_version = TownsFile();
  old_version.version = 99;
  ASSERT_TRUE(Write(old_version.Bytes()));
  EXPECT_FALSE(boundary.Load(platform.files, CardPath()));
  EXPECT_FALSE(boundary.IsLoaded());
  EXPECT_FALSE(Ask(boundary, 500, 500).found);

  for (const std::string& bytes : {std::string(), std::string("DNBJ"), TownsFile().Bytes().substr(0, 100)}) {
    ASSERT_TRUE(Write(bytes));
    EXPECT_FALSE(boundary.Load(platform.files, CardPath())) << bytes.size();
  }
}

TEST_F(BoundaryFileTest, FileHeldWithoutSharingIsNotLoaded) {
  ASSERT_TRUE(Write(TownsFile().Bytes()));
  platform::File held = platform.files.Open(CardPath(), platform::Access::Read, platform::Share::None,
                                            platform::Disposition::OpenExisting);
  ASSERT_TRUE(held.IsOpen());
  CBoundary boundary;
  EXPECT_FALSE(boundary.Load(platform.files, CardPath()));
  held.Close();
  EXPECT_TRUE(boundary.Load(platform.files, CardPath()));
}

}  // namespace
}  // namespace geo
