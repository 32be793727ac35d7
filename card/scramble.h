// The keyed byte scrambling of the route file's header and of its block 2.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace card {

using ScrambleKey = std::array<uint8_t, 4>;

// The 4-byte working key: the seed 0x5A3C9E17 (lowest byte first), with character i of
// `key` folded into byte i mod 4. The key ends at its first NUL.
ScrambleKey MakeScrambleKey(std::string_view key);

// Scrambles or unscrambles `length` bytes in place (the operation is its own inverse):
// each byte other than 0 and other than its key byte is XORed with its key byte.
void ScrambleBytes(std::string_view key, uint8_t* buffer, size_t length);

}  // namespace card
