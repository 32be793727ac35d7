#include "tools/sample_card.h"

#include "card/card_paths.h"
#include "card/favorites.h"
#include "card/route_file.h"
#include "platform/ini.h"
#include "platform/text.h"
#include "tests/support/card_builder.h"
#include "tools/sample_boundary.h"
#include "tools/sample_map_code.h"
#include "tools/sample_orbis.h"

namespace sample_card {
namespace {

// Not a program: the device search only asks that a file of this name is there.
constexpr std::string_view kNaviExeMarker = "MZ sample card: stands in for the navigation program\r\n";

bool Fail(std::string* error, std::string_view what) {
  *error = platform::AnsiToUtf8(what);
  return false;
}

bool EnsureFolder(platform::FileSystem& files, const std::string& path) {
  std::optional<uint32_t> attributes = files.Attributes(path);
  if (attributes) return (*attributes & platform::kAttributeDirectory) != 0;
  return files.CreateFolder(path);
}

std::string RouteFile() {
  MapUnits destination = WgsToMapUnits(135.5262, 34.6873);  // 大阪城
  MapUnits waypoint = WgsToMapUnits(136.8995, 35.1856);     // 名古屋城
  testing_support::RouteFileContent route;
  route.destination_flag = 1;
  route.waypoint_flag = 1;
  route.destination_x = destination.x;
  route.destination_y = destination.y;
  route.waypoint_x = waypoint.x;
  route.waypoint_y = waypoint.y;
  route.destination_name = platform::Utf8ToAnsi("大阪城");
  route.waypoint_name = platform::Utf8ToAnsi("名古屋城");
  return testing_support::BuildRouteFile(route);
}

// A favorites point file written by the store itself, replacing any earlier one.
bool WriteFavorites(platform::FileSystem& files, platform::Clock& clock, const std::string& path,
                    const std::vector<SampleFavorite>& points) {
  if (files.Attributes(path) && !files.Delete(path)) return false;
  card::CMapFavorites store(files, clock);
  store.Open(path, true, true);
  for (const SampleFavorite& point : points) {
    MapUnits units = WgsToMapUnits(point.longitude, point.latitude);
    if (store.Add(platform::Utf8ToAnsi(point.name), units.x, units.y, 0, 0) < 0) return false;
  }
  return true;
}

}  // namespace

const std::vector<std::pair<std::string, std::vector<SampleFavorite>>>& SampleFavoriteFolders() {
  static const std::vector<std::pair<std::string, std::vector<SampleFavorite>>> folders = {
      {"",
       {{"自宅", 139.7005, 35.6900}, {"会社", 139.7630, 35.6870}, {"東京スカイツリー", 139.8107, 35.7101}}},
      {"旅行",
       {{"清水寺", 135.7850, 34.9949},
        {"金閣寺", 135.7292, 35.0394},
        {"厳島神社", 132.3196, 34.2960},
        {"首里城", 127.7195, 26.2170}}},
      {"グルメ",
       {{"道頓堀", 135.5013, 34.6687},
        {"中洲屋台", 130.4058, 33.5925},
        {"札幌ラーメン横丁", 141.3539, 43.0555}}},
  };
  return folders;
}

bool WriteSampleCard(platform::FileSystem& files, platform::Clock& clock, std::string_view drive,
                     std::string* error) {
  const std::string root = card::DeviceRoot(drive);  // ends in a backslash
  const std::string navi = root.substr(0, root.size() - 1);
  for (const std::string& folder : {navi, root + "Data", root + "User", card::FavoritesRoot(drive)}) {
    if (!EnsureFolder(files, folder)) return Fail(error, folder);
  }

  SampleOrbisFiles orbis = BuildSampleOrbis();
  const std::vector<std::pair<std::string, std::string>> whole_files = {
      {root + "Navi.exe", std::string(kNaviExeMarker)},
      {card::RouteFilePath(drive), RouteFile()},
      {card::MapCodePath(drive), BuildSampleMapCodeTable()},
      {card::PrefecturePath(drive), BuildSampleBoundaryFile()},
      {card::OrbisPath(drive), orbis.orbis},
      {card::UserOrbPath(drive), orbis.user},
      {card::UserNameOrbPath(drive), orbis.names},
  };
  for (const auto& [path, bytes] : whole_files) {
    if (!files.ReplaceWhole(path, bytes)) return Fail(error, path);
  }

  const std::string ini = card::VersionIniPath(drive);
  const std::pair<const char*, const char*> versions[] = {{"GPS Version", kSampleGpsVersion},
                                                          {"Firm Version", kSampleFirmVersion},
                                                          {"Navi Version", kSampleNaviVersion}};
  for (const auto& [key, value] : versions) {
    if (!platform::WritePrivateProfileString(files, "Version", key, value, ini)) return Fail(error, ini);
  }

  const std::string favorites_root = card::FavoritesRoot(drive);
  for (const auto& [folder, points] : SampleFavoriteFolders()) {
    std::string path = card::FavListPath(drive);
    if (!folder.empty()) {
      std::string name = platform::Utf8ToAnsi(folder);
      std::string folder_path = card::FavFolderPath(favorites_root, name);
      if (!EnsureFolder(files, folder_path)) return Fail(error, folder_path);
      path = card::FavFolderPointFilePath(favorites_root, name);
    }
    if (!WriteFavorites(files, clock, path, points)) return Fail(error, path);
  }
  return true;
}

}  // namespace sample_card
