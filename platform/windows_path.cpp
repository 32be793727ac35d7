#include "platform/windows_path.h"

#include <cstring>

#include "platform/text.h"

namespace platform {
namespace {

char UpperDrive(char letter) {
  if (letter >= 'a' && letter <= 'z') return char(letter - 'a' + 'A');
  if (letter >= 'A' && letter <= 'Z') return letter;
  return 0;
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// Checked on the UTF-8 form, where every byte below 0x80 is the ASCII character itself.
bool IsAcceptableName(const std::string& utf8) {
  if (utf8 == "." || utf8 == "..") return false;
  for (unsigned char c : utf8) {
    if (c < 0x20 || c == 0x7F || std::strchr("<>:\"|?*", c) != nullptr) return false;
  }
  return true;
}

}  // namespace

std::optional<WindowsPath> ParseWindowsPath(std::string_view path, char current_drive) {
  WindowsPath parsed;
  if (path.empty()) return std::nullopt;
  std::string_view rest = path;
  if (rest.size() >= 2 && rest[1] == ':' && UpperDrive(rest[0]) != 0) {
    parsed.drive = UpperDrive(rest[0]);
    rest.remove_prefix(2);
  } else {
    if (rest.size() >= 2 && IsSeparator(rest[0]) && IsSeparator(rest[1])) return std::nullopt;
    parsed.drive = UpperDrive(current_drive);
  }
  if (parsed.drive == 0) return std::nullopt;

  std::string name;
  auto finish_name = [&]() {
    if (name.empty()) return true;
    if (!IsValidAnsi(name)) return false;
    std::string utf8 = AnsiToUtf8(name);
    name.clear();
    if (!IsAcceptableName(utf8)) return false;
    parsed.names.push_back(std::move(utf8));
    return true;
  };
  for (size_t i = 0; i < rest.size(); ++i) {
    char c = rest[i];
    if (IsAnsiLeadByte(static_cast<unsigned char>(c)) && i + 1 < rest.size()) {
      name.push_back(c);
      name.push_back(rest[++i]);  // the trail byte may be 0x5C and is no separator
      continue;
    }
    if (IsSeparator(c)) {
      if (!finish_name()) return std::nullopt;
      continue;
    }
    name.push_back(c);
  }
  if (!finish_name()) return std::nullopt;
  return parsed;
}

}  // namespace platform
