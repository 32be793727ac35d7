// INI files as the program reads and writes them: one value at a time, by section and key.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace platform {

// Section and key match regardless of ASCII letter case, blanks around names and values
// are ignored, and a value in matching quotes loses them. The first section of the name
// is searched, and the first line of the key in it counts. A missing file, section or
// key gives the default; a present key with nothing after '=' gives "". Comment lines
// (';') and lines that are neither a section nor "key=value" are skipped; CRLF and LF
// line ends both read. The result is cut to buffer_size - 1 bytes (nothing for a buffer
// size of 0), as a fixed buffer would hold it, never in the middle of a two-byte character.
std::string GetPrivateProfileString(FileSystem& files, std::string_view section, std::string_view key,
                                    std::string_view default_value, size_t buffer_size,
                                    std::string_view path);

// Sets one value; creates the file, the section or the key when missing and keeps every
// other byte as it was: an existing key keeps its line up to the value, a new key goes
// after the last line of its section, a new section at the end of the file. New lines
// take the file's line end (CRLF for a new file). The file is replaced safely, and not
// touched when it already holds the value. False when it cannot be read or written, or
// for names or a value that would break the file's lines (an empty name, a line end, a
// ']' in the section, a '=' in the key).
bool WritePrivateProfileString(FileSystem& files, std::string_view section, std::string_view key,
                               std::string_view value, std::string_view path);

}  // namespace platform
