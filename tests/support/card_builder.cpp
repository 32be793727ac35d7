#include "tests/support/card_builder.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "card/scramble.h"
#include "platform/text.h"

namespace testing_support {

namespace {

namespace fs = std::filesystem;

// A small linear congruential generator: the same seed always gives the same card.
class Pattern {
 public:
  explicit Pattern(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  uint8_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<uint8_t>(state_ >> 24);
  }

 private:
  uint32_t state_;
};

void PutInt32(std::string& bytes, size_t offset, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(bits >> (8 * i));
}

void PutText(std::string& bytes, size_t offset, std::string_view text, size_t field) {
  const size_t length = std::min(text.size(), field);
  std::memcpy(bytes.data() + offset, text.data(), length);
  if (length < field) bytes[offset + length] = '\0';
}

uint8_t* Bytes(std::string& text, size_t offset) {
  return reinterpret_cast<uint8_t*>(text.data() + offset);
}

}  // namespace

std::string Sjis(std::string_view utf8) {
  return platform::Utf8ToAnsi(utf8);
}

std::string BuildRouteFile(const RouteFileContent& content) {
  std::string bytes(card::kAdbCompleteFileSize, '\0');
  Pattern pattern(content.device_data_seed);
  for (char& byte : bytes) byte = static_cast<char>(pattern.Next());

  // Header: magic, device data, identity name with its NUL.
  PutText(bytes, 0, content.magic, 4);
  PutText(bytes, card::kAdbIdentityOffset, content.identity, card::kAdbIdentitySize);
  card::ScrambleBytes(card::kAdbHeaderKey, Bytes(bytes, 0), card::kAdbHeaderSize);

  const size_t block0 = static_cast<size_t>(card::AdbBlockOffset(0));
  bytes[block0 + 7] = static_cast<char>(content.destination_flag);
  bytes[block0 + 8] = static_cast<char>(content.waypoint_flag);
  PutInt32(bytes, block0 + 24, content.destination_x);
  PutInt32(bytes, block0 + 28, content.waypoint_x);
  PutInt32(bytes, block0 + 64, content.destination_y);
  PutInt32(bytes, block0 + 68, content.waypoint_y);
  PutText(bytes, block0 + 136, content.destination_name, 41);
  PutText(bytes, block0 + 1673, content.waypoint_name, 41);

  const size_t block2 = static_cast<size_t>(card::AdbBlockOffset(2));
  PutText(bytes, block2, content.block2_magic, 4);
  std::string key = content.identity.substr(0, std::min(content.identity.size(), card::kAdbIdentitySize));
  card::ScrambleBytes(key, Bytes(bytes, block2), card::kAdbBlockSizes[2]);

  bytes.resize(content.length, '\0');
  return bytes;
}

std::string PointFileText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

CardBuilder::CardBuilder(TestPlatform& platform, CardOptions options) : options_(std::move(options)) {
  platform::Volume volume;
  volume.host_root = folder_.path();
  volume.type = options_.type;
  volume.file_system = options_.file_system;
  volume.label = options_.label;
  volume.serial = options_.serial;
  platform.volumes.Attach(options_.letter, volume);
}

std::string CardBuilder::HostPath(std::string_view relative) const {
  return (fs::path(folder_.path()) / fs::path(std::u8string(relative.begin(), relative.end()))).string();
}

CardBuilder& CardBuilder::MakeFolder(std::string_view relative) {
  fs::create_directories(HostPath(relative));
  return *this;
}

CardBuilder& CardBuilder::WriteFile(std::string_view relative, std::string_view bytes) {
  const fs::path path = HostPath(relative);
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return *this;
}

CardBuilder& CardBuilder::NaviExe(std::string_view folder, std::string_view file_name) {
  std::string relative(folder);
  if (!relative.empty()) relative += '/';
  relative += file_name;
  return WriteFile(relative, "MZ");
}

CardBuilder& CardBuilder::VersionIni(std::string_view text) {
  return WriteFile("Navi/Version.ini", text);
}

CardBuilder& CardBuilder::RouteFile(const RouteFileContent& content) {
  return WriteFile("Navi/Pelmo.adb", BuildRouteFile(content));
}

CardBuilder& CardBuilder::FavList(const std::vector<std::string>& lines) {
  return WriteFile(std::string(kFavoritesHostPath) + "/FavList.txt", PointFileText(lines));
}

CardBuilder& CardBuilder::FavFolder(std::string_view name, const std::vector<std::string>& lines) {
  const std::string folder = std::string(kFavoritesHostPath) + "/" + std::string(name);
  return WriteFile(folder + "/" + std::string(name) + ".txt", PointFileText(lines));
}

std::optional<std::string> CardBuilder::ReadFile(std::string_view relative) const {
  std::ifstream in(HostPath(relative), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool CardBuilder::Exists(std::string_view relative) const {
  return fs::exists(HostPath(relative));
}

}  // namespace testing_support
