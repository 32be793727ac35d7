// Every path on the card, built in one place from the selected drive ("E:", or empty
// for the current drive). All paths are code page 932, as the file interface takes them.
#pragma once

#include <string>
#include <string_view>

namespace card {

// The name of the favorites root folder, as the user interface shows it.
inline constexpr char16_t kFavoritesFolderName[] = u"お気に入りフォルダ";

// drive + "\Navi\"
std::string DeviceRoot(std::string_view drive);

std::string MapCodePath(std::string_view drive);      // \Navi\Data\MapCode.bin
std::string PrefecturePath(std::string_view drive);   // \Navi\Data\prefecture.mzb
std::string VersionIniPath(std::string_view drive);   // \Navi\Version.ini
std::string RouteFilePath(std::string_view drive);    // \Navi\Pelmo.adb
std::string OrbisPath(std::string_view drive);        // \Navi\Data\orbis.orb
std::string UserOrbPath(std::string_view drive);      // \Navi\User\user.orb
std::string UserNameOrbPath(std::string_view drive);  // \Navi\User\UserName.orb

// The favorites root, without a trailing backslash: drive + "\Navi\User\お気に入りフォルダ".
std::string FavoritesRoot(std::string_view drive);
// The point file of the fixed favorites folder: the root + "\FavList.txt".
std::string FavListPath(std::string_view drive);
// The point file of the favorites subfolder `folder` below `favorites_root`:
// root + "\" + folder + "\" + folder + ".txt".
std::string FavFolderPointFilePath(std::string_view favorites_root, std::string_view folder);
// A favorites subfolder itself: root + "\" + folder.
std::string FavFolderPath(std::string_view favorites_root, std::string_view folder);

// Where the three kinds of update are copied to.
std::string GpsUpdateDestination(std::string_view drive);       // \Navi\data
std::string FirmwareUpdateDestination(std::string_view drive);  // \FwUpdate
std::string NaviUpdateDestination(std::string_view drive);      // \Navi

}  // namespace card
