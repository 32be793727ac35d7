// Finding the device's cards among the drives: a removable FAT or FAT32 drive, other
// than A: and B:, that holds a file named exactly "Navi.exe" in any folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/volumes.h"

namespace card {

// 1 when a file named "Navi.exe" (exact bytes) lies anywhere below `folder` ("E:" for a
// whole drive), else 0. Depth first, in listing order, stopping at the first match.
// `extra` is handed on unchanged to the inner searches; callers pass "0". Folders whose
// path would not fit a 259-byte path are not entered, which also ends any loop.
int CopyDirAllToWinCe(platform::FileSystem& files, std::string_view folder, std::string_view extra);

// Volume information of a drive letter; empty texts (and serial "00000000") when the
// letter has no volume. The label is cut to 1023 bytes and the file system name to 29,
// as the fixed buffers of the volume query hold them.
std::string GetDrvNameString(const platform::VolumeTable& volumes, char letter);
std::string GetDrvSerialString(const platform::VolumeTable& volumes, char letter);  // 8 upper-case hex digits
std::string GetDrvFileSystemString(const platform::VolumeTable& volumes, char letter);

// The letters of every drive that is a device card, ascending, with the search's trace
// lines (drive mask, each drive's root, type and volume information, and "E:" for each
// card found). The caller writes its own opening line and fills the drive selector.
std::vector<char> FindDeviceCards(platform::FileSystem& files);

}  // namespace card
