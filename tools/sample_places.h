// Real places the sample card is built around, WGS84 degrees (longitude, latitude).
#pragma once

#include <array>

namespace sample_card {

// A municipality and its prefecture, with a rough outline: a box of the given half
// sizes around the municipality's centre. Areas of one prefecture follow each other.
struct SampleArea {
  const char* prefecture;    // UTF-8
  const char* municipality;  // UTF-8
  double longitude, latitude;
  double half_width, half_height;  // degrees
};

inline constexpr std::array<SampleArea, 14> kSampleAreas = {{
    {"北海道", "札幌市", 141.3544, 43.0621, 0.12, 0.09},
    {"宮城県", "仙台市", 140.8694, 38.2682, 0.10, 0.07},
    {"新潟県", "新潟市", 139.0364, 37.9161, 0.10, 0.08},
    {"東京都", "千代田区", 139.7536, 35.6940, 0.025, 0.02},
    {"東京都", "新宿区", 139.7036, 35.6938, 0.024, 0.02},
    {"神奈川県", "横浜市", 139.6380, 35.4437, 0.09, 0.08},
    {"石川県", "金沢市", 136.6256, 36.5613, 0.08, 0.06},
    {"愛知県", "名古屋市", 136.9066, 35.1815, 0.08, 0.07},
    {"京都府", "京都市", 135.7681, 35.0116, 0.08, 0.1},
    {"大阪府", "大阪市", 135.5023, 34.6937, 0.07, 0.06},
    {"兵庫県", "神戸市", 135.1955, 34.6901, 0.1, 0.05},
    {"広島県", "広島市", 132.4553, 34.3853, 0.12, 0.09},
    {"福岡県", "福岡市", 130.4017, 33.5904, 0.1, 0.06},
    {"沖縄県", "那覇市", 127.6809, 26.2124, 0.03, 0.03},
}};

struct SampleLandmark {
  const char* name;  // UTF-8
  double longitude, latitude;
};

inline constexpr std::array<SampleLandmark, 14> kSampleLandmarks = {{
    {"東京駅", 139.7671, 35.6812},
    {"皇居", 139.7528, 35.6852},
    {"新宿御苑", 139.7100, 35.6852},
    {"横浜中華街", 139.6450, 35.4437},
    {"札幌時計台", 141.3536, 43.0625},
    {"仙台駅", 140.8820, 38.2601},
    {"新潟駅", 139.0610, 37.9120},
    {"兼六園", 136.6625, 36.5621},
    {"名古屋城", 136.8995, 35.1856},
    {"金閣寺", 135.7292, 35.0394},
    {"大阪城", 135.5262, 34.6873},
    {"神戸港", 135.1920, 34.6830},
    {"博多駅", 130.4207, 33.5897},
    {"首里城", 127.7195, 26.2170},
}};

}  // namespace sample_card
