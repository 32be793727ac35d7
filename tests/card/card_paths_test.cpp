#include "card/card_paths.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/text.h"

namespace {

TEST(CardPathsTest, EveryPathIsTheDriveAndAFixedPiece) {
  const std::string fav = platform::WideToAnsi(u"Navi\\User\\お気に入りフォルダ");
  struct Case {
    std::function<std::string(std::string_view)> build;
    std::string piece;
  };
  const Case cases[] = {
      {card::DeviceRoot, "\\Navi\\"},
      {card::MapCodePath, "\\Navi\\Data\\MapCode.bin"},
      {card::PrefecturePath, "\\Navi\\Data\\prefecture.mzb"},
      {card::VersionIniPath, "\\Navi\\Version.ini"},
      {card::RouteFilePath, "\\Navi\\Pelmo.adb"},
      {card::OrbisPath, "\\Navi\\Data\\orbis.orb"},
      {card::UserOrbPath, "\\Navi\\User\\user.orb"},
      {card::UserNameOrbPath, "\\Navi\\User\\UserName.orb"},
      {card::FavoritesRoot, "\\" + fav},
      {card::FavListPath, "\\" + fav + "\\FavList.txt"},
      {card::GpsUpdateDestination, "\\Navi\\data"},
      {card::FirmwareUpdateDestination, "\\FwUpdate"},
      {card::NaviUpdateDestination, "\\Navi"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.build("E:"), "E:" + c.piece);
    EXPECT_EQ(c.build(""), c.piece);  // rooted at the current drive
  }
}

TEST(CardPathsTest, FavoritesFolderNameIsCodePage932) {
  // お気に入りフォルダ: nine double-byte characters.
  const std::string root = card::FavoritesRoot("G:");
  EXPECT_EQ(root.size(), std::string("G:\\Navi\\User\\").size() + 18);
  EXPECT_EQ(root.substr(root.size() - 2), "\x83\x5F");  // ダ
}

TEST(CardPathsTest, SubfolderPointFile) {
  const std::string root = card::FavoritesRoot("E:");
  EXPECT_EQ(card::FavFolderPath(root, "trip"), root + "\\trip");
  EXPECT_EQ(card::FavFolderPointFilePath(root, "trip"), root + "\\trip\\trip.txt");
}

}  // namespace
