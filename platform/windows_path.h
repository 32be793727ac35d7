// Splits a program path ("E:\Navi\Data\MapCode.bin", code page 932) into its drive and
// names, refusing what no FAT volume could hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct WindowsPath {
  char drive = 0;                  // upper-case letter
  std::vector<std::string> names;  // UTF-8, from the root down; empty for the root itself
};

// Accepts "X:\a\b", "x:/a/b", "X:" and "X:a" (the last two rooted at X's root), and
// "\a\b" or "a\b" rooted at `current_drive`. Repeated and trailing separators are
// ignored; a backslash inside a two-byte character is part of the character. None for:
// an empty path, no drive (and no current one), "\\server\share" paths, "." or ".." names, a name that
// is not valid code page 932, or one holding a control character or one of <>:"|?*.
std::optional<WindowsPath> ParseWindowsPath(std::string_view path, char current_drive);

}  // namespace platform
