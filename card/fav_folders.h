// The list of favorites folders: the fixed folder (the favorites root itself) first,
// then the root's subfolders in listing order, at most 50 in all.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace card {

constexpr int kFavFolderCapacity = 50;
// A folder name longer than this cannot be held and is not listed.
constexpr size_t kFavFolderNameLimit = 259;

class CFavFolderOpen {
 public:
  explicit CFavFolderOpen(platform::FileSystem& files) : files_(files) {}

  // Rebuilds the list from `root` (code page 932). Entry 0 is the root's last path
  // component; subfolders whose names begin with "." and plain files are left out.
  void Open(std::string_view root);

  int GetCount() const { return static_cast<int>(names_.size()); }
  // The name of entry `index`, or null when the index is not below the count.
  const std::string* GetItem(int index) const;

 private:
  platform::FileSystem& files_;
  std::vector<std::string> names_;
};

}  // namespace card
