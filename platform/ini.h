// INI files as the program reads and writes them: one value at a time, by section and key.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace platform {

// Section and key match regardless of letter case, blanks around names and values are
// ignored. A missing file, section or key gives the default. The result is cut to
// buffer_size - 1 bytes (nothing for a buffer size of 0), as a fixed buffer would hold it.
std::string GetPrivateProfileString(FileSystem& files, std::string_view section, std::string_view key,
                                    std::string_view default_value, size_t buffer_size,
                                    std::string_view path);

// Sets one value; creates the file, the section or the key when missing and keeps every
// other line as it was. The file is replaced safely. False when it cannot be written.
bool WritePrivateProfileString(FileSystem& files, std::string_view section, std::string_view key,
                               std::string_view value, std::string_view path);

}  // namespace platform
