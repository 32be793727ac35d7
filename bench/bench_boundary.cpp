// CBoundary::Lookup on a file of the card's size: 47 prefectures of 40 areas (1,880) with
// 266 outline points each (about half a million), laid out as tiles over Japan.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "geo/boundary.h"
#include "tests/support/boundary_builder.h"

namespace {

using testing_support::BoundaryArea;
using testing_support::BoundaryFileBuilder;
using testing_support::BoundaryPoint;
using testing_support::BoundaryPrefecture;

constexpr int kPrefectures = 47;
constexpr int kAreasPerPrefecture = 40;
constexpr int kPointsPerOutline = 266;
constexpr int32_t kTile = 20000;           // map units
constexpr int32_t kOriginX = 122 * 80000;  // 122 E
constexpr int32_t kOriginY = 19 * 120000;  // 19 N

BoundaryPoint TileCenter(int prefecture, int area) {
  return {kOriginX + area * kTile + kTile / 2, kOriginY + prefecture * kTile + kTile / 2};
}

// A wobbly closed ring inside its tile, so that crossings happen on many edges.
std::vector<BoundaryPoint> Outline(BoundaryPoint center) {
  std::vector<BoundaryPoint> outline;
  for (int i = 0; i < kPointsPerOutline - 1; ++i) {
    double angle = 2 * M_PI * i / (kPointsPerOutline - 1);
    double radius = kTile * (0.40 + 0.05 * std::sin(7 * angle));
    outline.push_back({center.x + static_cast<int32_t>(radius * std::cos(angle)),
                       center.y + static_cast<int32_t>(radius * std::sin(angle))});
  }
  outline.push_back(outline.front());
  return outline;
}

std::u16string Name(char16_t kind, int letter) {
  std::u16string name(1, static_cast<char16_t>(letter));
  name += kind;
  return name;
}

const std::string& LargeFile() {
  static const std::string bytes = [] {
    BoundaryFileBuilder file;
    file.origin_x = kOriginX;
    file.origin_y = kOriginY;
    file.fine_shift = 2;
    file.coarse_shift = 10;
    for (int p = 0; p < kPrefectures; ++p) {
      BoundaryPrefecture prefecture{Name(u'県', u'あ' + p), {}};
      for (int a = 0; a < kAreasPerPrefecture; ++a) {
        prefecture.areas.push_back({Name(u'市', u'ア' + a), Outline(TileCenter(p, a))});
      }
      file.prefectures.push_back(std::move(prefecture));
    }
    return file.Bytes();
  }();
  return bytes;
}

// Positions far enough apart (one tile) that each lookup misses the cache and searches.
void BM_LookupSearch(benchmark::State& state) {
  geo::CBoundary boundary;
  if (!boundary.LoadImage(LargeFile())) {
    state.SkipWithError("load failed");
    return;
  }
  std::mt19937 random(7);
  std::vector<BoundaryPoint> positions;
  for (int i = 0; i < 1024; ++i) {
    BoundaryPoint c = TileCenter(random() % kPrefectures, random() % kAreasPerPrefecture);
    positions.push_back({c.x + static_cast<int32_t>(random() % 4000) - 2000, c.y});
  }
  std::string output;
  size_t i = 0, found = 0;
  for (auto _ : state) {
    const BoundaryPoint& p = positions[i++ % positions.size()];
    // Every other lookup goes to a far corner, so the next one cannot hit the cache.
    found += boundary.Lookup(static_cast<float>(p.x), static_cast<float>(p.y), &output, nullptr, 10);
    boundary.Lookup(static_cast<float>(kOriginX), static_cast<float>(kOriginY), &output, nullptr, 10);
    benchmark::DoNotOptimize(output);
  }
  state.counters["found"] = benchmark::Counter(static_cast<double>(found) / state.iterations());
  state.SetLabel("two lookups per iteration: one in an area, one outside every box");
}
BENCHMARK(BM_LookupSearch);

// The same position again: the one-entry cache answers.
void BM_LookupCached(benchmark::State& state) {
  geo::CBoundary boundary;
  if (!boundary.LoadImage(LargeFile())) {
    state.SkipWithError("load failed");
    return;
  }
  BoundaryPoint p = TileCenter(46, 39);
  std::string output;
  boundary.Lookup(static_cast<float>(p.x), static_cast<float>(p.y), &output, nullptr, 10);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        boundary.Lookup(static_cast<float>(p.x + 100), static_cast<float>(p.y), &output, nullptr, 10));
  }
}
BENCHMARK(BM_LookupCached);

// The last area of the last prefecture, searched: every prefecture box is tested and the
// whole row of areas before it.
void BM_LookupSearchLastArea(benchmark::State& state) {
  geo::CBoundary boundary;
  if (!boundary.LoadImage(LargeFile())) {
    state.SkipWithError("load failed");
    return;
  }
  BoundaryPoint p = TileCenter(46, 39);
  std::string output;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        boundary.Lookup(static_cast<float>(p.x), static_cast<float>(p.y), &output, nullptr, 10));
    boundary.Lookup(static_cast<float>(kOriginX), static_cast<float>(kOriginY), &output, nullptr, 10);
  }
}
BENCHMARK(BM_LookupSearchLastArea);

void BM_Load(benchmark::State& state) {
  const std::string& bytes = LargeFile();
  for (auto _ : state) {
    geo::CBoundary boundary;
    benchmark::DoNotOptimize(boundary.LoadImage(bytes));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

}  // namespace
