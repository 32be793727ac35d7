// The 20-byte point record shared by orbis.orb and user.orb, and the 112-byte name
// record of UserName.orb. Both keep their bytes as read, so every bit the device
// stores and this program does not understand is written back unchanged; the
// accessors touch only the bits of their own field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace card {

constexpr int kOrbisTypeMax = 63;        // six bits of byte 0
constexpr int kOrbisTypeTableSize = 27;  // entries of the per-type count table
constexpr int kUserPointType = 22;
constexpr int kOclsPointType = 23;
constexpr int kRclsPointType = 24;
constexpr uint32_t kOrbisFieldMax = (1u << 21) - 1;  // x and y fields
constexpr uint32_t kOrbisSerialMax = (1u << 20) - 1;

// Road type of a user point, bits 0 and 1 of byte 1 (2 and 3 are shown as "All").
enum class RoadType : int { Ordinary = 0, Expressway = 1 };

struct OrbisRecord {
  static constexpr size_t kSize = 20;
  std::array<uint8_t, kSize> bytes{};

  int Type() const { return bytes[0] & 0x3F; }
  void SetType(int type) { bytes[0] = static_cast<uint8_t>((bytes[0] & 0xC0) | (type & 0x3F)); }

  int Road() const { return bytes[1] & 0x03; }
  void SetRoad(int road) { bytes[1] = static_cast<uint8_t>((bytes[1] & 0xFC) | (road & 0x03)); }

  uint32_t XField() const { return (Word32(4) >> 5) & kOrbisFieldMax; }
  void SetXField(uint32_t field) {
    SetWord32(4, (Word32(4) & ~(kOrbisFieldMax << 5)) | ((field & kOrbisFieldMax) << 5));
  }
  uint32_t YField() const { return Word32(8) & kOrbisFieldMax; }
  void SetYField(uint32_t field) { SetWord32(8, (Word32(8) & ~kOrbisFieldMax) | (field & kOrbisFieldMax)); }

  // The serial's two 10-bit halves sit in bits 6 to 15 of the words at 14 and 18.
  int SerialHigh() const { return Word16(14) >> 6; }
  int SerialLow() const { return Word16(18) >> 6; }
  uint32_t Serial() const { return static_cast<uint32_t>(SerialHigh()) * 1024u + SerialLow(); }
  void SetSerial(uint32_t serial) {
    SetWord16(14, static_cast<uint16_t>((Word16(14) & 0x3F) | (((serial >> 10) & 0x3FF) << 6)));
    SetWord16(18, static_cast<uint16_t>((Word16(18) & 0x3F) | ((serial & 0x3FF) << 6)));
  }

  uint32_t Word32(size_t at) const {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<uint32_t>(bytes[at + 3]) << 24);
  }
  void SetWord32(size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  uint16_t Word16(size_t at) const { return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)); }
  void SetWord16(size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
  }

  friend bool operator==(const OrbisRecord&, const OrbisRecord&) = default;
};

// The key of a name: the serial of the user record it belongs to.
constexpr int NameKey(int high, int low) {
  return ((high & 1023) * 1024) + (low & 1023);
}

struct UserNameRecord {
  static constexpr size_t kSize = 112;
  static constexpr size_t kNameUnits = 50;  // UTF-16 units of the name field, NUL included
  static constexpr size_t kMaxNameLength = kNameUnits - 1;
  std::array<uint8_t, kSize> bytes{};

  int32_t KeyHigh() const { return Int32(0); }
  int32_t KeyLow() const { return Int32(4); }
  int32_t Type() const { return Int32(8); }
  int Key() const { return NameKey(KeyHigh(), KeyLow()); }
  void SetKeyHigh(int32_t value) { SetInt32(0, value); }
  void SetKeyLow(int32_t value) { SetInt32(4, value); }
  void SetType(int32_t value) { SetInt32(8, value); }

  // The text up to its NUL (all 50 units when a file holds none).
  std::u16string Name() const;
  // Stores at most 49 units (a surrogate pair is never split), then the NUL and zeros.
  void SetName(std::u16string_view text);

  int32_t Int32(size_t at) const {
    return static_cast<int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                (static_cast<uint32_t>(bytes[at + 3]) << 24));
  }
  void SetInt32(size_t at, int32_t value) {
    for (size_t i = 0; i < 4; ++i)
      bytes[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
  }

  friend bool operator==(const UserNameRecord&, const UserNameRecord&) = default;
};

}  // namespace card
