#include "tests/platform/card_folder.h"

#include <algorithm>
#include <filesystem>

namespace platform_tests {

void CardFolder::MakeHostFolder(const std::string& relative) const {
  std::filesystem::create_directories(Host(relative));
}

bool CardFolder::HostExists(const std::string& relative) const {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(Host(relative), ignored));
}

std::vector<std::string> CardFolder::HostNames(const std::string& relative) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Host(relative))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace platform_tests
