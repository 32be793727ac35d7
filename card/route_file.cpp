#include "card/route_file.h"

#include <algorithm>
#include <cstring>

#include "card/scramble.h"

namespace card {

namespace {

constexpr uint8_t kHeaderMagic[4] = {'A', 'P', 'P', 'D'};
constexpr uint8_t kBlock2Magic[4] = {'A', 'D', 'A', 'U'};
constexpr int kScrambledBlock = 2;
constexpr unsigned kPauseBeforeWrite = 100;

bool ValidBlock(int n) {
  return n >= 0 && n < kAdbBlockCount;
}

// Reads until `size` bytes are in or the file ends; false on a read error.
bool ReadFully(platform::File& file, uint8_t* buffer, size_t size, size_t* total) {
  *total = 0;
  while (*total < size) {
    size_t done = 0;
    if (!file.Read(buffer + *total, size - *total, &done)) return false;
    if (done == 0) break;
    *total += done;
  }
  return true;
}

bool WriteFully(platform::File& file, const uint8_t* buffer, size_t size) {
  size_t total = 0;
  while (total < size) {
    size_t done = 0;
    if (!file.Write(buffer + total, size - total, &done) || done == 0) return false;
    total += done;
  }
  return true;
}

// The identity name of a header record: the bytes before the NUL of its 12-byte field;
// a field without a NUL has no name.
bool IdentityOf(const uint8_t* header, std::string_view* name) {
  const uint8_t* field = header + kAdbIdentityOffset;
  const void* nul = std::memchr(field, 0, kAdbIdentitySize);
  if (nul == nullptr) return false;
  *name = std::string_view(reinterpret_cast<const char*>(field), static_cast<const uint8_t*>(nul) - field);
  return true;
}

std::string_view BlockKey(const AdbImage& image) {
  std::string_view key;
  return IdentityOf(image.header.data(), &key) ? key : std::string_view();
}

struct Block0Layout {
  size_t flag, x, y, name;
};
constexpr Block0Layout kDestination = {7, 24, 64, 136};
constexpr Block0Layout kWaypoint = {8, 28, 68, 1673};
constexpr size_t kNameField = 41;

const Block0Layout& LayoutOf(RoutePoint point) {
  return point == RoutePoint::Destination ? kDestination : kWaypoint;
}

int32_t GetInt32(const std::vector<uint8_t>& block, size_t offset) {
  const uint32_t value = uint32_t{block[offset]} | uint32_t{block[offset + 1]} << 8 |
                         uint32_t{block[offset + 2]} << 16 | uint32_t{block[offset + 3]} << 24;
  return static_cast<int32_t>(value);
}

void PutInt32(std::vector<uint8_t>& block, size_t offset, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) block[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

bool IsCp932LeadByte(uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The longest prefix of `name` of at most `limit` bytes that ends on a whole character.
size_t WholeCharacters(std::string_view name, size_t limit) {
  if (name.size() <= limit) return name.size();
  size_t end = 0;
  while (end < name.size()) {
    const size_t width = IsCp932LeadByte(static_cast<uint8_t>(name[end])) ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return end;
}

}  // namespace

AdbImage::AdbImage() {
  for (int n = 0; n < kAdbBlockCount; ++n) blocks[n].assign(kAdbBlockSizes[n], 0);
}

AdbOpenResult AdbOpen(platform::FileSystem& files, AdbImage& image, std::string_view path,
                      std::string_view identity) {
  AdbOpenResult result;
  // The system has no header of its own to give a new file (a zero header would be
  // refused by every later open), so a missing route file is left to the device.
  if (!files.Attributes(path)) {
    result.status = AdbOpenStatus::Missing;
    return result;
  }
  platform::File file = files.Open(path, platform::Access::ReadWrite, platform::Share::None,
                                   platform::Disposition::OpenExisting);
  if (!file.IsOpen()) {
    result.status = AdbOpenStatus::CannotOpen;
    return result;
  }

  std::array<uint8_t, kAdbHeaderSize> header{};
  size_t read = 0;
  const std::optional<uint64_t> size = file.Size();
  bool accepted = size && *size >= kAdbCompleteFileSize && file.Seek(0) &&
                  ReadFully(file, header.data(), header.size(), &read) && read == header.size();
  if (accepted) {
    ScrambleBytes(kAdbHeaderKey, header.data(), header.size());
    std::string_view name;
    const std::string_view wanted = identity.substr(0, identity.find('\0'));
    accepted = std::memcmp(header.data(), kHeaderMagic, 4) == 0 && IdentityOf(header.data(), &name) &&
               name == wanted;
  }
  if (!accepted) {
    file.Close();
    result.status = AdbOpenStatus::Rejected;
    return result;
  }
  image.header = header;
  result.status = AdbOpenStatus::Opened;
  result.file = std::move(file);
  return result;
}

int64_t AdbBlockOffset(int8_t n) {
  return 512 + 2048 * int64_t{n};
}

bool AdbReadBlock(platform::File& file, AdbImage& image, int n) {
  if (!ValidBlock(n) || !file.IsOpen()) return false;
  std::vector<uint8_t> bytes(kAdbBlockSizes[n]);
  size_t read = 0;
  if (!file.Seek(static_cast<uint64_t>(AdbBlockOffset(static_cast<int8_t>(n)))) ||
      !ReadFully(file, bytes.data(), bytes.size(), &read) || read != bytes.size()) {
    return false;
  }
  std::vector<uint8_t>& block = image.blocks[n];
  block = std::move(bytes);
  if (n != kScrambledBlock) return true;
  ScrambleBytes(BlockKey(image), block.data(), block.size());
  return std::memcmp(block.data(), kBlock2Magic, 4) == 0;
}

bool AdbWriteBlock(platform::File& file, const AdbImage& image, int n, platform::Clock& clock) {
  clock.Sleep(kPauseBeforeWrite);
  if (!ValidBlock(n) || !file.IsOpen()) return false;
  if (!file.Seek(static_cast<uint64_t>(AdbBlockOffset(static_cast<int8_t>(n))))) return false;
  if (n != kScrambledBlock) return WriteFully(file, image.blocks[n].data(), image.blocks[n].size());
  std::vector<uint8_t> copy = image.blocks[n];
  std::memcpy(copy.data(), kBlock2Magic, 4);
  ScrambleBytes(BlockKey(image), copy.data(), copy.size());
  return WriteFully(file, copy.data(), copy.size());
}

uint8_t RouteSetFlag(const AdbImage& image, RoutePoint point) {
  return image.blocks[0][LayoutOf(point).flag];
}

void SetRouteSetFlag(AdbImage& image, RoutePoint point, uint8_t flag) {
  image.blocks[0][LayoutOf(point).flag] = flag;
}

int32_t RouteX(const AdbImage& image, RoutePoint point) {
  return GetInt32(image.blocks[0], LayoutOf(point).x);
}
int32_t RouteY(const AdbImage& image, RoutePoint point) {
  return GetInt32(image.blocks[0], LayoutOf(point).y);
}
void SetRouteX(AdbImage& image, RoutePoint point, int32_t x) {
  PutInt32(image.blocks[0], LayoutOf(point).x, x);
}
void SetRouteY(AdbImage& image, RoutePoint point, int32_t y) {
  PutInt32(image.blocks[0], LayoutOf(point).y, y);
}

std::string RouteName(const AdbImage& image, RoutePoint point) {
  const char* field = reinterpret_cast<const char*>(image.blocks[0].data() + LayoutOf(point).name);
  const void* nul = std::memchr(field, 0, kNameField);
  return std::string(field, nul ? static_cast<const char*>(nul) - field : kNameField);
}

void SetRouteName(AdbImage& image, RoutePoint point, std::string_view name) {
  name = name.substr(0, name.find('\0'));
  const size_t length = WholeCharacters(name, kRouteNameMaxBytes);
  uint8_t* field = image.blocks[0].data() + LayoutOf(point).name;
  std::memcpy(field, name.data(), length);
  field[length] = 0;
}

}  // namespace card
