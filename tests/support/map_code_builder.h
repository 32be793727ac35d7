// Writes a map code table (MapCode.bin): 1204 records of 10 bytes. A test names only the
// blocks it uses; every other block is a 30-cell-wide block at 0 degrees.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace testing_support {

struct MapCodeBlock {
  uint8_t width = 30;  // 30-second cells per row
  uint8_t longitude_degrees = 0, longitude_minutes = 0, longitude_seconds = 0;
  uint8_t latitude_degrees = 0, latitude_minutes = 0, latitude_seconds = 0;
  uint16_t value = 0;  // the record's unused leading field
};

class MapCodeTableBuilder {
 public:
  static constexpr int kBlockCount = 1204;
  static constexpr size_t kRecordSize = 10;

  MapCodeTableBuilder& Block(int index, MapCodeBlock block) {
    blocks_[index] = block;
    return *this;
  }
  // The whole table, or only its first `size` bytes (a truncated file).
  std::string Bytes() const;
  std::string Bytes(size_t size) const { return Bytes().substr(0, size); }
  // Writes the bytes to a host file; false when it cannot be written.
  static bool WriteHostFile(const std::string& host_path, const std::string& bytes);

 private:
  std::map<int, MapCodeBlock> blocks_;
};

}  // namespace testing_support
