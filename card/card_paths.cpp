#include "card/card_paths.h"

#include "platform/text.h"

namespace card {

namespace {

std::string Join(std::string_view drive, std::string_view piece) {
  std::string path(drive);
  path += piece;
  return path;
}

std::string FavoritesRelative() {
  return "Navi\\User\\" + platform::WideToAnsi(kFavoritesFolderName);
}

}  // namespace

std::string DeviceRoot(std::string_view drive) {
  return Join(drive, "\\Navi\\");
}

std::string MapCodePath(std::string_view drive) {
  return DeviceRoot(drive) + "Data\\MapCode.bin";
}
std::string PrefecturePath(std::string_view drive) {
  return DeviceRoot(drive) + "Data\\prefecture.mzb";
}
std::string VersionIniPath(std::string_view drive) {
  return DeviceRoot(drive) + "Version.ini";
}
std::string RouteFilePath(std::string_view drive) {
  return Join(drive, "\\Navi") + "\\Pelmo.adb";
}
std::string OrbisPath(std::string_view drive) {
  return DeviceRoot(drive) + "Data\\orbis.orb";
}
std::string UserOrbPath(std::string_view drive) {
  return DeviceRoot(drive) + "User\\user.orb";
}
std::string UserNameOrbPath(std::string_view drive) {
  return DeviceRoot(drive) + "User\\UserName.orb";
}

std::string FavoritesRoot(std::string_view drive) {
  return Join(drive, "\\") + FavoritesRelative();
}

std::string FavListPath(std::string_view drive) {
  return FavoritesRoot(drive) + "\\FavList.txt";
}

std::string FavFolderPath(std::string_view favorites_root, std::string_view folder) {
  std::string path(favorites_root);
  path += '\\';
  path += folder;
  return path;
}

std::string FavFolderPointFilePath(std::string_view favorites_root, std::string_view folder) {
  std::string path = FavFolderPath(favorites_root, folder);
  path += '\\';
  path += folder;
  path += ".txt";
  return path;
}

std::string GpsUpdateDestination(std::string_view drive) {
  return Join(drive, "\\Navi\\data");
}
std::string FirmwareUpdateDestination(std::string_view drive) {
  return Join(drive, "\\FwUpdate");
}
std::string NaviUpdateDestination(std::string_view drive) {
  return Join(drive, "\\Navi");
}

}  // namespace card
