#include "platform/volumes.h"

#include <sys/stat.h>

#include <utility>

namespace platform {
namespace {

// 'a'..'z' and 'A'..'Z' give the upper-case letter; anything else gives 0.
char DriveLetter(char letter) {
  if (letter >= 'a' && letter <= 'z') return char(letter - 'a' + 'A');
  if (letter >= 'A' && letter <= 'Z') return letter;
  return 0;
}

bool SameVolume(const Volume& a, const Volume& b) {
  return a.host_root == b.host_root && a.type == b.type && a.file_system == b.file_system &&
         a.label == b.label && a.serial == b.serial;
}

std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

bool VolumeTable::Attach(char letter, Volume volume) {
  letter = DriveLetter(letter);
  if (letter == 0 || volumes_.count(letter) != 0) return false;
  volume.host_root = WithoutTrailingSlashes(std::move(volume.host_root));
  volumes_[letter] = Entry{std::move(volume), false};
  return true;
}

char VolumeTable::AttachFolder(const std::string& host_folder, char preferred, std::string label,
                               uint32_t serial) {
  struct stat info;
  if (host_folder.empty() || stat(host_folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return 0;
  Volume volume;
  volume.host_root = host_folder;
  volume.type = DriveType::Removable;
  volume.file_system = "FAT32";
  volume.label = std::move(label);
  volume.serial = serial;
  char letter = DriveLetter(preferred);
  if (letter != 0 && Attach(letter, volume)) return letter;
  for (letter = 'E'; letter <= 'Z'; ++letter) {
    if (Attach(letter, volume)) return letter;
  }
  return 0;
}

bool VolumeTable::Detach(char letter) {
  letter = DriveLetter(letter);
  if (letter == 0 || volumes_.erase(letter) == 0) return false;
  if (current_ == letter) current_ = 0;
  NotifyRemoval(letter);
  return true;
}

uint32_t VolumeTable::LogicalDrives() const {
  uint32_t mask = 0;
  for (const auto& [letter, entry] : volumes_) mask |= uint32_t{1} << (letter - 'A');
  return mask;
}

const Volume* VolumeTable::Find(char letter) const {
  auto found = volumes_.find(DriveLetter(letter));
  return found == volumes_.end() ? nullptr : &found->second.volume;
}

DriveType VolumeTable::TypeOfRoot(const std::string& root) const {
  // "E:\", also "E:" and "E:/"; the letter in either case.
  bool shape_ok = (root.size() == 2 || (root.size() == 3 && (root[2] == '\\' || root[2] == '/'))) &&
                  root[1] == ':' && DriveLetter(root[0]) != 0;
  if (!shape_ok) return DriveType::NoRootDir;
  const Volume* volume = Find(root[0]);
  return volume == nullptr ? DriveType::NoRootDir : volume->type;
}

void VolumeTable::OnRemoval(RemovalListener listener) {
  if (listener) listeners_.push_back(std::move(listener));
}

void VolumeTable::ReplaceHostVolumes(const std::map<char, Volume>& given) {
  std::map<char, Volume> host_volumes;
  for (const auto& [raw_letter, volume] : given) {
    char letter = DriveLetter(raw_letter);
    if (letter == 0) continue;
    Volume copy = volume;
    copy.host_root = WithoutTrailingSlashes(std::move(copy.host_root));
    host_volumes.emplace(letter, std::move(copy));
  }
  std::vector<char> removed;
  for (auto it = volumes_.begin(); it != volumes_.end();) {
    if (!it->second.from_host) {
      ++it;
      continue;
    }
    auto replacement = host_volumes.find(it->first);
    if (replacement != host_volumes.end() && SameVolume(replacement->second, it->second.volume)) {
      ++it;
      continue;
    }
    // Gone, or another volume took its letter: either way the old one was removed.
    removed.push_back(it->first);
    if (current_ == it->first) current_ = 0;
    it = volumes_.erase(it);
  }
  for (auto& [letter, volume] : host_volumes) {
    if (volumes_.count(letter) != 0) continue;  // attached folders keep their letter
    volumes_[letter] = Entry{std::move(volume), true};
  }
  for (char letter : removed) NotifyRemoval(letter);
}

void VolumeTable::NotifyRemoval(char letter) {
  // A listener may add listeners or change the table; work on a copy.
  std::vector<RemovalListener> listeners = listeners_;
  for (const auto& listener : listeners) listener(letter);
}

}  // namespace platform
