#include "tests/support/plain_folder_copier.h"

#include <string>

namespace testing_support {

int PlainFolderCopier::Copy(std::string_view source_pattern, std::string_view destination) {
  std::string from(source_pattern);
  for (std::string_view tail : {"\\*.*", "\\*"}) {
    if (from.size() >= tail.size() && from.compare(from.size() - tail.size(), tail.size(), tail) == 0) {
      from.resize(from.size() - tail.size());
      break;
    }
  }
  return CopyFolder(from, std::string(destination)) ? 0 : kFailed;
}

bool PlainFolderCopier::EnsureFolder(const std::string& path) {
  if (auto attributes = files_.Attributes(path)) return (*attributes & platform::kAttributeDirectory) != 0;
  const size_t cut = path.find_last_of('\\');
  if (cut != std::string::npos && cut > 2 && !EnsureFolder(path.substr(0, cut))) return false;
  return files_.CreateFolder(path);
}

bool PlainFolderCopier::CopyFolder(const std::string& from, const std::string& to) {
  const auto entries = files_.List(from);
  if (!entries || !EnsureFolder(to)) return false;
  for (const platform::FolderEntry& entry : *entries) {
    const std::string source = from + "\\" + entry.name;
    const std::string target = to + "\\" + entry.name;
    if (entry.is_folder) {
      if (!CopyFolder(source, target)) return false;
      continue;
    }
    const auto bytes = files_.ReadAll(source);
    if (!bytes) return false;
    platform::File out = files_.Open(target, platform::Access::Write, platform::Share::None,
                                     platform::Disposition::CreateAlways);
    size_t written = 0;
    if (!out.IsOpen() || !out.Write(bytes->data(), bytes->size(), &written) || written != bytes->size())
      return false;
  }
  return true;
}

}  // namespace testing_support
