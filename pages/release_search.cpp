#include "pages/release_search.h"

#include <string>

#include "log/log.h"
#include "platform/text.h"

namespace pages {

std::string AnsiUpper(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    const auto byte = static_cast<unsigned char>(out[i]);
    if (platform::IsAnsiLeadByte(byte)) {
      ++i;  // the trail byte may look like a letter
    } else if (byte >= 'a' && byte <= 'z') {
      out[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return out;
}

std::optional<std::string> CopyFolderSearch(platform::FileSystem& files, CLog& log, std::string_view folder,
                                            std::string_view name) {
  log.Trace("CopyFolderSearch.....\n");
  const std::string pattern = std::string(folder) + "\\*";
  const auto entries = files.List(pattern);
  if (!entries) return std::nullopt;
  log.Trace("%s : szDirAll.....\n", pattern.c_str());
  const std::string wanted = AnsiUpper(name);
  for (const platform::FolderEntry& entry : *entries) {
    log.Trace("%s : wfd.cFileName.....\n", entry.name.c_str());
    if (!entry.is_folder) continue;
    const std::string path = std::string(folder) + "\\" + entry.name;
    if (auto inner = CopyFolderSearch(files, log, path, name)) return inner;
    if (AnsiUpper(entry.name) == wanted) return path;
  }
  return std::nullopt;
}

std::optional<std::string> VerFileSearch(platform::FileSystem& files, CLog& log, std::string_view folder,
                                         std::string_view file_name) {
  log.Trace("VerFileSearch.....\n");
  const auto entries = files.List(std::string(folder) + "\\*");
  if (!entries) return std::nullopt;
  for (const platform::FolderEntry& entry : *entries) {
    log.Trace("%s : wfd.cFileName.....\n", entry.name.c_str());
    const std::string path = std::string(folder) + "\\" + entry.name;
    if (entry.is_folder) {
      if (auto inner = VerFileSearch(files, log, path, file_name)) return inner;
    } else if (entry.name == file_name) {
      return path;
    }
  }
  return std::nullopt;
}

}  // namespace pages
