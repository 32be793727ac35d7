#include "card/version_ini.h"

#include <gtest/gtest.h>

#include "card/card_paths.h"
#include "tests/support/card_builder.h"

namespace {

using testing_support::CardBuilder;
using testing_support::TestPlatform;

TEST(VersionIniTest, ReadsTheThreeVersionsWithDefaults) {
  struct Case {
    const char* what;
    const char* file;  // null: no Version.ini
    card::CardVersions expected;
  };
  const Case cases[] = {
      {"all keys",
       "[Version]\nGPS Version=2.1.0\nFirm Version=1.0.3\nNavi Version=3.0.0\n",
       {"2.1.0", "1.0.3", "3.0.0"}},
      {"no file", nullptr, {"1.0.0", "1.0.0", "1.0.0"}},
      {"empty file", "", {"1.0.0", "1.0.0", "1.0.0"}},
      {"other section", "[Versions]\nGPS Version=2.0.0\n", {"1.0.0", "1.0.0", "1.0.0"}},
      {"one key missing", "[Version]\nGPS Version=2.0.0\nNavi Version=4.0.0\n", {"2.0.0", "1.0.0", "4.0.0"}},
      {"longer than a member",
       "[Version]\nGPS Version=1.2.3.4.5.6.7.8.9.10.11\n",
       {"1.2.3.4.5.6.7.8.9.1", "1.0.0", "1.0.0"}},
      {"exactly 19",
       "[Version]\nFirm Version=1234567890123456789\n",
       {"1.0.0", "1234567890123456789", "1.0.0"}},
      {"random bytes", "\x01\xFF[\x00=\n\n\x83", {"1.0.0", "1.0.0", "1.0.0"}},
  };
  for (const Case& c : cases) {
    TestPlatform platform;
    CardBuilder card(platform);
    card.NaviExe();
    if (c.file) card.VersionIni(c.file);
    const card::CardVersions versions = card::ReadCardVersions(platform.files, card.drive());
    EXPECT_EQ(versions.gps, c.expected.gps) << c.what;
    EXPECT_EQ(versions.firm, c.expected.firm) << c.what;
    EXPECT_EQ(versions.navi, c.expected.navi) << c.what;
  }
}

TEST(VersionIniTest, OneValueIsReadWhole) {
  TestPlatform platform;
  CardBuilder card(platform);
  card.VersionIni("[Version]\nNavi Version=" + std::string(30, '9') + "\n");
  EXPECT_EQ(card::ReadVersionValue(platform.files, card::VersionIniPath(card.drive()), card::kNaviVersionKey),
            std::string(30, '9'));
  EXPECT_EQ(card::ReadVersionValue(platform.files, card::VersionIniPath(card.drive()), card::kGpsVersionKey),
            "1.0.0");
}

}  // namespace
