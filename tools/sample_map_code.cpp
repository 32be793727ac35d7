#include "tools/sample_map_code.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "geo/datum.h"
#include "tests/support/map_code_builder.h"

namespace sample_card {
namespace {

constexpr int kBlockCells = 30;         // cells a row and rows a block
constexpr double kBlockDegrees = 0.25;  // 30 cells of 30 seconds
constexpr int kSecondsPerCell = 30;

// Tokyo-datum rectangles, in whole quarter degrees, that the blocks cover in this order.
struct Region {
  double west, south, east, north;
};
constexpr std::array<Region, 6> kRegions = {{
    {129.5, 31.0, 132.0, 34.0},    // Kyushu
    {132.0, 33.5, 136.0, 35.75},   // Chugoku, Shikoku, Kansai
    {136.0, 34.5, 141.0, 37.5},    // Chubu, Kanto
    {139.0, 37.5, 142.0, 41.5},    // Tohoku
    {139.75, 41.5, 145.75, 45.5},  // Hokkaido
    {127.5, 26.0, 128.5, 27.0},    // Okinawa
}};

struct BlockOrigin {
  int index;
  double west, south;  // degrees
};

// Calls `visit` for every block in table order; stops early when it returns true.
template <typename Visit>
void ForEachBlock(Visit visit) {
  int index = 0;
  for (const Region& region : kRegions) {
    int columns = static_cast<int>(std::lround((region.east - region.west) / kBlockDegrees));
    int rows = static_cast<int>(std::lround((region.north - region.south) / kBlockDegrees));
    for (int row = 0; row < rows; ++row) {
      for (int column = 0; column < columns; ++column) {
        if (visit(BlockOrigin{index++, region.west + column * kBlockDegrees,
                              region.south + row * kBlockDegrees})) {
          return;
        }
      }
    }
  }
}

uint8_t Part(double seconds_total, int which) {
  int seconds = static_cast<int>(std::lround(seconds_total));
  int parts[3] = {seconds / 3600, seconds / 60 % 60, seconds % 60};
  return static_cast<uint8_t>(parts[which]);
}

// The sub-code digit of a third-of-a-cell column and row (west to east, south to north).
char GridDigit(int column, int row) {
  static constexpr char kDigits[9] = {'5', '6', '7', '8', '0', '1', '2', '3', '4'};
  return kDigits[row * 3 + column];
}

}  // namespace

std::string BuildSampleMapCodeTable() {
  testing_support::MapCodeTableBuilder table;
  ForEachBlock([&table](const BlockOrigin& block) {
    testing_support::MapCodeBlock record;
    record.width = kBlockCells;
    double longitude = block.west * 3600;
    double latitude = block.south * 3600;
    record.longitude_degrees = Part(longitude, 0);
    record.longitude_minutes = Part(longitude, 1);
    record.longitude_seconds = Part(longitude, 2);
    record.latitude_degrees = Part(latitude, 0);
    record.latitude_minutes = Part(latitude, 1);
    record.latitude_seconds = Part(latitude, 2);
    record.value = static_cast<uint16_t>(block.index);
    table.Block(block.index, record);
    return false;
  });
  return table.Bytes();
}

std::optional<std::string> SampleMapCode(double longitude, double latitude) {
  float tokyo_longitude = 0;
  float tokyo_latitude = 0;
  geo::WGS2Bessel(static_cast<float>(longitude), static_cast<float>(latitude), tokyo_longitude,
                  tokyo_latitude);
  std::optional<std::string> code;
  ForEachBlock([&](const BlockOrigin& block) {
    double east = (tokyo_longitude - block.west) * 3600;  // seconds into the block
    double north = (tokyo_latitude - block.south) * 3600;
    double size = kBlockDegrees * 3600;
    if (east < 0 || north < 0 || east >= size || north >= size) return false;
    int column = static_cast<int>(east) / kSecondsPerCell;
    int row = static_cast<int>(north) / kSecondsPerCell;
    int second_east = static_cast<int>(east) % kSecondsPerCell;
    int second_north = static_cast<int>(north) % kSecondsPerCell;
    double fraction_east = east - std::floor(east);
    double fraction_north = north - std::floor(north);
    int third_east = std::min(2, static_cast<int>(fraction_east * 3));
    int third_north = std::min(2, static_cast<int>(fraction_north * 3));
    int ninth_east = std::min(2, static_cast<int>((fraction_east * 3 - third_east) * 3));
    int ninth_north = std::min(2, static_cast<int>((fraction_north * 3 - third_north) * 3));
    long long main = block.index * 1000000LL + (row * kBlockCells + column) * 1000LL +
                     second_north * kSecondsPerCell + second_east;
    code =
        std::to_string(main) + "*" + GridDigit(third_east, third_north) + GridDigit(ninth_east, ninth_north);
    return true;
  });
  return code;
}

}  // namespace sample_card
