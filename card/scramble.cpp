#include "card/scramble.h"

namespace card {

namespace {
constexpr uint32_t kSeed = 0x5A3C9E17;
}

ScrambleKey MakeScrambleKey(std::string_view key) {
  ScrambleKey working = {static_cast<uint8_t>(kSeed), static_cast<uint8_t>(kSeed >> 8),
                         static_cast<uint8_t>(kSeed >> 16), static_cast<uint8_t>(kSeed >> 24)};
  for (size_t i = 0; i < key.size() && key[i] != '\0'; ++i) working[i % 4] ^= static_cast<uint8_t>(key[i]);
  return working;
}

// Skipping 0 and the key byte keeps the result away from both, which is what makes the
// scrambling its own inverse.
void ScrambleBytes(std::string_view key, uint8_t* buffer, size_t length) {
  const ScrambleKey working = MakeScrambleKey(key);
  for (size_t i = 0; i < length; ++i) {
    const uint8_t k = working[i % 4];
    if (buffer[i] != 0 && buffer[i] != k) buffer[i] ^= k;
  }
}

}  // namespace card
