// Finding the parts of an unpacked release below the folder the user picked: the
// release's subfolder and its version file. Paths are code page 932, as the file
// interface takes them; every folder is listed in the order the file system returns.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

class CLog;

namespace pages {

// The folder named `name` (letter case ignored) below `folder`, never `folder` itself.
// Depth first: a match inside a folder is preferred to the folder itself, and a match in
// an earlier listed folder to a later one. None when there is no such folder.
std::optional<std::string> CopyFolderSearch(platform::FileSystem& files, CLog& log, std::string_view folder,
                                            std::string_view name);

// The first file named exactly `file_name` (letter case counts) below `folder`, depth first.
std::optional<std::string> VerFileSearch(platform::FileSystem& files, CLog& log, std::string_view folder,
                                         std::string_view file_name);

// ASCII letters upper-cased, the second byte of a two-byte character left as it is.
std::string AnsiUpper(std::string_view text);

}  // namespace pages
