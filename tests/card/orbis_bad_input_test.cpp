// Truncated and random ORBIS files: every load ends with a defined outcome, and every
// operation afterwards stays inside the tables.
#include <random>
#include <string>

#include "tests/card/orbis_fixture.h"

namespace orbis_test {
namespace {

using testing_support::OrbisFileBuilder;
using testing_support::UserNameFileBuilder;

// Runs every operation once over whatever the store holds.
void Exercise(card::COrbis& orbis) {
  orbis.SetActive(1);
  for (int p = -1; p <= orbis.TotalCount(); ++p) {
    if (const card::OrbisRecord* record = orbis.GetRecord(p)) {
      orbis.GetName(record->SerialHigh(), record->SerialLow(), record->Type());
    }
  }
  for (int i = -1; i <= orbis.UserCount(); ++i) orbis.GetUserPos(i);
  for (int t = -1; t <= 28; ++t) {
    orbis.TypeCount(t);
    orbis.CountBefore(t);
  }
  for (int i = 0; i < orbis.NameCount(); ++i) orbis.GetNameRecord(i)->Name();
  orbis.SetName(u"名前", 22, 0, 1);
  orbis.DeleteName(0, 1, 22);
  orbis.DeleteUser(0);
  orbis.SaveNames(kNamesPath);
  orbis.SaveUser();
}

TEST_F(OrbisTest, TruncatedOrbisFileKeepsItsWholeRecords) {
  const std::string full = OrbisFileBuilder().Point(1, 0, 1, 1).Point(2, 0, 2, 2).Point(3, 0, 3, 3).Bytes();
  for (size_t length = 0; length < full.size(); ++length) {
    SCOPED_TRACE(length);
    platform_.message_box.shown.clear();
    Write(kOrbisFile, full.substr(0, length));
    EXPECT_EQ(Load(), 0);
    EXPECT_EQ(platform_.message_box.shown.size(), length < 48 ? 1u : 0u);
    int whole = length < 156 ? 0 : static_cast<int>((length - 156) / 20);
    EXPECT_EQ(orbis_.TotalCount(), whole);
    Exercise(orbis_);
  }
}

TEST_F(OrbisTest, TruncatedUserFileKeepsItsWholeRecordsThroughASave) {
  OrbisFileBuilder user;
  for (uint32_t serial = 1; serial <= 3; ++serial) user.Point(22, serial, serial, serial);
  const std::string full = user.Bytes();
  Write(kOrbisFile, MinimalOrbis());
  for (size_t length = 0; length < full.size(); ++length) {
    SCOPED_TRACE(length);
    Write(kUserFile, full.substr(0, length));
    EXPECT_EQ(Load(), length < 48 ? 1 : 0) << "a short header is ignored, a short body is reported";
    int whole = length < 156 ? 0 : static_cast<int>((length - 156) / 20);
    EXPECT_EQ(orbis_.UserCount(), whole);
    orbis_.SetActive(1);
    if (whole > 0) {
      ASSERT_EQ(orbis_.SaveUser(), 1);
      OrbisFileBuilder kept;
      for (uint32_t serial = 1; serial <= static_cast<uint32_t>(whole); ++serial)
        kept.Point(22, serial, serial, serial);
      EXPECT_EQ(Read(kUserFile), kept.Bytes());
    }
  }
}

TEST_F(OrbisTest, TruncatedNamesFileKeepsItsWholeRecords) {
  const std::string full =
      UserNameFileBuilder().Name(22, 1, u"一").Name(22, 2, u"二").Name(23, 3, u"三").Bytes();
  Write(kOrbisFile, MinimalOrbis());
  for (size_t length = 0; length < full.size(); ++length) {
    SCOPED_TRACE(length);
    Write(kNamesFile, full.substr(0, length));
    ASSERT_EQ(Load(), 1);
    EXPECT_EQ(orbis_.LoadNames(kNamesPath), 0);
    int whole = length < 28 ? 0 : static_cast<int>((length - 28) / 112);
    EXPECT_EQ(orbis_.NameCount(), whole);
    Exercise(orbis_);
  }
}

TEST_F(OrbisTest, RandomFilesLoadWithoutHarm) {
  std::mt19937 random(2024);
  auto random_file = [&](bool stamped, size_t header_count_at) {
    std::string bytes(random() % 700, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    if (stamped && bytes.size() >= header_count_at + 4) {
      std::string head = OrbisFileBuilder().Bytes().substr(0, 8);  // magic and version
      bytes.replace(0, 8, head);
      // Small counts now and then, so that records get read as well as refused.
      if (random() % 2 == 0) {
        uint32_t count = random() % 40;
        for (int i = 0; i < 4; ++i) bytes[header_count_at + i] = static_cast<char>(count >> (8 * i));
      }
    }
    return bytes;
  };
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    Write(kOrbisFile, random_file(round % 4 != 0, 40));
    Write(kUserFile, random_file(round % 3 != 0, 40));
    Write(kNamesFile, random_file(round % 2 == 0, 8));
    Load();
    orbis_.LoadNames(kNamesPath);
    EXPECT_LE(orbis_.UserCount(), orbis_.TotalCount());
    EXPECT_GE(orbis_.UserCount(), 0);
    Exercise(orbis_);
  }
}

}  // namespace
}  // namespace orbis_test
