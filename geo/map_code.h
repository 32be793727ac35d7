// Map codes: a string of digits, optionally followed by '*' and a sub-code, that the
// card's table MapCode.bin (1204 records of 10 bytes) turns into a position in map
// units (Tokyo datum). The conversion only goes from code to position.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace geo {

struct MapPosition {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const MapPosition&) const = default;
};

// For readable test failures.
inline std::ostream& operator<<(std::ostream& out, const MapPosition& p) {
  return out << "(" << p.x << ", " << p.y << ")";
}

class CMapCodeConverter {
 public:
  static constexpr int kBlockCount = 1204;
  static constexpr size_t kRecordSize = 10;
  static constexpr size_t kTableSize = kBlockCount * kRecordSize;
  static constexpr size_t kMaxMainDigits = 99;
  static constexpr size_t kMaxSubCodeDigits = 9;

  struct Block {
    bool present = false;                // false when the file ended before this record
    std::array<uint8_t, 9> record = {};  // bytes 0-8 of the record
    double longitude_seconds = 0;        // origin (south-west corner), total seconds
    double latitude_seconds = 0;
    uint8_t Width() const { return record[2]; }
  };

  // Opens the table file and reads it. A file that cannot be opened leaves the status
  // not loaded (the previous table stays but is not used); a file shorter than the table
  // loads the records it holds, and codes of the missing blocks are invalid.
  void Load(platform::FileSystem& files, std::string_view path, int tag);
  // The same from the file's bytes.
  void LoadBytes(std::string_view bytes);

  bool IsReady() const { return ready_; }
  const std::string& Path() const { return path_; }
  int Tag() const { return tag_; }
  const Block& BlockAt(int index) const { return blocks_[index]; }

  // Converts a code text of digits and '*' (anything else is skipped). None when the
  // table is not loaded or the code is invalid.
  std::optional<MapPosition> Convert(std::string_view code) const;

 private:
  bool ready_ = false;
  std::string path_;
  int tag_ = 0;
  std::array<Block, kBlockCount> blocks_ = {};
};

}  // namespace geo
