// Text conversion between the user interface (UTF-16), the card and file
// interface (code page 932) and the host (UTF-8).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-16 to code page 932. A character that code page 932 cannot hold becomes '?',
// as the system conversion does; an unpaired surrogate too.
std::string WideToAnsi(std::u16string_view text);

// Code page 932 to UTF-16. A byte sequence that is not code page 932 becomes U+30FB
// ('・') for each undecodable byte, so that no input is lost silently or crashes.
std::u16string AnsiToWide(std::string_view text);

// True for the first byte of a two-byte code page 932 character (0x81..0x9F, 0xE0..0xFC).
bool IsAnsiLeadByte(unsigned char byte);

// True when every byte sequence of `text` is code page 932 (AnsiToWide loses nothing).
bool IsValidAnsi(std::string_view text);

// UTF-8 (host names, Qt) and UTF-16. A byte that starts no valid UTF-8 sequence becomes
// U+FFFD, and so does an unpaired surrogate on the way back.
std::u16string Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::u16string_view text);

// Host file names are UTF-8; the program names files in code page 932.
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);

}  // namespace platform
