// Editing the store: renumbering, deleting user records, the name operations and saving.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/card/orbis_fixture.h"

namespace orbis_test {
namespace {

using testing_support::OrbisFileBuilder;
using testing_support::OrbisRecordSpec;
using testing_support::UserNameFileBuilder;

std::u16string Label(uint32_t value) {
  std::u16string text = u"P";
  for (char c : std::to_string(value)) text.push_back(static_cast<char16_t>(c));
  return text;
}

// 100 names for 100 user records (97 of type 22, 3 of type 23) with scattered serials,
// each name telling its record by the record's x field, plus one unnamed type-24 record.
class OrbisRenumberTest : public OrbisTest {
 protected:
  void WriteCard(int32_t user_number, int32_t other_number, int named = 100) {
    std::vector<uint32_t> serials;
    for (uint32_t i = 0; i < 100; ++i) serials.push_back(5000 + 37 * i);
    std::shuffle(serials.begin(), serials.end(), std::mt19937(7));
    OrbisFileBuilder user;
    std::vector<std::pair<int, uint32_t>> names;
    for (uint32_t i = 0; i < 100; ++i) {
      int type = i < 97 ? 22 : 23;
      user.Point(type, serials[i], /*x_field=*/serials[i], /*y_field=*/1000 - i);
      names.emplace_back(type, serials[i]);
    }
    user.Point(24, 77, 77, 3);
    std::shuffle(names.begin(), names.end(), std::mt19937(11));
    UserNameFileBuilder name_file;
    for (int i = 0; i < named; ++i) name_file.Name(names[i].first, names[i].second, Label(names[i].second));
    name_file.Numbers(user_number, other_number);
    Write(kOrbisFile, OrbisFileBuilder().Point(3, 0, 0, 0).Point(21, 0, 0, 0).Bytes());
    Write(kUserFile, user.Bytes());
    Write(kNamesFile, name_file.Bytes());
  }
};

TEST_F(OrbisRenumberTest, RenumberingGivesFreshSerialsAndKeepsEveryNameWithItsRecord) {
  WriteCard(/*user_number=*/500, /*other_number=*/80);
  ASSERT_EQ(LoadAll(), 1);
  orbis_.SetActive(1);
  int first = orbis_.CountBefore(22);
  ASSERT_EQ(first, 2);
  for (int i = 0; i < 100; ++i) {
    const card::OrbisRecord* record = orbis_.GetRecord(first + i);
    ASSERT_NE(record, nullptr);
    SCOPED_TRACE(i);
    uint32_t expected = i < 97 ? i + 1 : i - 97 + 1;
    EXPECT_EQ(record->Serial(), expected);
    EXPECT_EQ(orbis_.GetNameRecord(i)->Key(), static_cast<int>(expected));
    EXPECT_EQ(orbis_.GetName(record->SerialHigh(), record->SerialLow(), record->Type()),
              Label(record->XField()));
  }
  const card::OrbisRecord* unnamed = orbis_.GetRecord(first + 100);
  ASSERT_NE(unnamed, nullptr);
  EXPECT_EQ(unnamed->Type(), 24);
  EXPECT_EQ(unnamed->Serial(), 77u) << "only records paired with a name are renumbered";
  EXPECT_EQ(orbis_.NameCounters().user_number, 98);
  EXPECT_EQ(orbis_.NameCounters().other_number, 4);

  // The new numbers reach the card with the next saves and pair again after a reload.
  ASSERT_EQ(orbis_.SaveUser(), 1);
  ASSERT_EQ(orbis_.SaveNames(kNamesPath), 1);
  ASSERT_EQ(LoadAll(), 1);
  orbis_.SetActive(1);
  for (int i = 0; i < 100; ++i) {
    const card::OrbisRecord* record = orbis_.GetRecord(first + i);
    EXPECT_EQ(orbis_.GetName(record->SerialHigh(), record->SerialLow(), record->Type()),
              Label(record->XField()));
  }
}

TEST_F(OrbisRenumberTest, RenumberingWaitsForAFullHundredAndSpentNumbers) {
  struct Case {
    const char* what;
    int32_t user_number, other_number;
    int named;
    bool renumbered;
  };
  const std::vector<Case> cases = {
      {"numbers well past the names", 500, 80, 100, true},
      {"names equal to the numbers minus two", 101, 1, 100, false},
      {"one more number", 102, 1, 100, true},
      {"99 names", 500, 80, 99, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteCard(c.user_number, c.other_number, c.named);
    LoadAll();
    orbis_.SetActive(1);
    bool renumbered = orbis_.GetRecord(orbis_.CountBefore(22))->Serial() == 1;
    EXPECT_EQ(renumbered, c.renumbered);
    EXPECT_EQ(orbis_.NameCounters().user_number == 98, c.renumbered);
  }
}

TEST_F(OrbisTest, SetActiveActsOnlyOnce) {
  Write(kOrbisFile, MinimalOrbis());
  Write(kUserFile, OrbisFileBuilder().Point(22, 9, 0, 1).Point(22, 2, 0, 2).Bytes());
  ASSERT_EQ(Load(), 1);
  EXPECT_FALSE(orbis_.IsActive());
  EXPECT_FALSE(orbis_.GetUserPos(0).has_value()) << "positions need the editing order";
  orbis_.SetActive(1);
  ASSERT_TRUE(orbis_.IsActive());
  orbis_.GetRecord(1)->SetSerial(50);  // out of order now; a second call must not sort again
  orbis_.SetActive(1);
  EXPECT_EQ(orbis_.GetRecord(1)->Serial(), 50u);
}

TEST_F(OrbisTest, DeletingAUserRecordMovesTheNextUpAndRewritesTheFile) {
  Write(kOrbisFile, MinimalOrbis());
  Write(kUserFile, OrbisFileBuilder().Point(22, 1, 11, 0).Point(22, 2, 22, 0).Point(23, 3, 33, 0).Bytes());
  ASSERT_EQ(Load(), 1);
  EXPECT_EQ(orbis_.DeleteUser(0), 0) << "refused before the editing order";
  orbis_.SetActive(1);
  EXPECT_EQ(orbis_.DeleteUser(3), 0);
  EXPECT_EQ(orbis_.DeleteUser(-1), 0);

  ASSERT_EQ(orbis_.DeleteUser(0), 1);
  EXPECT_EQ(orbis_.UserCount(), 2);
  EXPECT_EQ(orbis_.TotalCount(), 3);
  EXPECT_EQ(orbis_.TypeCount(22), 1);
  EXPECT_EQ(orbis_.TypeCount(23), 1);
  EXPECT_FLOAT_EQ(orbis_.GetUserPos(0)->x, 9760000 + 4 * 22);
  EXPECT_EQ(Read(kUserFile), OrbisFileBuilder().Point(22, 2, 22, 0).Point(23, 3, 33, 0).Bytes());
}

TEST_F(OrbisTest, DeletingTheOnlyUserRecordDeletesUserFile) {
  Write(kOrbisFile, MinimalOrbis());
  Write(kUserFile, OrbisFileBuilder().Point(22, 1, 0, 0).Bytes());
  ASSERT_EQ(Load(), 1);
  orbis_.SetActive(1);
  ASSERT_EQ(orbis_.DeleteUser(0), 1);
  EXPECT_FALSE(Exists(kUserFile));
  EXPECT_EQ(orbis_.DeleteUser(0), 0);
}

TEST_F(OrbisTest, DeviceBitsSurviveALoadAndASave) {
  std::mt19937 random(3);
  OrbisFileBuilder user;
  for (uint32_t serial = 1; serial <= 6; ++serial) {
    OrbisRecordSpec spec;
    spec.type = serial <= 4 ? 22 : 23;
    spec.serial = serial * 1500;  // both halves of the serial in use
    spec.road = static_cast<int>(serial % 4);
    spec.x_field = random() & 0x1FFFFF;
    spec.y_field = random() & 0x1FFFFF;
    for (uint8_t& byte : spec.device) byte = static_cast<uint8_t>(random());
    user.Add(spec);
  }
  const std::string names = UserNameFileBuilder().Name(22, 1500, u"自宅").Name(23, 9000, u"駐車場").Bytes();
  Write(kOrbisFile, OrbisFileBuilder().Base(9000000, 3000000, 77, -8).Point(0, 0, 0, 0).Bytes());
  // The header's own base and device data are not the store's: user.orb gets orbis.orb's
  // base and zero device data.
  Write(kUserFile, OrbisFileBuilder(user).Base(1, 2, 3, 4).HeaderDeviceData(0xEE).Bytes());
  Write(kNamesFile, names);
  ASSERT_EQ(LoadAll(), 1);
  orbis_.SetActive(1);
  ASSERT_EQ(orbis_.SaveUser(), 1);
  ASSERT_EQ(orbis_.SaveNames(kNamesPath), 1);
  EXPECT_EQ(Read(kUserFile), OrbisFileBuilder(user).Base(9000000, 3000000, 77, -8).Bytes());
  EXPECT_EQ(Read(kNamesFile), names);
}

TEST_F(OrbisTest, SetNameAddsOnceAndThenReplaces) {
  Write(kOrbisFile, MinimalOrbis());
  Write(kNamesFile, UserNameFileBuilder().Name(22, 4, u"駅").Numbers(10, 3).Bytes());
  LoadAll();
  struct Step {
    int type;
    uint32_t serial;
    std::u16string text;
    int names;
    card::UserNameCounters counters;
  };
  const std::vector<Step> steps = {
      {22, 2050, u"東京タワー", 2, {11, 3, 2, 0}},    // a new type-22 name: both type-22 counters up
      {22, 2050, u"スカイツリー", 2, {11, 3, 2, 0}},  // the same key again: text only
      {23, 2050, u"出口", 3, {11, 4, 2, 1}},          // same key, other type: a new record
      {22, 4, u"", 3, {11, 4, 2, 1}},                 // replaced by an empty name
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(testing::Message() << step.type << "/" << step.serial);
    EXPECT_EQ(orbis_.SetName(step.text, step.type, step.serial >> 10, step.serial & 1023), 1);
    EXPECT_EQ(orbis_.NameCount(), step.names);
    EXPECT_EQ(orbis_.NameCounters(), step.counters);
    int found = orbis_.FindName(static_cast<int>(step.serial), step.type);
    ASSERT_GE(found, 0);
    EXPECT_EQ(orbis_.GetNameRecord(found)->Name(), step.text);
  }
}

TEST_F(OrbisTest, SetNameCutsLongTextToFortyNineUnits) {
  Write(kOrbisFile, MinimalOrbis());
  LoadAll();
  const std::u16string long_text(60, u'あ');
  orbis_.SetName(long_text, 22, 0, 1);
  EXPECT_EQ(orbis_.GetName(0, 1, 22), long_text.substr(0, 49));

  // 48 units and then a pair that would straddle the limit: the pair goes whole.
  std::u16string with_pair = std::u16string(48, u'x') + u"\U0001F697" + u"y";
  orbis_.SetName(with_pair, 22, 0, 2);
  EXPECT_EQ(orbis_.GetName(0, 2, 22), std::u16string(48, u'x'));
}

TEST_F(OrbisTest, GetNameRelyingOnKeyOrderMissesWhatFindNameFinds) {
  Write(kOrbisFile, MinimalOrbis());
  Write(kNamesFile, UserNameFileBuilder()
                        .Name(23, 1, u"他")
                        .Name(22, 9, u"九")
                        .Name(22, 3, u"三")
                        .NameWithKey(22, 1024 + 0, 5, u"五")  // key halves are masked to ten bits
                        .Bytes());
  LoadAll();
  EXPECT_EQ(orbis_.GetName(0, 9, 22), u"九");
  EXPECT_EQ(orbis_.GetName(0, 3, 22), u"") << "the scan stops at key 9";
  EXPECT_EQ(orbis_.FindName(3, 22), 2);
  EXPECT_EQ(orbis_.GetName(0, 1, 23), u"他");
  EXPECT_EQ(orbis_.FindName(1, 22), -1);
  EXPECT_EQ(orbis_.FindName(5, 22), 3);
}

TEST_F(OrbisTest, DeleteNameNeedsTheEditingOrderAndAMatch) {
  Write(kOrbisFile, MinimalOrbis());
  Write(kUserFile, OrbisFileBuilder().Point(22, 1, 0, 0).Point(22, 2, 0, 0).Bytes());
  Write(kNamesFile, UserNameFileBuilder().Name(22, 1, u"一").Name(23, 2, u"二").Name(22, 2, u"に").Bytes());
  LoadAll();
  EXPECT_EQ(orbis_.DeleteName(0, 1, 22), 0) << "not active";
  orbis_.SetActive(1);
  EXPECT_EQ(orbis_.DeleteName(0, 7, 22), 0);
  EXPECT_EQ(orbis_.DeleteName(0, 1, 23), 0);
  ASSERT_EQ(orbis_.DeleteName(0, 1, 22), 1);
  EXPECT_EQ(orbis_.NameCount(), 2);
  EXPECT_EQ(orbis_.GetNameRecord(0)->Name(), u"二");
  EXPECT_EQ(orbis_.NameCounters(), (card::UserNameCounters{3, 2, 1, 1})) << "number counters stay";
  ASSERT_EQ(orbis_.DeleteName(0, 2, 23), 1);
  EXPECT_EQ(orbis_.NameCounters(), (card::UserNameCounters{3, 2, 1, 0}));
}

TEST_F(OrbisTest, DeletingTheOnlyNameDeletesTheNamesFile) {
  Write(kOrbisFile, MinimalOrbis());
  Write(kUserFile, OrbisFileBuilder().Point(22, 1, 0, 0).Bytes());
  Write(kNamesFile, UserNameFileBuilder().Name(22, 1, u"一").Bytes());
  LoadAll();
  orbis_.SetActive(1);
  ASSERT_EQ(orbis_.DeleteName(0, 1, 22), 1);
  ASSERT_EQ(orbis_.SaveNames(kNamesPath), 1);
  EXPECT_FALSE(Exists(kNamesFile));
  EXPECT_TRUE(platform_.clock.pauses.empty()) << "deleting is no names write";
}

TEST_F(OrbisTest, EachNamesWritePausesFirst) {
  Write(kOrbisFile, MinimalOrbis());
  LoadAll();  // no UserName.orb yet: the table starts empty
  orbis_.SetName(u"一", 22, 0, 1);
  ASSERT_EQ(orbis_.SaveNames(kNamesPath), 1);
  orbis_.SetName(u"二", 22, 0, 2);
  ASSERT_EQ(orbis_.SaveNames(kNamesPath), 1);
  EXPECT_EQ(platform_.clock.pauses, (std::vector<unsigned>{100, 100}));
  // Counters start at 0 without a file, so two adds leave the type-22 number at 2.
  EXPECT_EQ(Read(kNamesFile),
            UserNameFileBuilder().Name(22, 1, u"一").Name(22, 2, u"二").Numbers(2, 0).Bytes());
}

TEST_F(OrbisTest, ShorterNamesFileLeavesNoStaleRecordsBehind) {
  Write(kOrbisFile, MinimalOrbis());
  Write(kUserFile, OrbisFileBuilder().Point(22, 1, 0, 0).Point(22, 2, 0, 0).Bytes());
  Write(kNamesFile, UserNameFileBuilder().Name(22, 1, u"一").Name(22, 2, u"二").Bytes());
  LoadAll();
  orbis_.SetActive(1);
  orbis_.DeleteName(0, 1, 22);
  ASSERT_EQ(orbis_.SaveNames(kNamesPath), 1);
  EXPECT_EQ(Read(kNamesFile), UserNameFileBuilder().Name(22, 2, u"二").Numbers(3, 1).Held(1, 0).Bytes());
}

TEST_F(OrbisTest, NameTableGrowsToWhatWasReadButNotPastIt) {
  Write(kOrbisFile, MinimalOrbis());
  UserNameFileBuilder many;
  for (uint32_t serial = 0; serial < 230; ++serial) many.Name(22, serial, Label(serial));
  Write(kNamesFile, many.Bytes());
  ASSERT_EQ(Load(), 1);
  ASSERT_EQ(orbis_.LoadNames(kNamesPath), 1);
  EXPECT_EQ(orbis_.NameCount(), 230);
  EXPECT_EQ(orbis_.SetName(u"新", 22, 0, 1000), 0) << "the table is full";
  EXPECT_EQ(orbis_.SetName(u"改", 22, 0, 229), 1) << "replacing still works";
  EXPECT_EQ(orbis_.NameCount(), 230);
  ASSERT_EQ(orbis_.SaveNames(kNamesPath), 1);
  std::optional<std::string> saved = Read(kNamesFile);
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->size(), 28u + 230u * 112u);
}

TEST_F(OrbisTest, TwoHundredNamesIsTheRoomWhenFewerWereRead) {
  Write(kOrbisFile, MinimalOrbis());
  LoadAll();
  for (int i = 0; i < 200; ++i) ASSERT_EQ(orbis_.SetName(u"n", 22, 0, i), 1);
  EXPECT_EQ(orbis_.SetName(u"n", 22, 1, 0), 0);
  EXPECT_EQ(orbis_.NameCount(), 200);
}

TEST_F(OrbisTest, SavesRefuseToReplaceFilesTheyCouldNotRead) {
  const std::string bad_names = UserNameFileBuilder().Version(108).Name(22, 1, u"一").Bytes();
  const std::string bad_user = OrbisFileBuilder().Count(-2).Point(22, 1, 0, 0).Bytes();
  Write(kOrbisFile, MinimalOrbis());
  Write(kUserFile, bad_user);
  Write(kNamesFile, bad_names);
  EXPECT_EQ(Load(), 1);
  EXPECT_EQ(orbis_.SaveNames(kNamesPath), 0) << "names were never loaded";
  EXPECT_EQ(orbis_.LoadNames(kNamesPath), 0);
  orbis_.SetName(u"二", 22, 0, 2);
  EXPECT_EQ(orbis_.SaveNames(kNamesPath), 0);
  EXPECT_EQ(orbis_.SaveUser(), 0);
  EXPECT_EQ(Read(kNamesFile), bad_names);
  EXPECT_EQ(Read(kUserFile), bad_user);
}

TEST_F(OrbisTest, SavesReportAFileHeldByAnotherOpener) {
  const std::string user = OrbisFileBuilder().Point(22, 1, 0, 0).Point(22, 2, 0, 0).Bytes();
  const std::string names = UserNameFileBuilder().Name(22, 1, u"一").Bytes();
  Write(kOrbisFile, MinimalOrbis());
  Write(kUserFile, user);
  Write(kNamesFile, names);
  LoadAll();
  orbis_.SetActive(1);
  orbis_.SetName(u"二", 22, 0, 2);
  {
    platform::File held_user = platform_.files.Open(kUserPath, platform::Access::Read, platform::Share::None,
                                                    platform::Disposition::OpenExisting);
    platform::File held_names = platform_.files.Open(
        kNamesPath, platform::Access::Read, platform::Share::None, platform::Disposition::OpenExisting);
    ASSERT_TRUE(held_user.IsOpen() && held_names.IsOpen());
    EXPECT_EQ(orbis_.DeleteUser(0), 0);
    EXPECT_EQ(orbis_.SaveNames(kNamesPath), 0);
    EXPECT_EQ(Read(kUserFile), user);
    EXPECT_EQ(Read(kNamesFile), names);
  }
  EXPECT_EQ(orbis_.SaveUser(), 1);
  EXPECT_EQ(Read(kUserFile), OrbisFileBuilder().Point(22, 2, 0, 0).Bytes());
}

}  // namespace
}  // namespace orbis_test
