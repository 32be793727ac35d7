// The sample card's point database, user points and their names.
#pragma once

#include <cstdint>
#include <string>

namespace sample_card {

struct SampleOrbisFiles {
  std::string orbis;  // orbis.orb
  std::string user;   // user.orb
  std::string names;  // UserName.orb
};

inline constexpr int kSampleOrbisRecords = 1000;
inline constexpr int kSampleUserPoints = 12;       // type 22
inline constexpr int kSampleOtherUserRecords = 4;  // two each of types 23 and 24
inline constexpr int kSampleNamedUserPoints = 8;

SampleOrbisFiles BuildSampleOrbis();

// Tokyo-datum map units of a WGS84 position, as the device stores them.
struct MapUnits {
  int32_t x = 0;
  int32_t y = 0;
};
MapUnits WgsToMapUnits(double longitude, double latitude);

}  // namespace sample_card
