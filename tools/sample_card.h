// Writes a complete sample card a person can try the program on: the device program
// marker, Version.ini, a route file, the map code table, the prefecture boundaries, the
// ORBIS files and favorites folders, all at real places in Japan.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"

namespace sample_card {

inline constexpr char kSampleGpsVersion[] = "1.2.0";
inline constexpr char kSampleFirmVersion[] = "1.1.0";
inline constexpr char kSampleNaviVersion[] = "1.0.3";

struct SampleFavorite {
  const char* name;            // UTF-8
  double longitude, latitude;  // WGS84
};

// The favorites the card holds, folder by folder (UTF-8 names; "" is the fixed folder,
// whose points are FavList.txt).
const std::vector<std::pair<std::string, std::vector<SampleFavorite>>>& SampleFavoriteFolders();

// Writes every file below `drive` ("E:"), creating the folders; files already there are
// replaced, so running it twice gives the same card. False with `error` naming the
// first file or folder that could not be written. The clock paces the favorites writes.
bool WriteSampleCard(platform::FileSystem& files, platform::Clock& clock, std::string_view drive,
                     std::string* error);

}  // namespace sample_card
