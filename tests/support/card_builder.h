// Builds a device card in a temporary folder attached to a TestPlatform's volume
// table, so that a test describes its card in a few lines:
//
//   CardBuilder card(platform);                  // E:, removable FAT32
//   card.NaviExe().RouteFile({.destination_flag = 1, .destination_name = "Home"});
//   card.FavFolder("旅行", {"a,1.5,2.5,3,2009/4/1 9:5:0,7"});
//
// Relative paths are host paths below the card's root, in UTF-8 with "/".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "card/route_file.h"
#include "platform/volumes.h"
#include "tests/support/fake_services.h"

namespace testing_support {

// Where the favorites root lies below a card's root.
inline constexpr char kFavoritesHostPath[] = "Navi/User/お気に入りフォルダ";

// Code page 932 bytes of a UTF-8 text, for names inside the card's files.
std::string Sjis(std::string_view utf8);

// A route file: the block 0 fields and what the checks look at; every other byte
// (header device data, blocks, the gaps between them) is a pseudo-random pattern of
// `device_data_seed`, zeros and key-equal bytes included.
struct RouteFileContent {
  uint8_t destination_flag = 0;
  uint8_t waypoint_flag = 0;
  int32_t destination_x = 0;
  int32_t destination_y = 0;
  int32_t waypoint_x = 0;
  int32_t waypoint_y = 0;
  std::string destination_name;  // code page 932, at most 40 bytes
  std::string waypoint_name;
  std::string magic = "APPD";
  std::string identity = card::kAdbIdentityName;  // 12 bytes or more leave no NUL in the field
  std::string block2_magic = "ADAU";
  uint32_t device_data_seed = 1;
  size_t length = card::kAdbCompleteFileSize;  // the file is cut or zero-padded to this
};

// The file bytes of a route file, header and block 2 scrambled as the device stores them.
std::string BuildRouteFile(const RouteFileContent& content);

struct CardOptions {
  char letter = 'E';
  platform::DriveType type = platform::DriveType::Removable;
  std::string file_system = "FAT32";
  std::string label = "NAVI";
  uint32_t serial = 0x00C0FFEE;
};

class CardBuilder {
 public:
  explicit CardBuilder(TestPlatform& platform, CardOptions options = {});
  CardBuilder(const CardBuilder&) = delete;
  CardBuilder& operator=(const CardBuilder&) = delete;

  char letter() const { return options_.letter; }
  // The drive as the program holds it: "E:".
  std::string drive() const { return std::string(1, options_.letter) + ":"; }
  const std::string& host_root() const { return folder_.path(); }
  std::string HostPath(std::string_view relative) const;

  // Writes any file, creating the folders on the way.
  CardBuilder& WriteFile(std::string_view relative, std::string_view bytes);
  CardBuilder& MakeFolder(std::string_view relative);
  // The device program, "Navi.exe" in `folder` (the card's root for "").
  CardBuilder& NaviExe(std::string_view folder = "Navi", std::string_view file_name = "Navi.exe");
  CardBuilder& VersionIni(std::string_view text);
  CardBuilder& RouteFile(const RouteFileContent& content = {});
  // Point files: each line is written as given (code page 932 bytes) followed by "\n".
  CardBuilder& FavList(const std::vector<std::string>& lines);
  // A favorites subfolder (name in UTF-8) with its point file.
  CardBuilder& FavFolder(std::string_view name, const std::vector<std::string>& lines);

  std::optional<std::string> ReadFile(std::string_view relative) const;
  bool Exists(std::string_view relative) const;

 private:
  TempFolder folder_;
  CardOptions options_;
};

// Point file text: the lines joined, each followed by "\n".
std::string PointFileText(const std::vector<std::string>& lines);

}  // namespace testing_support
