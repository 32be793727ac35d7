#include "card/favorites.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "card/card_paths.h"
#include "card/file_time.h"
#include "tests/support/card_builder.h"

namespace {

using card::CMapFavorites;
using card::FavItem;
using testing_support::CardBuilder;
using testing_support::PointFileText;
using testing_support::Sjis;
using testing_support::TestPlatform;

const std::string kFavList = std::string(testing_support::kFavoritesHostPath) + "/FavList.txt";

uint64_t Time(int year, int month, int day, int hour, int minute, int second) {
  return card::CivilToFileTime({year, month, day, hour, minute, second, 0}).value();
}

class FavoritesTest : public ::testing::Test {
 protected:
  std::string Path() const { return card::FavListPath(card_.drive()); }
  std::string OnCard() const { return card_.ReadFile(kFavList).value_or("<missing>"); }
  int Load(const std::vector<std::string>& lines, bool order = true) {
    card_.FavList(lines);
    return store_.Open(Path(), order, true);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < store_.Count(); ++i) names.emplace_back(store_.GetItem(i)->name);
    return names;
  }

  TestPlatform platform_;
  CardBuilder card_{platform_};
  CMapFavorites store_{platform_.files, platform_.clock};
};

TEST_F(FavoritesTest, ExampleLineLoadsAndWritesBackExactly) {
  ASSERT_EQ(Load({"a,1.5,2.5,3,2009/4/1 9:5:0,7"}), 1);
  const FavItem& item = *store_.GetItem(0);
  EXPECT_STREQ(item.name, "a");
  EXPECT_EQ(item.name_length, 1);
  EXPECT_EQ(item.latitude, 1.5f);
  EXPECT_EQ(item.longitude, 2.5f);
  EXPECT_EQ(item.fourth, 3.0f);
  EXPECT_EQ(item.time, Time(2009, 4, 1, 9, 5, 0));
  EXPECT_EQ(item.last_number, 7);
  EXPECT_EQ(store_.GetItem(1), nullptr);
  EXPECT_EQ(store_.GetItem(-1), nullptr);

  EXPECT_EQ(store_.Write(), 1);
  EXPECT_EQ(OnCard(), "a,1.500000,2.500000,3,2009/4/1 9:5:0,7\n");
}

TEST_F(FavoritesTest, DeviceFileRoundTripsByteForByte) {
  const std::vector<std::string> lines = {
      Sjis("自宅,35.681236,139.767120,0,2009/4/1 9:5:0,0"),
      "Office,34.702484,135.495956,12,2010/12/31 23:59:59,255",
      Sjis("温泉 旅館,43.064308,141.346878,7,2008/2/29 0:0:0,3"),
  };
  Load(lines, false);
  ASSERT_EQ(store_.Count(), 3);
  EXPECT_EQ(store_.Write(), 1);
  EXPECT_EQ(OnCard(), PointFileText(lines));
}

TEST_F(FavoritesTest, SinglePrecisionShowsInTheWrittenDigits) {
  Load({"p,35.681236,139.767125,2.5,2009/4/1 9:5:0,1"});
  store_.Write();
  EXPECT_EQ(OnCard(), "p,35.681236,139.767120,2,2009/4/1 9:5:0,1\n");
}

TEST_F(FavoritesTest, FieldsOfOneLine) {
  constexpr uint64_t kNoDate = 0;  // the defined time of a point without a usable date
  struct Case {
    std::string line;
    bool loads;
    float latitude = 0, longitude = 0, fourth = 0;
    uint64_t time = 0;
    int last = 0;
    std::string name = "m";
  };
  const uint64_t date = Time(2009, 4, 1, 9, 5, 0);
  const Case cases[] = {
      {"m,1,2,3,2009/4/1", false},                                 // four commas
      {"m,1,2,3,2009/4/1 9:5:0,7,8", false},                       // six commas
      {"m,1,2,3,2009/4/1 9:5:0,7,,,,,,,,,,,,", false},             // many commas
      {"m,-35.5,2,3,2009/4/1 9:5:0,7", true, 0, 2, 3, date, 7},    // a sign reads 0
      {"m, 1.5,2e3,+3,2009/4/1 9:5:0,7", true, 0, 0, 0, date, 7},  // blank, exponent, sign
      {"m,1.2.3,.5,,2009/4/1 9:5:0,7", true, 1.2f, 0.5f, 0, date, 7},
      {"m,.,5.,3,2009/4/1 9:5:0,", true, 0, 5, 3, date, 0},
      {"m,1,2,1" + std::string(45, '0') + ",2009/4/1 9:5:0,1", true, 1, 2, 0, date, 1},  // beyond float
      {"m,1,2,3,2009/4/1_9:5:0,7", true, 1, 2, 3, date, 7},
      {"m,1,2,3,2009_4_1_9_5_0,7", true, 1, 2, 3, date, 7},
      {"m,1,2,3,2009-04-01 09:05:00,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,2009/4/1 9:5,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,2009/4/1 9:5:0:0,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,2009/13/1 9:5:0,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,2009/2/29 9:5:0,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,2009/4/1 24:0:0,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,1600/12/31 9:5:0,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,99999999999999/4/1 9:5:0,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,// ::,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,2009/4/1 9:5:,7", true, 1, 2, 3, date, 7},  // an empty number is 0
      {"m,1,2,3,,7", true, 1, 2, 3, kNoDate, 7},
      {"m,1,2,3,2009/4/1 9:5:0,300", true, 1, 2, 3, date, 44},
      {"m,1,2,3,2009/4/1 9:5:0,99999999999999999999999", true, 1, 2, 3, date, 255},
      {"m,1,2,3,2009/4/1 9:5:0,7 ", true, 1, 2, 3, date, 0},
      {"m,1,2,3,2009/4/1 9:5:0,-7", true, 1, 2, 3, date, 0},
      {",1,2,3,2009/4/1 9:5:0,7", true, 1, 2, 3, date, 7, ""},
      {std::string(57, 'n') + ",1,2,3,2009/4/1 9:5:0,7", true, 1, 2, 3, date, 7, std::string(57, 'n')},
      {std::string(58, 'n') + ",1,2,3,2009/4/1 9:5:0,7", false},
      {std::string("ab\0cd,1,2,3,2009/4/1 9:5:0,7", 28), true, 1, 2, 3, date, 7, "ab"},
  };
  for (const Case& c : cases) {
    // Each line sits between two good ones, which must load whatever it holds.
    TestPlatform platform;
    CardBuilder card(platform);
    card.FavList({"A,1,1,1,2001/1/1 1:1:1,1", c.line, "Z,9,9,9,2009/9/9 9:9:9,9"});
    CMapFavorites store(platform.files, platform.clock);
    const int loaded = store.Open(card::FavListPath(card.drive()), false, true);
    ASSERT_EQ(loaded, c.loads ? 3 : 2) << c.line;
    EXPECT_STREQ(store.GetItem(0)->name, "A") << c.line;
    EXPECT_STREQ(store.GetItem(loaded - 1)->name, "Z") << c.line;
    if (!c.loads) continue;
    const FavItem& item = *store.GetItem(1);
    EXPECT_EQ(std::string(item.name), c.name) << c.line;
    EXPECT_EQ(item.name_length, c.name.size()) << c.line;
    EXPECT_EQ(item.latitude, c.latitude) << c.line;
    EXPECT_EQ(item.longitude, c.longitude) << c.line;
    EXPECT_EQ(item.fourth, c.fourth) << c.line;
    EXPECT_EQ(item.time, c.time) << c.line;
    EXPECT_EQ(item.last_number, c.last) << c.line;
  }
}

TEST_F(FavoritesTest, LineEnds) {
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<int> last_numbers;  // of the points loaded, in file order
  };
  const Case cases[] = {
      {"no line feed at the end", "a,1,2,3,2009/4/1 9:5:0,7\nb,1,2,3,2009/4/1 9:5:0,8", {7}},
      {"carriage returns", "a,1,2,3,2009/4/1 9:5:0,7\r\nb,1,2,3,2009/4/1 9:5:0,8\r\n", {0, 0}},
      {"empty lines", "\n\na,1,2,3,2009/4/1 9:5:0,7\n\n", {7}},
      {"empty file", "", {}},
      {"no line end at all", "a,1,2,3,2009/4/1 9:5:0,7", {}},
  };
  for (const Case& c : cases) {
    card_.WriteFile(kFavList, c.bytes);
    ASSERT_EQ(store_.Open(Path(), false, true), static_cast<int>(c.last_numbers.size())) << c.what;
    for (size_t i = 0; i < c.last_numbers.size(); ++i) {
      const FavItem& item = *store_.GetItem(static_cast<int>(i));
      EXPECT_EQ(item.last_number, c.last_numbers[i]) << c.what;
      EXPECT_EQ(item.latitude, 1.0f) << c.what;
      EXPECT_EQ(item.fourth, 3.0f) << c.what;
      EXPECT_EQ(item.time, Time(2009, 4, 1, 9, 5, 0)) << c.what;
    }
    EXPECT_FALSE(store_.IsReadOnly()) << c.what;
  }
}

TEST_F(FavoritesTest, UnfinishedLastLineSurvivesARewrite) {
  // The last line is not loaded, but a change elsewhere must not drop it from the card.
  card_.WriteFile(kFavList, "a,1,2,3,2009/4/1 9:5:0,7\nb,1,2,3,2009/4/1 9:5:0,8");
  ASSERT_EQ(store_.Open(Path(), true, true), 1);
  EXPECT_EQ(store_.Delete(0), 1);
  EXPECT_EQ(OnCard(), "b,1,2,3,2009/4/1 9:5:0,8");
  EXPECT_EQ(store_.Add("c", 10800000, 4200000, 0, 0), 0);
  const std::string on_card = OnCard();
  EXPECT_EQ(on_card.substr(0, 2), "c,");
  EXPECT_EQ(on_card.substr(on_card.find('\n') + 1), "b,1,2,3,2009/4/1 9:5:0,8");
  EXPECT_EQ(store_.Open(Path(), true, true), 1);  // still one point loaded, the tail kept
}

TEST_F(FavoritesTest, NamesSortByTheirBytes) {
  const std::vector<std::string> lines = {
      Sjis("自宅,1,1,1,2001/1/1 1:1:1,1"), "a,1,1,1,2001/1/1 1:1:1,2", "B,1,1,1,2001/1/1 1:1:1,3",
      "ab,1,1,1,2001/1/1 1:1:1,4",         "1,1,1,1,2001/1/1 1:1:1,5", Sjis("あ,1,1,1,2001/1/1 1:1:1,6"),
  };
  Load(lines);
  EXPECT_EQ(Names(), (std::vector<std::string>{"1", "B", "a", "ab", Sjis("あ"), Sjis("自宅")}));
  Load(lines, false);
  EXPECT_EQ(Names(), (std::vector<std::string>{Sjis("自宅"), "a", "B", "ab", "1", Sjis("あ")}));
}

TEST_F(FavoritesTest, AddConvertsFromTokyoUnitsAndKeepsTheOrder) {
  Load({"a,1,1,1,2001/1/1 1:1:1,1", "c,1,1,1,2001/1/1 1:1:1,1"});
  // Tokyo 135 E, 35 N.
  EXPECT_EQ(store_.Add("b", 10800000, 4200000, 5, 9), 1);
  ASSERT_EQ(store_.Count(), 3);
  const FavItem& item = *store_.GetItem(1);
  EXPECT_STREQ(item.name, "b");
  EXPECT_NEAR(item.longitude, 134.99719, 1e-4);
  EXPECT_NEAR(item.latitude, 35.00325, 1e-4);
  EXPECT_EQ(item.fourth, 5.0f);
  EXPECT_EQ(item.last_number, 9);
  EXPECT_EQ(item.time, Time(2009, 7, 3, 9, 5, 7));  // the clock's time

  // Written through at once, after one pause; the file reads back the same.
  EXPECT_EQ(platform_.clock.pauses, std::vector<unsigned>{100});
  const FavItem added = item;
  CMapFavorites reread(platform_.files, platform_.clock);
  ASSERT_EQ(reread.Open(Path(), true, true), 3);
  EXPECT_EQ(reread.GetItem(1)->longitude, added.longitude);
  EXPECT_EQ(reread.GetItem(1)->latitude, added.latitude);
  EXPECT_EQ(reread.GetItem(1)->time, added.time);
  EXPECT_NE(OnCard().find(",5,2009/7/3 9:5:7,9\n"), std::string::npos);

  // A name that sorts last, and an equal name, which comes after its twin.
  EXPECT_EQ(store_.Add("d", 0, 0, 0, 0), 3);
  EXPECT_EQ(store_.Add("a", 0, 0, 0, 0), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "a", "b", "c", "d"}));
  EXPECT_EQ(store_.GetItem(1)->time, Time(2009, 7, 3, 9, 5, 7));
}

TEST_F(FavoritesTest, ModifyReplacesInPlaceAndDeleteKeepsTheOrder) {
  Load({"a,1,1,1,2001/1/1 1:1:1,1", "b,1,1,1,2001/1/1 1:1:1,2", "c,1,1,1,2001/1/1 1:1:1,3"});
  platform_.clock.now = {2011, 2, 3, 4, 5, 6, 789, 4};
  EXPECT_EQ(store_.Modify(0, "z", 10800000, 4200000, 8, 0), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"z", "b", "c"}));  // not sorted again
  EXPECT_EQ(store_.GetItem(0)->time, Time(2011, 2, 3, 4, 5, 6));  // milliseconds dropped
  EXPECT_EQ(store_.GetItem(0)->last_number, 0);
  EXPECT_EQ(store_.GetItem(0)->fourth, 8.0f);
  EXPECT_NE(OnCard().find("z,"), std::string::npos);

  EXPECT_EQ(store_.Delete(1), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"z", "c"}));
  EXPECT_EQ(OnCard().substr(OnCard().find('\n') + 1), "c,1.000000,1.000000,1,2001/1/1 1:1:1,3\n");

  // Bad indices change nothing and write nothing.
  const std::string before = OnCard();
  EXPECT_EQ(store_.Modify(2, "x", 0, 0, 0, 0), 0);
  EXPECT_EQ(store_.Modify(-1, "x", 0, 0, 0, 0), 0);
  EXPECT_EQ(store_.Delete(2), 0);
  EXPECT_EQ(store_.Delete(-1), 0);
  EXPECT_EQ(OnCard(), before);
  EXPECT_EQ(platform_.clock.pauses, (std::vector<unsigned>{100, 100}));
}

TEST_F(FavoritesTest, DeletingTheOnlyPointLeavesAnEmptyFile) {
  Load({"a,1,1,1,2001/1/1 1:1:1,1"});
  EXPECT_EQ(store_.Delete(0), 1);
  EXPECT_EQ(store_.Count(), 0);
  EXPECT_EQ(card_.ReadFile(kFavList), std::string());
}

TEST_F(FavoritesTest, NamesTheFormatCannotCarryAreRefused) {
  Load({"a,1,1,1,2001/1/1 1:1:1,1"});
  const std::string before = OnCard();
  const std::string refused[] = {std::string(58, 'n'),
                                 "a,b",
                                 "a\nb",
                                 "a\rb",
                                 std::string("a\0b", 3),
                                 Sjis("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ")};
  for (const std::string& name : refused) {
    EXPECT_FALSE(CMapFavorites::IsStorableName(name)) << name;
    EXPECT_EQ(store_.Add(name, 0, 0, 0, 0), -1) << name;
    EXPECT_EQ(store_.Modify(0, name, 0, 0, 0, 0), 0) << name;
  }
  EXPECT_EQ(store_.Count(), 1);
  EXPECT_STREQ(store_.GetItem(0)->name, "a");
  EXPECT_EQ(OnCard(), before);
  EXPECT_TRUE(platform_.clock.pauses.empty());

  const std::string longest(57, 'n');
  EXPECT_GE(store_.Add(longest, 0, 0, 0, 0), 0);
  EXPECT_GE(store_.Add("", 0, 0, 0, 0), 0);
  CMapFavorites reread(platform_.files, platform_.clock);
  EXPECT_EQ(reread.Open(Path(), true, true), 3);
}

TEST_F(FavoritesTest, HundredPointsMakeAFullStore) {
  std::vector<std::string> lines;
  for (int i = 0; i < 100; ++i) lines.push_back("p" + std::to_string(100 + i) + ",1,1,1,2001/1/1 1:1:1,1");
  lines.push_back("bad line");  // malformed lines beyond the hundredth are no points
  lines.push_back(std::string(58, 'n') + ",1,1,1,2001/1/1 1:1:1,1");
  ASSERT_EQ(Load(lines), 100);
  EXPECT_FALSE(store_.IsReadOnly());
  EXPECT_EQ(store_.Add("q", 0, 0, 0, 0), -1);
  EXPECT_EQ(store_.Count(), 100);
  EXPECT_EQ(store_.Delete(0), 1);
  EXPECT_GE(store_.Add("q", 0, 0, 0, 0), 0);
}

TEST_F(FavoritesTest, MoreThanHundredPointsLoadTheFirstHundredAndAreNeverRewritten) {
  std::vector<std::string> lines;
  for (int i = 0; i < 150; ++i) lines.push_back("p" + std::to_string(1000 - i) + ",1,1,1,2001/1/1 1:1:1,1");
  ASSERT_EQ(Load(lines), 100);
  EXPECT_TRUE(store_.IsReadOnly());
  EXPECT_EQ(Names().front(), "p1000");  // the first hundred lines, sorted by bytes
  EXPECT_EQ(Names()[1], "p901");
  EXPECT_EQ(Names().back(), "p999");

  const std::string before = OnCard();
  EXPECT_EQ(store_.Delete(0), 0);
  EXPECT_EQ(store_.Modify(0, "x", 0, 0, 0, 0), 0);
  EXPECT_EQ(store_.Add("x", 0, 0, 0, 0), -1);
  EXPECT_EQ(store_.Write(), 0);
  EXPECT_EQ(store_.Count(), 100);
  EXPECT_EQ(OnCard(), before);
  EXPECT_TRUE(platform_.clock.pauses.empty());

  // Opening another file makes the store usable again.
  ASSERT_EQ(Load({"a,1,1,1,2001/1/1 1:1:1,1"}), 1);
  EXPECT_FALSE(store_.IsReadOnly());
}

TEST_F(FavoritesTest, FilesThatCannotBeReadAreNeverReplaced) {
  struct Case {
    const char* what;
    std::function<void(CardBuilder&)> make;
  };
  const Case cases[] = {
      {"a folder in the file's place", [](CardBuilder& c) { c.MakeFolder(kFavList); }},
      {"oversized",
       [](CardBuilder& c) {
         c.WriteFile(kFavList,
                     PointFileText({"a,1,1,1,2001/1/1 1:1:1,1"}) + std::string(card::kFavFileSizeLimit, 'x'));
       }},
  };
  for (const Case& c : cases) {
    TestPlatform platform;
    CardBuilder card(platform);
    c.make(card);
    CMapFavorites store(platform.files, platform.clock);
    EXPECT_EQ(store.Open(card::FavListPath(card.drive()), true, true), 0) << c.what;
    EXPECT_TRUE(store.IsReadOnly()) << c.what;
    EXPECT_EQ(store.Add("a", 0, 0, 0, 0), -1) << c.what;
    EXPECT_EQ(store.Write(), 0) << c.what;
    EXPECT_EQ(store.Count(), 0) << c.what;
  }
  // The oversized file is still all there.
  TestPlatform platform;
  CardBuilder card(platform);
  const std::string big = std::string(card::kFavFileSizeLimit + 1, 'x');
  card.WriteFile(kFavList, big);
  CMapFavorites store(platform.files, platform.clock);
  store.Open(card::FavListPath(card.drive()), true, true);
  store.Add("a", 0, 0, 0, 0);
  EXPECT_EQ(card.ReadFile(kFavList), big);
}

TEST_F(FavoritesTest, HeldFileIsReadOnlyAndAFailedWriteIsUndone) {
  Load({"a,1,1,1,2001/1/1 1:1:1,1", "b,1,1,1,2001/1/1 1:1:1,2"});
  const std::string before = OnCard();
  {
    // Someone holds the file without sharing: the rewrite cannot replace it.
    platform::File held = platform_.files.Open(Path(), platform::Access::ReadWrite, platform::Share::None,
                                               platform::Disposition::OpenExisting);
    ASSERT_TRUE(held.IsOpen());
    EXPECT_EQ(store_.Add("c", 0, 0, 0, 0), -1);
    EXPECT_EQ(store_.Modify(0, "x", 0, 0, 0, 0), 0);
    EXPECT_EQ(store_.Delete(0), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(store_.GetItem(0)->time, Time(2001, 1, 1, 1, 1, 1));

    CMapFavorites other(platform_.files, platform_.clock);
    EXPECT_EQ(other.Open(Path(), true, true), 0);
    EXPECT_TRUE(other.IsReadOnly());
    EXPECT_EQ(other.Add("c", 0, 0, 0, 0), -1);
  }
  EXPECT_EQ(OnCard(), before);
  EXPECT_EQ(store_.Delete(0), 1);  // once released, changes go through
}

TEST_F(FavoritesTest, MissingFileIsCreatedByTheFirstChange) {
  card_.FavFolder("trip", {});
  const std::string root = card::FavoritesRoot(card_.drive());
  const std::string path = card::FavFolderPointFilePath(root, "new");
  card_.MakeFolder(std::string(testing_support::kFavoritesHostPath) + "/new");
  EXPECT_EQ(store_.Open(path, true, true), 0);
  EXPECT_FALSE(store_.IsReadOnly());
  EXPECT_EQ(store_.Path(), path);
  EXPECT_EQ(store_.Add("a", 0, 0, 0, 0), 0);
  EXPECT_TRUE(card_.Exists(std::string(testing_support::kFavoritesHostPath) + "/new/new.txt"));

  // A folder that is gone: the change is refused, the store stays as it was.
  const std::string gone = card::FavFolderPointFilePath(root, "gone");
  EXPECT_EQ(store_.Open(gone, true, true), 0);
  EXPECT_EQ(store_.Add("a", 0, 0, 0, 0), -1);
  EXPECT_EQ(store_.Count(), 0);
  EXPECT_FALSE(card_.Exists(std::string(testing_support::kFavoritesHostPath) + "/gone"));
}

TEST_F(FavoritesTest, WithoutWriteThroughNothingIsWrittenUntilWrite) {
  card_.FavList({"b,1,1,1,2001/1/1 1:1:1,1"});
  ASSERT_EQ(store_.Open(Path(), true, false), 1);
  const std::string before = OnCard();
  EXPECT_EQ(store_.Add("a", 0, 0, 0, 0), 0);
  EXPECT_EQ(OnCard(), before);
  EXPECT_TRUE(platform_.clock.pauses.empty());

  // Writing elsewhere takes the new path.
  card_.MakeFolder(std::string(testing_support::kFavoritesHostPath) + "/copy");
  const std::string copy = card::FavFolderPointFilePath(card::FavoritesRoot(card_.drive()), "copy");
  EXPECT_EQ(store_.Write(copy), 1);
  EXPECT_EQ(store_.Path(), copy);
  EXPECT_EQ(card_.ReadFile(std::string(testing_support::kFavoritesHostPath) + "/copy/copy.txt")->substr(0, 2),
            "a,");
  EXPECT_EQ(OnCard(), before);
  EXPECT_EQ(platform_.clock.pauses, std::vector<unsigned>{100});
}

TEST_F(FavoritesTest, PointWithoutADateIsWrittenWithTheFirstInstant) {
  Load({"a,1,1,1,someday,1"});
  store_.Write();
  EXPECT_EQ(OnCard(), "a,1.000000,1.000000,1,1601/1/1 0:0:0,1\n");
}

TEST_F(FavoritesTest, RandomBytesLoadWithoutHarm) {
  uint32_t state = 12345;
  for (int round = 0; round < 20; ++round) {
    std::string bytes(4000, '\0');
    for (char& byte : bytes) {
      state = state * 1103515245u + 12345u;
      const uint32_t pick = (state >> 16) % 16;
      byte = pick == 0 ? '\n' : pick < 4 ? ',' : static_cast<char>(state >> 8);
    }
    card_.WriteFile(kFavList, bytes);
    const int loaded = store_.Open(Path(), true, true);
    ASSERT_LE(loaded, card::kFavCapacity);
    for (int i = 0; i < loaded; ++i) {
      const FavItem& item = *store_.GetItem(i);
      ASSERT_LT(item.name_length, card::kFavNameBuffer);
      ASSERT_EQ(std::strlen(item.name), item.name_length);
    }
    if (store_.IsReadOnly()) continue;
    // What the store writes, it reads back as the same points.
    ASSERT_EQ(store_.Write(), 1);
    CMapFavorites reread(platform_.files, platform_.clock);
    ASSERT_EQ(reread.Open(Path(), true, true), loaded);
  }
}

}  // namespace
