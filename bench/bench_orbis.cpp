// Loading a large ORBIS card and switching the store into editing order.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "card/orbis.h"
#include "tests/support/fake_services.h"
#include "tests/support/orbis_builder.h"

namespace {

constexpr int kOrbisRecords = 100000;
constexpr int kUserRecords = 200;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct Card {
  testing_support::TempFolder folder;
  testing_support::TestPlatform platform;

  Card() {
    platform.volumes.AttachFolder(folder.path(), 'E');
    std::filesystem::create_directories(folder.path() + "/Navi/Data");
    std::filesystem::create_directories(folder.path() + "/Navi/User");
    std::mt19937 random(1);
    testing_support::OrbisFileBuilder orbis;
    for (int i = 0; i < kOrbisRecords; ++i) {
      orbis.Point(static_cast<int>(random() % 22), random() & 0xFFFFF, random() & 0x1FFFFF,
                  random() & 0x1FFFFF);
    }
    testing_support::OrbisFileBuilder user;
    testing_support::UserNameFileBuilder names;
    for (uint32_t serial = 1; serial <= kUserRecords; ++serial) {
      user.Point(22, serial, random() & 0x1FFFFF, random() & 0x1FFFFF);
      names.Name(22, serial, u"ユーザーポイント");
    }
    // Spent numbers well past the names, so that switching renumbers.
    names.Numbers(400, 1);
    WriteFile(folder.path() + "/Navi/Data/orbis.orb", orbis.Bytes());
    WriteFile(folder.path() + "/Navi/User/user.orb", user.Bytes());
    WriteFile(folder.path() + "/Navi/User/UserName.orb", names.Bytes());
  }
};

void BM_LoadAndSetActive(benchmark::State& state) {
  Card card;
  card::COrbis orbis(card.platform.files, card.platform.clock, card.platform.message_box);
  for (auto _ : state) {
    int loaded = orbis.Load("E:\\Navi\\Data\\orbis.orb", "E:\\Navi\\User\\user.orb");
    orbis.LoadNames("E:\\Navi\\User\\UserName.orb");
    orbis.SetActive(1);
    benchmark::DoNotOptimize(loaded);
    benchmark::DoNotOptimize(orbis.GetRecord(orbis.CountBefore(22)));
  }
  if (orbis.TotalCount() != kOrbisRecords + kUserRecords) state.SkipWithError("the card did not load");
  state.SetItemsProcessed(state.iterations() * (kOrbisRecords + kUserRecords));
}
BENCHMARK(BM_LoadAndSetActive)->Unit(benchmark::kMillisecond);

void BM_LoadOnly(benchmark::State& state) {
  Card card;
  card::COrbis orbis(card.platform.files, card.platform.clock, card.platform.message_box);
  for (auto _ : state) {
    benchmark::DoNotOptimize(orbis.Load("E:\\Navi\\Data\\orbis.orb", "E:\\Navi\\User\\user.orb"));
  }
  state.SetItemsProcessed(state.iterations() * (kOrbisRecords + kUserRecords));
}
BENCHMARK(BM_LoadOnly)->Unit(benchmark::kMillisecond);

}  // namespace
