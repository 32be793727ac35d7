#include "card/version_ini.h"

#include "card/card_paths.h"
#include "platform/ini.h"

namespace card {

std::string ReadVersionValue(platform::FileSystem& files, std::string_view ini_path, std::string_view key) {
  return platform::GetPrivateProfileString(files, kVersionSection, key, kDefaultVersion, kVersionReadBuffer,
                                           ini_path);
}

std::string FitVersion(std::string_view version) {
  return std::string(version.substr(0, kVersionLength));
}

CardVersions ReadCardVersions(platform::FileSystem& files, std::string_view drive) {
  const std::string path = VersionIniPath(drive);
  CardVersions versions;
  versions.gps = FitVersion(ReadVersionValue(files, path, kGpsVersionKey));
  versions.firm = FitVersion(ReadVersionValue(files, path, kFirmVersionKey));
  versions.navi = FitVersion(ReadVersionValue(files, path, kNaviVersionKey));
  return versions;
}

}  // namespace card
