// The device's route file: a scrambled 92-byte header and eleven fixed blocks, held in
// one in-memory image. Only block 0's destination and waypoint fields are ever changed;
// every other byte is the device's and goes back to the card as it was read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"

namespace card {

constexpr int kAdbBlockCount = 11;
constexpr size_t kAdbHeaderSize = 92;
constexpr std::array<size_t, kAdbBlockCount> kAdbBlockSizes = {1804, 296, 364, 20,  704, 144,
                                                               4,    328, 124, 556, 64};
// End of block 10: a complete route file is at least this long.
constexpr size_t kAdbCompleteFileSize = 512 + 2048 * 10 + 64;

inline constexpr char kAdbHeaderKey[] = "kfuwzmrbo";
inline constexpr char kAdbIdentityName[] = "tyhvxlpgc";

// Header record offsets.
constexpr size_t kAdbIdentityOffset = 80;
constexpr size_t kAdbIdentitySize = 12;

// The process-wide copy of the route file. Block buffers hold the blocks as they are in
// the file, except block 2, which is held unscrambled. All zero at start; a block that
// fails to be read keeps what it held.
struct AdbImage {
  std::array<uint8_t, kAdbHeaderSize> header{};  // unscrambled header of the last accepted file
  std::array<std::vector<uint8_t>, kAdbBlockCount> blocks;

  AdbImage();
};

enum class AdbOpenStatus {
  Opened,      // the header is the device's; the file is held without sharing
  Missing,     // there is no route file; nothing was created
  CannotOpen,  // the file exists but cannot be opened (held elsewhere, no access, no card)
  Rejected,    // the file is not the device's complete route file; it was closed untouched
};

struct AdbOpenResult {
  AdbOpenStatus status = AdbOpenStatus::CannotOpen;
  platform::File file;  // open only for Opened
};

// Opens the route file for reading and writing without sharing and checks it: the magic
// "APPD" and `identity` in the unscrambled header, and a length that holds all eleven
// blocks. Only an accepted header replaces the image's header record.
AdbOpenResult AdbOpen(platform::FileSystem& files, AdbImage& image, std::string_view path,
                      std::string_view identity);

// File offset of block n: 512 + 2048 × n.
int64_t AdbBlockOffset(int8_t n);

// Reads block n into its buffer; true when the whole block was read and, for block 2,
// its unscrambled magic is "ADAU". A block not read whole leaves its buffer as it was.
bool AdbReadBlock(platform::File& file, AdbImage& image, int n);

// Pauses 100 ms, then writes block n at its offset (block 2 with "ADAU" put in front and
// scrambled with the identity name of the header record). True when the whole block was
// written; a closed file writes nothing.
bool AdbWriteBlock(platform::File& file, const AdbImage& image, int n, platform::Clock& clock);

// Block 0: the destination and the waypoint.
enum class RoutePoint { Destination, Waypoint };

// Name fields hold at most this many bytes and a NUL.
constexpr size_t kRouteNameMaxBytes = 40;

uint8_t RouteSetFlag(const AdbImage& image, RoutePoint point);
void SetRouteSetFlag(AdbImage& image, RoutePoint point, uint8_t flag);
int32_t RouteX(const AdbImage& image, RoutePoint point);
int32_t RouteY(const AdbImage& image, RoutePoint point);
void SetRouteX(AdbImage& image, RoutePoint point, int32_t x);
void SetRouteY(AdbImage& image, RoutePoint point, int32_t y);
// The name up to its NUL (code page 932), at most the 41 bytes of the field.
std::string RouteName(const AdbImage& image, RoutePoint point);
// Stores the name and a NUL, leaving the bytes after the NUL as they were. A name of
// more than 40 bytes is cut at the last whole code page 932 character that fits.
void SetRouteName(AdbImage& image, RoutePoint point, std::string_view name);

}  // namespace card
