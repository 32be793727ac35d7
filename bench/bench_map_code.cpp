// CMapCodeConverter::Convert over a full table and a mix of codes with and without
// sub-codes.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "geo/map_code.h"
#include "tests/support/map_code_builder.h"

namespace {

void BM_Convert(benchmark::State& state) {
  testing_support::MapCodeTableBuilder table;
  for (int b = 0; b < testing_support::MapCodeTableBuilder::kBlockCount; ++b) {
    table.Block(b, {30, static_cast<uint8_t>(128 + b % 24), static_cast<uint8_t>(b % 60), 0,
                    static_cast<uint8_t>(26 + b / 60), static_cast<uint8_t>(b % 4 * 15), 0});
  }
  geo::CMapCodeConverter converter;
  converter.LoadBytes(table.Bytes());
  std::mt19937 random(3);
  std::vector<std::string> codes;
  for (int i = 0; i < 1024; ++i) {
    std::string code = std::to_string(random() % 1204) + std::to_string(100 + random() % 800) +
                       std::to_string(100 + random() % 800);
    if (i % 2) {
      code += '*';
      code += std::to_string(random() % 89);
    }
    codes.push_back(code);
  }
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(converter.Convert(codes[i++ % codes.size()]));
}
BENCHMARK(BM_Convert);

}  // namespace
