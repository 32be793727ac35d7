#include "tests/support/map_code_builder.h"

#include <fstream>

namespace testing_support {

std::string MapCodeTableBuilder::Bytes() const {
  std::string bytes(kBlockCount * kRecordSize, '\0');
  for (int i = 0; i < kBlockCount; ++i) {
    auto found = blocks_.find(i);
    const MapCodeBlock block = found != blocks_.end() ? found->second : MapCodeBlock{};
    char* record = bytes.data() + i * kRecordSize;
    record[0] = static_cast<char>(block.value & 0xFF);
    record[1] = static_cast<char>(block.value >> 8);
    record[2] = static_cast<char>(block.width);
    record[3] = static_cast<char>(block.longitude_degrees);
    record[4] = static_cast<char>(block.longitude_minutes);
    record[5] = static_cast<char>(block.longitude_seconds);
    record[6] = static_cast<char>(block.latitude_degrees);
    record[7] = static_cast<char>(block.latitude_minutes);
    record[8] = static_cast<char>(block.latitude_seconds);
  }
  return bytes;
}

bool MapCodeTableBuilder::WriteHostFile(const std::string& host_path, const std::string& bytes) {
  std::ofstream out(host_path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace testing_support
