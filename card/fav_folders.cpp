#include "card/fav_folders.h"

namespace card {

void CFavFolderOpen::Open(std::string_view root) {
  names_.clear();
  const size_t slash = root.rfind('\\');
  names_.emplace_back(slash == std::string_view::npos ? root : root.substr(slash + 1));

  const auto entries = files_.List(root);
  if (!entries) return;
  for (const platform::FolderEntry& entry : *entries) {
    if (GetCount() == kFavFolderCapacity) break;
    if (!entry.is_folder || entry.name.empty() || entry.name[0] == '.') continue;
    if (entry.name.size() > kFavFolderNameLimit) continue;
    names_.push_back(entry.name);
  }
}

const std::string* CFavFolderOpen::GetItem(int index) const {
  return index >= 0 && index < GetCount() ? &names_[index] : nullptr;
}

}  // namespace card
