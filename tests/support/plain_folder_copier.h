// A folder copier without a window: copies what a "folder\*.*" pattern names, folders
// included, into a destination through the program's file system, creating folders and
// replacing files without asking. Tests chain it behind the recording fake.
#pragma once

#include <string_view>

#include "platform/files.h"
#include "platform/shell.h"

namespace testing_support {

class PlainFolderCopier : public platform::FolderCopier {
 public:
  static constexpr int kFailed = 1;

  explicit PlainFolderCopier(platform::FileSystem& files) : files_(files) {}
  int Copy(std::string_view source_pattern, std::string_view destination) override;

 private:
  bool CopyFolder(const std::string& from, const std::string& to);
  bool EnsureFolder(const std::string& path);

  platform::FileSystem& files_;
};

}  // namespace testing_support
