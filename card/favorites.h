// The favorites point store: one folder's point file in memory (at most 100 points),
// kept in name order and rewritten whole after every change.
//
// A point file is text, one point per line ending in "\n":
//   name,latitude,longitude,fourth value,year/month/day hour:minute:second,last number
// with the name in code page 932 and positions in WGS84 degrees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/files.h"

namespace card {

constexpr int kFavCapacity = 100;
// A name holds fewer bytes than this (the record's buffer, NUL included).
constexpr size_t kFavNameBuffer = 58;
constexpr size_t kFavPathLimit = 259;
// A point file larger than this is not one the device wrote; it is left alone.
constexpr uint64_t kFavFileSizeLimit = 1 << 20;

struct FavItem {
  uint8_t name_length = 0;
  uint8_t last_number = 0;
  char name[kFavNameBuffer] = {};
  float longitude = 0;  // WGS84 degrees
  float latitude = 0;   // WGS84 degrees
  float fourth = 0;     // carried, never interpreted
  uint64_t time = 0;    // 100 ns since 1601-01-01, local time
};

class CMapFavorites {
 public:
  CMapFavorites(platform::FileSystem& files, platform::Clock& clock) : files_(files), clock_(clock) {}

  // Loads the point file at `path`; the number of points loaded. A missing file is an
  // empty folder whose file the first change creates. A file that exists but cannot be
  // read whole, or holds more than 100 points, makes the store read-only.
  int Open(std::string_view path, bool order, bool write_through);

  int Count() const { return count_; }
  // The point at `index`, or null when the index is not below the count.
  const FavItem* GetItem(int index) const;

  // Positions are Tokyo-datum map units; the store keeps them as WGS84 degrees. Each
  // change takes the clock's time (milliseconds 0). With write-through on, a change whose
  // file cannot be written is undone and reported as refused.
  // Add: the new point's index, or -1 for a name the format cannot carry, a full or
  // read-only store, or a failed write.
  int Add(std::string_view name, int32_t longitude_units, int32_t latitude_units, float fourth,
          uint8_t last_number);
  // 1, or 0 for a bad index, a name the format cannot carry, a read-only store or a failed write.
  int Modify(int index, std::string_view name, int32_t longitude_units, int32_t latitude_units, float fourth,
             uint8_t last_number);
  // 1, or 0 for a bad index, a read-only store or a failed write.
  int Delete(int index);

  // Rewrites the whole file safely after a 100 ms pause (a failure leaves the old file
  // as it was); a given path replaces the stored one. 1, or 0 when it cannot be written
  // or the store is read-only.
  int Write();
  int Write(std::string_view path);

  // The store did not load all of its file's points (the file could not be read, or
  // holds more than 100); it refuses every change so they are never lost.
  bool IsReadOnly() const { return read_only_; }
  const std::string& Path() const { return path_; }

  // A name the file format can carry: fewer than 58 bytes, no comma, no line end, no NUL.
  static bool IsStorableName(std::string_view name);

 private:
  void Clear();
  void Parse(const std::string& bytes);
  void Sort();
  FavItem MakeItem(std::string_view name, int32_t longitude_units, int32_t latitude_units, float fourth,
                   uint8_t last_number);
  bool CommitOrUndo(const FavItem* previous_items, int previous_count);
  std::string Format() const;

  platform::FileSystem& files_;
  platform::Clock& clock_;
  std::string path_;
  int count_ = 0;
  FavItem items_[kFavCapacity];
  bool order_ = false;
  bool write_through_ = false;
  bool read_only_ = false;
  // Bytes after the file's last line feed: never loaded as a point, but written back
  // as they were so that a rewrite does not drop an unfinished last line.
  std::string unterminated_tail_;
};

}  // namespace card
