// Builders of the point files (orbis.orb, user.orb) and of UserName.orb for tests and
// the sample card. They pack the bytes on their own, independently of the store, so a
// wrong bit in either shows up. A file is a few lines:
//
//   std::string orbis = OrbisFileBuilder().Base(9760000, 2400000).Point(3, 0, 100, 200).Bytes();
//   std::string user = OrbisFileBuilder().Point(22, 5, 10, 20, /*road=*/1).Bytes();
//   std::string names = UserNameFileBuilder().Name(22, 5, u"自宅").Bytes();
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// The bits of a point record that belong to no field this program reads.
extern const std::array<uint8_t, 20> kOrbisDeviceBits;

struct OrbisRecordSpec {
  int type = 0;          // 0 to 63
  int road = 0;          // 0 to 3
  uint32_t x_field = 0;  // 21 bits
  uint32_t y_field = 0;  // 21 bits
  uint32_t serial = 0;   // 20 bits
  // Device bits to set; only the bits of kOrbisDeviceBits are taken from it.
  std::array<uint8_t, 20> device{};
};

std::array<uint8_t, 20> PackOrbisRecord(const OrbisRecordSpec& spec);

class OrbisFileBuilder {
 public:
  OrbisFileBuilder& Base(int32_t x, int32_t y, int32_t third = 0, int32_t fourth = 0);
  OrbisFileBuilder& Magic(std::string magic);
  OrbisFileBuilder& Version(int32_t version);
  // Header count; by default the number of records.
  OrbisFileBuilder& Count(int32_t count);
  // One entry of the count table; by default each entry counts the records of its type.
  OrbisFileBuilder& TypeCount(int type, int32_t count);
  // The 16 device bytes at offset 24 and the 4 at offset 44.
  OrbisFileBuilder& HeaderDeviceData(uint8_t fill);

  OrbisFileBuilder& Add(const OrbisRecordSpec& spec);
  OrbisFileBuilder& Point(int type, uint32_t serial, uint32_t x_field, uint32_t y_field, int road = 0);
  // A point at Tokyo-datum degrees, its fields worked out from the builder's base.
  OrbisFileBuilder& PointAt(int type, uint32_t serial, double longitude, double latitude, int road = 0);

  int32_t BaseX() const { return base_[0]; }
  int32_t BaseY() const { return base_[1]; }
  std::string Bytes() const;

 private:
  std::string magic_ = "SBRO";
  int32_t version_ = 107;
  std::array<int32_t, 4> base_ = {9760000, 2400000, 0, 0};
  std::optional<int32_t> count_;
  std::array<std::optional<int32_t>, 27> type_counts_{};
  uint8_t header_device_fill_ = 0;
  std::vector<OrbisRecordSpec> records_;
};

class UserNameFileBuilder {
 public:
  UserNameFileBuilder& Magic(std::string magic);
  UserNameFileBuilder& Version(int32_t version);
  // Header count; by default the number of names.
  UserNameFileBuilder& Count(int32_t count);
  // The two number counters; by default one more than the names of their kind.
  UserNameFileBuilder& Numbers(int32_t user_number, int32_t other_number);
  // The held counts; by default the names of their kind.
  UserNameFileBuilder& Held(int32_t user_held, int32_t other_held);

  // A name for the record of this type and serial; the key halves are the serial's.
  UserNameFileBuilder& Name(int type, uint32_t serial, const std::u16string& text);
  UserNameFileBuilder& NameWithKey(int type, int32_t high, int32_t low, const std::u16string& text);

  std::string Bytes() const;

 private:
  struct NameSpec {
    int32_t high, low, type;
    std::u16string text;
  };
  std::string magic_ = "SBRO";
  int32_t version_ = 107;
  std::optional<int32_t> count_;
  std::optional<std::array<int32_t, 2>> numbers_;
  std::optional<std::array<int32_t, 2>> held_;
  std::vector<NameSpec> names_;
};

}  // namespace testing_support
