#include "card/device_search.h"

#include <cstdio>

#include "log/log.h"

namespace card {

namespace {

constexpr size_t kMaxPath = 259;
constexpr size_t kLabelBuffer = 1024;
constexpr size_t kFileSystemBuffer = 30;

std::string CutTo(const std::string& text, size_t buffer_size) {
  return text.size() < buffer_size ? text : text.substr(0, buffer_size - 1);
}

std::string RootOf(char letter) {
  return std::string(1, letter) + ":\\";
}

}  // namespace

int CopyDirAllToWinCe(platform::FileSystem& files, std::string_view folder, std::string_view extra) {
  GetLog().Trace("CopyDirAllToWinCe.....\n");
  std::string pattern(folder);
  pattern += "\\*";
  auto entries = files.List(folder);
  if (!entries) return 0;
  GetLog().Trace("%s : szDirAll.....\n", pattern.c_str());
  for (const platform::FolderEntry& entry : *entries) {
    GetLog().Trace("%s : wfd.cFileName.....\n", entry.name.c_str());
    if (entry.name == "." || entry.name == "..") continue;
    if (entry.is_folder) {
      std::string inner(folder);
      inner += '\\';
      inner += entry.name;
      if (inner.size() > kMaxPath) continue;
      if (CopyDirAllToWinCe(files, inner, extra) == 1) return 1;
    } else if (entry.name == "Navi.exe") {
      return 1;
    }
  }
  return 0;
}

std::string GetDrvNameString(const platform::VolumeTable& volumes, char letter) {
  const platform::Volume* volume = volumes.Find(letter);
  return volume ? CutTo(volume->label, kLabelBuffer) : std::string();
}

std::string GetDrvSerialString(const platform::VolumeTable& volumes, char letter) {
  const platform::Volume* volume = volumes.Find(letter);
  char text[9];
  std::snprintf(text, sizeof text, "%08X", volume ? static_cast<unsigned>(volume->serial) : 0u);
  return text;
}

std::string GetDrvFileSystemString(const platform::VolumeTable& volumes, char letter) {
  const platform::Volume* volume = volumes.Find(letter);
  return volume ? CutTo(volume->file_system, kFileSystemBuffer) : std::string();
}

std::vector<char> FindDeviceCards(platform::FileSystem& files) {
  platform::VolumeTable& volumes = files.Volumes();
  std::vector<char> cards;
  const uint32_t mask = volumes.LogicalDrives();
  GetLog().Trace("%d  --------  Drive GetLogicalDrives()\n", static_cast<int>(mask));
  for (int bit = 0; bit < 26; ++bit) {
    if ((mask & (1u << bit)) == 0) continue;
    const char letter = static_cast<char>('A' + bit);
    const std::string root = RootOf(letter);
    GetLog().Trace("%d  --------  Drive GetLogicalDrives()\n", static_cast<int>(mask >> bit));
    GetLog().Trace("%s  --------  Drive Search\n", root.c_str());
    if (letter == 'A' || letter == 'B') continue;

    const platform::DriveType type = volumes.TypeOfRoot(root);
    GetLog().Trace("%d  --------  Drive GetDriveType()\n", static_cast<int>(type));
    const std::string file_system = GetDrvFileSystemString(volumes, letter);
    GetLog().Trace("%s  --------  GetDrvFileSystemString()\n", file_system.c_str());
    GetLog().Trace("%s  --------  GetDrvSerialString()\n", GetDrvSerialString(volumes, letter).c_str());
    GetLog().Trace("%s  --------  GetDrvNameString()\n", GetDrvNameString(volumes, letter).c_str());

    if (type != platform::DriveType::Removable) continue;
    if (file_system != "FAT" && file_system != "FAT32") continue;
    const std::string drive = std::string(1, letter) + ":";
    if (CopyDirAllToWinCe(files, drive, "0") != 1) continue;
    cards.push_back(letter);
    GetLog().Trace("%s  --------  Drive Search\n", drive.c_str());
  }
  return cards;
}

}  // namespace card
