// The sample card, written into a temporary folder and read back with the program's own
// loaders: every file must be one the program accepts, with the places it promises.
#include "tools/sample_card.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "card/card_paths.h"
#include "card/device_search.h"
#include "card/fav_folders.h"
#include "card/favorites.h"
#include "card/orbis.h"
#include "card/route_file.h"
#include "card/version_ini.h"
#include "geo/boundary.h"
#include "geo/datum.h"
#include "geo/map_code.h"
#include "platform/text.h"
#include "tests/support/fake_services.h"
#include "tools/sample_map_code.h"
#include "tools/sample_orbis.h"
#include "tools/sample_places.h"

namespace {

constexpr char kDrive[] = "E:";

class SampleCardTest : public ::testing::Test {
 protected:
  SampleCardTest() {
    platform_.volumes.AttachFolder(folder_.path(), 'E');
    std::string error;
    written_ = sample_card::WriteSampleCard(platform_.files, platform_.clock, kDrive, &error);
    EXPECT_TRUE(written_) << error;
  }

  std::string Ansi(const char* utf8) { return platform::Utf8ToAnsi(utf8); }

  testing_support::TempFolder folder_;
  testing_support::TestPlatform platform_;
  bool written_ = false;
};

TEST_F(SampleCardTest, IsFoundAsADeviceCardWithItsVersions) {
  ASSERT_TRUE(written_);
  EXPECT_EQ(card::FindDeviceCards(platform_.files), std::vector<char>{'E'});
  card::CardVersions versions = card::ReadCardVersions(platform_.files, kDrive);
  EXPECT_EQ(versions.gps, sample_card::kSampleGpsVersion);
  EXPECT_EQ(versions.firm, sample_card::kSampleFirmVersion);
  EXPECT_EQ(versions.navi, sample_card::kSampleNaviVersion);
}

TEST_F(SampleCardTest, RouteFileHoldsTheDestinationAndTheWaypoint) {
  ASSERT_TRUE(written_);
  card::AdbImage image;
  card::AdbOpenResult opened =
      card::AdbOpen(platform_.files, image, card::RouteFilePath(kDrive), card::kAdbIdentityName);
  ASSERT_EQ(opened.status, card::AdbOpenStatus::Opened);
  for (int n = 0; n < card::kAdbBlockCount; ++n) EXPECT_TRUE(card::AdbReadBlock(opened.file, image, n)) << n;
  struct Expected {
    card::RoutePoint point;
    const char* name;
    double longitude, latitude;
  };
  for (const Expected& expected : {Expected{card::RoutePoint::Destination, "大阪城", 135.5262, 34.6873},
                                   Expected{card::RoutePoint::Waypoint, "名古屋城", 136.8995, 35.1856}}) {
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(card::RouteSetFlag(image, expected.point), 1);
    EXPECT_EQ(card::RouteName(image, expected.point), Ansi(expected.name));
    // Back to WGS84 degrees the way the destination page shows a stored point.
    float longitude = 0, latitude = 0;
    geo::Bessel2WGS(card::RouteX(image, expected.point) * 1.25e-5f,
                    card::RouteY(image, expected.point) / 120000.0f, longitude, latitude);
    EXPECT_NEAR(longitude, expected.longitude, 1e-4);
    EXPECT_NEAR(latitude, expected.latitude, 1e-4);
  }
}

TEST_F(SampleCardTest, MapCodesOfTheLandmarksLeadBackToThem) {
  ASSERT_TRUE(written_);
  geo::CMapCodeConverter converter;
  converter.Load(platform_.files, card::MapCodePath(kDrive), 1);
  ASSERT_TRUE(converter.IsReady());
  for (const sample_card::SampleLandmark& landmark : sample_card::kSampleLandmarks) {
    SCOPED_TRACE(landmark.name);
    std::optional<std::string> code = sample_card::SampleMapCode(landmark.longitude, landmark.latitude);
    ASSERT_TRUE(code.has_value());
    std::optional<geo::MapPosition> position = converter.Convert(*code);
    ASSERT_TRUE(position.has_value()) << *code;
    sample_card::MapUnits expected = sample_card::WgsToMapUnits(landmark.longitude, landmark.latitude);
    // A ninth of a second is about 2.5 units of longitude and 3.7 of latitude.
    EXPECT_NEAR(position->x, expected.x, 4) << *code;
    EXPECT_NEAR(position->y, expected.y, 5) << *code;
  }
  EXPECT_FALSE(sample_card::SampleMapCode(150.0, 30.0).has_value()) << "open sea has no block";
}

TEST_F(SampleCardTest, BoundariesNameEveryMunicipalityAtItsRealPosition) {
  ASSERT_TRUE(written_);
  geo::CBoundary boundary;
  ASSERT_TRUE(boundary.Load(platform_.files, card::PrefecturePath(kDrive)));
  for (const sample_card::SampleArea& area : sample_card::kSampleAreas) {
    SCOPED_TRACE(area.municipality);
    sample_card::MapUnits centre = sample_card::WgsToMapUnits(area.longitude, area.latitude);
    std::string name;
    ASSERT_TRUE(
        boundary.Lookup(static_cast<float>(centre.x), static_cast<float>(centre.y), &name, nullptr, 10));
    EXPECT_EQ(name, Ansi(area.prefecture) + Ansi(area.municipality));
  }
  sample_card::MapUnits sea = sample_card::WgsToMapUnits(138.0, 30.0);
  std::string name;
  EXPECT_FALSE(boundary.Lookup(static_cast<float>(sea.x), static_cast<float>(sea.y), &name, nullptr, 10));
}

TEST_F(SampleCardTest, OrbisFilesLoadWithUserPointsAtRealPlaces) {
  ASSERT_TRUE(written_);
  card::COrbis orbis(platform_.files, platform_.clock, platform_.message_box);
  ASSERT_EQ(orbis.Load(card::OrbisPath(kDrive), card::UserOrbPath(kDrive)), 1);
  ASSERT_EQ(orbis.LoadNames(card::UserNameOrbPath(kDrive)), 1);
  EXPECT_TRUE(platform_.message_box.shown.empty());
  EXPECT_EQ(orbis.TotalCount(), sample_card::kSampleOrbisRecords + sample_card::kSampleUserPoints +
                                    sample_card::kSampleOtherUserRecords);
  for (int type = 0; type < 22; ++type) EXPECT_GT(orbis.TypeCount(type), 0) << type;
  EXPECT_EQ(orbis.CountBefore(22), sample_card::kSampleOrbisRecords);
  EXPECT_EQ(orbis.TypeCount(22), sample_card::kSampleUserPoints);
  EXPECT_EQ(orbis.TypeCount(23), 2);
  EXPECT_EQ(orbis.TypeCount(24), 2);

  geo::CBoundary boundary;
  ASSERT_TRUE(boundary.Load(platform_.files, card::PrefecturePath(kDrive)));
  orbis.SetActive(1);
  int first = orbis.CountBefore(22);
  int named = 0;
  for (int i = 0; i < orbis.TypeCount(22); ++i) {
    const sample_card::SampleLandmark& landmark = sample_card::kSampleLandmarks[i];
    SCOPED_TRACE(landmark.name);
    const card::OrbisRecord* record = orbis.GetRecord(first + i);
    ASSERT_NE(record, nullptr);
    std::optional<card::OrbisPoint> position = orbis.GetUserPos(i);
    ASSERT_TRUE(position.has_value());
    float longitude = 0, latitude = 0;
    geo::Bessel2WGS(position->x * 1.25e-5f, position->y / 120000.0f, longitude, latitude);
    EXPECT_NEAR(longitude, landmark.longitude, 1e-4);
    EXPECT_NEAR(latitude, landmark.latitude, 1e-4);
    std::u16string name = orbis.GetName(record->SerialHigh(), record->SerialLow(), record->Type());
    if (!name.empty()) {
      EXPECT_EQ(name, platform::Utf8ToWide(landmark.name));
      ++named;
    } else {
      // An unnamed point shows its municipality on the page.
      std::string place;
      EXPECT_TRUE(boundary.Lookup(position->x, position->y, &place, nullptr, 10));
    }
  }
  EXPECT_EQ(named, sample_card::kSampleNamedUserPoints);
}

TEST_F(SampleCardTest, FavoritesFoldersHoldTheirPoints) {
  ASSERT_TRUE(written_);
  card::CFavFolderOpen folders(platform_.files);
  folders.Open(card::FavoritesRoot(kDrive));
  std::set<std::string> listed;
  for (int i = 1; i < folders.GetCount(); ++i) listed.insert(*folders.GetItem(i));
  std::set<std::string> expected;
  for (const auto& [folder, points] : sample_card::SampleFavoriteFolders()) {
    if (!folder.empty()) expected.insert(platform::Utf8ToAnsi(folder));
  }
  EXPECT_EQ(listed, expected);

  for (const auto& [folder, points] : sample_card::SampleFavoriteFolders()) {
    SCOPED_TRACE(folder);
    std::string path = folder.empty() ? card::FavListPath(kDrive)
                                      : card::FavFolderPointFilePath(card::FavoritesRoot(kDrive),
                                                                     platform::Utf8ToAnsi(folder));
    card::CMapFavorites store(platform_.files, platform_.clock);
    ASSERT_EQ(store.Open(path, true, true), static_cast<int>(points.size()));
    for (const sample_card::SampleFavorite& point : points) {
      bool found = false;
      for (int i = 0; i < store.Count(); ++i) {
        const card::FavItem* item = store.GetItem(i);
        if (item->name != Ansi(point.name)) continue;
        found = true;
        EXPECT_NEAR(item->longitude, point.longitude, 1e-4) << point.name;
        EXPECT_NEAR(item->latitude, point.latitude, 1e-4) << point.name;
      }
      EXPECT_TRUE(found) << point.name;
    }
  }
}

TEST_F(SampleCardTest, WritingAgainGivesTheSameCard) {
  ASSERT_TRUE(written_);
  auto snapshot = [this] {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_.path())) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      files[entry.path().string()] = bytes.str();
    }
    return files;
  };
  std::map<std::string, std::string> first = snapshot();
  std::string error;
  ASSERT_TRUE(sample_card::WriteSampleCard(platform_.files, platform_.clock, kDrive, &error)) << error;
  EXPECT_EQ(snapshot(), first);
}

}  // namespace
