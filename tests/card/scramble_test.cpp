#include "card/scramble.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using card::MakeScrambleKey;
using card::ScrambleBytes;
using card::ScrambleKey;

TEST(ScrambleKeyTest, FoldsEachCharacterOntoTheSeed) {
  struct Case {
    const char* key;
    ScrambleKey expected;
  };
  const Case cases[] = {
      {"", {0x17, 0x9E, 0x3C, 0x5A}},           // the seed alone, lowest byte first
      {"abcde", {0x13, 0xFC, 0x5F, 0x3E}},      // the fifth character folds into byte 0 again
      {"kfuwzmrbo", {0x69, 0x95, 0x3B, 0x4F}},  // the header key
      {"tyhvxlpgc", {0x78, 0x8B, 0x24, 0x4B}},  // the identity name, block 2's key
  };
  for (const Case& c : cases) EXPECT_EQ(MakeScrambleKey(c.key), c.expected) << c.key;
}

TEST(ScrambleKeyTest, KeyEndsAtItsNul) {
  EXPECT_EQ(MakeScrambleKey(std::string_view("abcd\0e", 6)), MakeScrambleKey("abcd"));
}

TEST(ScrambleBytesTest, MagicsScrambleToKnownBytes) {
  uint8_t header[4] = {'A', 'P', 'P', 'D'};
  ScrambleBytes("kfuwzmrbo", header, 4);
  EXPECT_EQ(std::vector<uint8_t>(header, header + 4), (std::vector<uint8_t>{0x28, 0xC5, 0x6B, 0x0B}));
  uint8_t block2[4] = {'A', 'D', 'A', 'U'};
  ScrambleBytes("tyhvxlpgc", block2, 4);
  EXPECT_EQ(std::vector<uint8_t>(block2, block2 + 4), (std::vector<uint8_t>{0x39, 0xCF, 0x65, 0x1E}));
}

TEST(ScrambleBytesTest, TwiceRestoresEveryByteValue) {
  std::vector<uint8_t> original;
  for (int round = 0; round < 5; ++round)
    for (int value = 0; value < 256; ++value) original.push_back(static_cast<uint8_t>(value));
  for (const char* key : {"", "kfuwzmrbo", "tyhvxlpgc", "x"}) {
    std::vector<uint8_t> bytes = original;
    ScrambleBytes(key, bytes.data(), bytes.size());
    EXPECT_NE(bytes, original) << key;
    ScrambleBytes(key, bytes.data(), bytes.size());
    EXPECT_EQ(bytes, original) << key;
  }
}

TEST(ScrambleBytesTest, ZeroAndKeyEqualBytesStayOthersChange) {
  const ScrambleKey key = MakeScrambleKey("kfuwzmrbo");
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 16; ++i) bytes.push_back(i % 2 == 0 ? 0 : key[i % 4]);
  const std::vector<uint8_t> original = bytes;
  ScrambleBytes("kfuwzmrbo", bytes.data(), bytes.size());
  EXPECT_EQ(bytes, original);

  // A key byte at the wrong position is an ordinary byte and changes.
  uint8_t shifted[2] = {key[1], key[0]};
  ScrambleBytes("kfuwzmrbo", shifted, 2);
  EXPECT_EQ(shifted[0], key[1] ^ key[0]);
  EXPECT_EQ(shifted[1], key[0] ^ key[1]);
}

}  // namespace
