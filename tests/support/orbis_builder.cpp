#include "tests/support/orbis_builder.h"

#include <algorithm>
#include <cmath>

namespace testing_support {
namespace {

void Put32(std::string& out, int32_t value) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
}

void Or32(std::array<uint8_t, 20>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] |= static_cast<uint8_t>(value >> (8 * i));
}

void Or16(std::array<uint8_t, 20>& bytes, size_t at, uint32_t value) {
  bytes[at] |= static_cast<uint8_t>(value);
  bytes[at + 1] |= static_cast<uint8_t>(value >> 8);
}

}  // namespace

// Byte 0 bits 6-7, byte 1 bits 2-7, bytes 2-3, x word bits 0-4 and 26-31, y word bits
// 21-31, bytes 12-13, bits 0-5 of the words at 14 and 18, bytes 16-17.
const std::array<uint8_t, 20> kOrbisDeviceBits = {0xC0, 0xFC, 0xFF, 0xFF, 0x1F, 0x00, 0x00, 0xFC, 0x00, 0x00,
                                                  0xE0, 0xFF, 0xFF, 0xFF, 0x3F, 0x00, 0xFF, 0xFF, 0x3F, 0x00};

std::array<uint8_t, 20> PackOrbisRecord(const OrbisRecordSpec& spec) {
  std::array<uint8_t, 20> bytes{};
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = spec.device[i] & kOrbisDeviceBits[i];
  bytes[0] |= static_cast<uint8_t>(spec.type & 0x3F);
  bytes[1] |= static_cast<uint8_t>(spec.road & 0x03);
  Or32(bytes, 4, (spec.x_field & 0x1FFFFF) << 5);
  Or32(bytes, 8, spec.y_field & 0x1FFFFF);
  Or16(bytes, 14, ((spec.serial >> 10) & 0x3FF) << 6);
  Or16(bytes, 18, (spec.serial & 0x3FF) << 6);
  return bytes;
}

OrbisFileBuilder& OrbisFileBuilder::Base(int32_t x, int32_t y, int32_t third, int32_t fourth) {
  base_ = {x, y, third, fourth};
  return *this;
}

OrbisFileBuilder& OrbisFileBuilder::Magic(std::string magic) {
  magic_ = std::move(magic);
  return *this;
}

OrbisFileBuilder& OrbisFileBuilder::Version(int32_t version) {
  version_ = version;
  return *this;
}

OrbisFileBuilder& OrbisFileBuilder::Count(int32_t count) {
  count_ = count;
  return *this;
}

OrbisFileBuilder& OrbisFileBuilder::TypeCount(int type, int32_t count) {
  type_counts_.at(type) = count;
  return *this;
}

OrbisFileBuilder& OrbisFileBuilder::HeaderDeviceData(uint8_t fill) {
  header_device_fill_ = fill;
  return *this;
}

OrbisFileBuilder& OrbisFileBuilder::Add(const OrbisRecordSpec& spec) {
  records_.push_back(spec);
  return *this;
}

OrbisFileBuilder& OrbisFileBuilder::Point(int type, uint32_t serial, uint32_t x_field, uint32_t y_field,
                                          int road) {
  OrbisRecordSpec spec;
  spec.type = type;
  spec.serial = serial;
  spec.x_field = x_field;
  spec.y_field = y_field;
  spec.road = road;
  return Add(spec);
}

OrbisFileBuilder& OrbisFileBuilder::PointAt(int type, uint32_t serial, double longitude, double latitude,
                                            int road) {
  double x = std::trunc(longitude * 80000.0) - base_[0];
  double y = std::trunc(latitude * 120000.0) - base_[1];
  return Point(type, serial, static_cast<uint32_t>(std::max(0.0, x / 4)),
               static_cast<uint32_t>(std::max(0.0, y / 4)), road);
}

std::string OrbisFileBuilder::Bytes() const {
  std::string out = magic_;
  out.resize(4, '\0');
  Put32(out, version_);
  for (int32_t value : base_) Put32(out, value);
  out.append(16, static_cast<char>(header_device_fill_));
  Put32(out, count_.value_or(static_cast<int32_t>(records_.size())));
  out.append(4, static_cast<char>(header_device_fill_));
  for (int t = 0; t < 27; ++t) {
    int32_t tally = 0;
    for (const OrbisRecordSpec& spec : records_) tally += spec.type == t ? 1 : 0;
    Put32(out, type_counts_[t].value_or(tally));
  }
  for (const OrbisRecordSpec& spec : records_) {
    std::array<uint8_t, 20> bytes = PackOrbisRecord(spec);
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  return out;
}

UserNameFileBuilder& UserNameFileBuilder::Magic(std::string magic) {
  magic_ = std::move(magic);
  return *this;
}

UserNameFileBuilder& UserNameFileBuilder::Version(int32_t version) {
  version_ = version;
  return *this;
}

UserNameFileBuilder& UserNameFileBuilder::Count(int32_t count) {
  count_ = count;
  return *this;
}

UserNameFileBuilder& UserNameFileBuilder::Numbers(int32_t user_number, int32_t other_number) {
  numbers_ = std::array<int32_t, 2>{user_number, other_number};
  return *this;
}

UserNameFileBuilder& UserNameFileBuilder::Held(int32_t user_held, int32_t other_held) {
  held_ = std::array<int32_t, 2>{user_held, other_held};
  return *this;
}

UserNameFileBuilder& UserNameFileBuilder::Name(int type, uint32_t serial, const std::u16string& text) {
  return NameWithKey(type, static_cast<int32_t>((serial >> 10) & 0x3FF), static_cast<int32_t>(serial & 0x3FF),
                     text);
}

UserNameFileBuilder& UserNameFileBuilder::NameWithKey(int type, int32_t high, int32_t low,
                                                      const std::u16string& text) {
  names_.push_back({high, low, type, text});
  return *this;
}

std::string UserNameFileBuilder::Bytes() const {
  int32_t users = 0;
  for (const NameSpec& name : names_) users += name.type == 22 ? 1 : 0;
  int32_t others = static_cast<int32_t>(names_.size()) - users;
  std::array<int32_t, 2> numbers = numbers_.value_or(std::array<int32_t, 2>{users + 1, others + 1});
  std::array<int32_t, 2> held = held_.value_or(std::array<int32_t, 2>{users, others});

  std::string out = magic_;
  out.resize(4, '\0');
  Put32(out, version_);
  Put32(out, count_.value_or(static_cast<int32_t>(names_.size())));
  Put32(out, numbers[0]);
  Put32(out, numbers[1]);
  Put32(out, held[0]);
  Put32(out, held[1]);
  for (const NameSpec& name : names_) {
    Put32(out, name.high);
    Put32(out, name.low);
    Put32(out, name.type);
    std::string text(100, '\0');
    for (size_t i = 0; i < name.text.size() && i < 49; ++i) {
      text[2 * i] = static_cast<char>(name.text[i] & 0xFF);
      text[2 * i + 1] = static_cast<char>(name.text[i] >> 8);
    }
    out += text;
  }
  return out;
}

}  // namespace testing_support
