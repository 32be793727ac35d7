#include "platform/host/mount_table.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform::host {
namespace {

std::vector<std::string_view> SplitSpaces(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    size_t end = line.find(' ', pos);
    if (end == std::string_view::npos) end = line.size();
    if (end > pos) fields.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  return fields;
}

bool IsOctal(char c) {
  return c >= '0' && c <= '7';
}

// The kernel writes space, tab, newline and backslash in names as \ooo.
std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
        IsOctal(field[i + 3])) {
      out.push_back(
          static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(field[i]);
    }
  }
  return out;
}

bool ParseDeviceNumbers(std::string_view field, unsigned* major, unsigned* minor) {
  const size_t colon = field.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon + 1 >= field.size()) return false;
  unsigned values[2] = {0, 0};
  std::string_view parts[2] = {field.substr(0, colon), field.substr(colon + 1)};
  for (int p = 0; p < 2; ++p) {
    if (parts[p].size() > 9) return false;
    for (char c : parts[p]) {
      if (c < '0' || c > '9') return false;
      values[p] = values[p] * 10 + static_cast<unsigned>(c - '0');
    }
  }
  *major = values[0];
  *minor = values[1];
  return true;
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
  std::vector<MountEntry> entries;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::vector<std::string_view> fields = SplitSpaces(text.substr(start, end - start));
    start = end + 1;
    // id parent major:minor root mount-point options [optional fields...] - type source super-options
    size_t separator = 6;
    while (separator < fields.size() && fields[separator] != "-") ++separator;
    if (fields.size() < 7 || separator + 2 >= fields.size()) continue;
    MountEntry entry;
    if (!ParseDeviceNumbers(fields[2], &entry.major, &entry.minor)) continue;
    entry.root = Unescape(fields[3]);
    entry.mount_point = Unescape(fields[4]);
    entry.fs_type = Unescape(fields[separator + 1]);
    entry.source = Unescape(fields[separator + 2]);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::optional<std::string> ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return content.str();
}

}  // namespace platform::host
