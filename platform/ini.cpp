#include "platform/ini.h"

#include <optional>
#include <vector>

#include "platform/text.h"

namespace platform {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Position of an ASCII character, skipping the trail bytes of two-byte characters
// (']' may be one); npos when absent.
size_t FindAscii(std::string_view text, char wanted) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsAnsiLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (text[i] == wanted) {
      return i;
    }
  }
  return std::string_view::npos;
}

// Equal regardless of ASCII letter case; the bytes of two-byte characters must match exactly.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (IsAnsiLeadByte(x)) {
      if (x != y || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

enum class LineKind { Blank, Comment, Section, Key, Malformed };

struct Line {
  size_t begin = 0;       // offset of the line in the file
  std::string_view text;  // without its line end
  std::string_view end;   // "\n", "\r\n" or "" for a last line without one
  LineKind kind = LineKind::Blank;
  std::string_view name;    // section or key name, trimmed
  std::string_view value;   // key value, trimmed
  size_t value_offset = 0;  // where the trimmed value starts within `text`
};

Line Classify(size_t begin, std::string_view text, std::string_view end) {
  Line line;
  line.begin = begin;
  line.text = text;
  line.end = end;
  std::string_view trimmed = Trim(text);
  if (trimmed.empty()) return line;
  if (trimmed.front() == ';') {
    line.kind = LineKind::Comment;
    return line;
  }
  if (trimmed.front() == '[') {
    size_t close = FindAscii(trimmed, ']');
    if (close == std::string_view::npos) {
      line.kind = LineKind::Malformed;
      return line;
    }
    line.kind = LineKind::Section;
    line.name = Trim(trimmed.substr(1, close - 1));
    return line;
  }
  size_t equals = FindAscii(text, '=');
  std::string_view name =
      equals == std::string_view::npos ? std::string_view() : Trim(text.substr(0, equals));
  if (name.empty()) {
    line.kind = LineKind::Malformed;  // no '=' or no key before it
    return line;
  }
  line.kind = LineKind::Key;
  line.name = name;
  size_t value_offset = equals + 1;
  while (value_offset < text.size() && IsBlank(text[value_offset])) ++value_offset;
  line.value_offset = value_offset;
  line.value = Trim(text.substr(value_offset));
  return line;
}

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  size_t start = 0;
  // A UTF-8 byte order mark from an editor is not part of the first line's name.
  if (content.substr(0, 3) == "\xEF\xBB\xBF") start = 3;
  while (start < content.size()) {
    size_t newline = content.find('\n', start);
    size_t stop = newline == std::string_view::npos ? content.size() : newline;
    size_t text_end = stop > start && content[stop - 1] == '\r' ? stop - 1 : stop;
    size_t next = newline == std::string_view::npos ? content.size() : newline + 1;
    lines.push_back(
        Classify(start, content.substr(start, text_end - start), content.substr(text_end, next - text_end)));
    start = next;
  }
  return lines;
}

struct Found {
  std::optional<size_t> section;  // index of the section's header line
  std::optional<size_t> key;      // index of the key's line
  size_t section_last = 0;        // last line of the section that is not blank
};

// The first section of that name, and the first line of that key inside it.
Found Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Found found;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::Section || !SameName(lines[i].name, section)) continue;
    found.section = i;
    found.section_last = i;
    for (size_t j = i + 1; j < lines.size() && lines[j].kind != LineKind::Section; ++j) {
      if (lines[j].kind == LineKind::Blank) continue;
      found.section_last = j;
      if (!found.key && lines[j].kind == LineKind::Key && SameName(lines[j].name, key)) found.key = j;
    }
    break;
  }
  return found;
}

// A value in matching quotes is read without them.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Cut to at most `limit` bytes without splitting a two-byte character.
std::string CutTo(std::string_view text, size_t limit) {
  size_t end = 0;
  while (end < text.size()) {
    size_t width = IsAnsiLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return std::string(text.substr(0, end));
}

bool HasAny(std::string_view text, std::string_view bytes) {
  return text.find_first_of(bytes) != std::string_view::npos;
}

}  // namespace

std::string GetPrivateProfileString(FileSystem& files, std::string_view section, std::string_view key,
                                    std::string_view default_value, size_t buffer_size,
                                    std::string_view path) {
  if (buffer_size == 0) return std::string();
  std::string_view result = default_value;
  std::optional<std::string> content = files.ReadAll(path);
  section = Trim(section);
  key = Trim(key);
  if (content && !section.empty() && !key.empty()) {
    std::vector<Line> lines = SplitLines(*content);
    Found found = Find(lines, section, key);
    if (found.key) return CutTo(Unquoted(lines[*found.key].value), buffer_size - 1);
  }
  return CutTo(result, buffer_size - 1);
}

bool WritePrivateProfileString(FileSystem& files, std::string_view section, std::string_view key,
                               std::string_view value, std::string_view path) {
  section = Trim(section);
  key = Trim(key);
  // Names and values that would change the shape of the file are refused.
  if (section.empty() || key.empty() || HasAny(section, std::string_view("\r\n\0", 3)) ||
      FindAscii(section, ']') != std::string_view::npos || HasAny(key, std::string_view("\r\n\0", 3)) ||
      FindAscii(key, '=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
      HasAny(value, std::string_view("\r\n\0", 3))) {
    return false;
  }

  std::string content;
  FileError error = FileError::None;
  File file = files.Open(path, Access::Read, Share::Read, Disposition::OpenExisting, &error);
  if (file.IsOpen()) {
    char buffer[8192];
    for (;;) {
      size_t got = 0;
      if (!file.Read(buffer, sizeof buffer, &got)) return false;
      if (got == 0) break;
      content.append(buffer, got);
    }
    file.Close();
  } else if (error != FileError::NotFound) {
    return false;  // never replace a file that could not be read
  }

  std::vector<Line> lines = SplitLines(content);
  std::string_view line_end = "\r\n";  // as new files are written
  for (const Line& line : lines) {
    if (!line.end.empty()) {
      line_end = line.end;
      break;
    }
  }
  const std::string key_line = std::string(key) + "=" + std::string(value);

  std::string updated;
  Found found = Find(lines, section, key);
  if (found.key) {
    const Line& line = lines[*found.key];
    updated = content.substr(0, line.begin + line.value_offset);
    updated += value;
    updated += line.end;
    updated += content.substr(line.begin + line.text.size() + line.end.size());
  } else if (found.section) {
    const Line& last = lines[found.section_last];
    size_t after = last.begin + last.text.size() + last.end.size();
    updated = content.substr(0, after);
    if (last.end.empty()) updated += line_end;
    updated += key_line;
    updated += line_end;
    updated += content.substr(after);
  } else {
    updated = content;
    if (!lines.empty() && lines.back().end.empty()) updated += line_end;
    updated += "[" + std::string(section) + "]";
    updated += line_end;
    updated += key_line;
    updated += line_end;
  }
  if (updated == content && error == FileError::None) return true;  // already holds the value
  return files.ReplaceWhole(path, updated);
}

}  // namespace platform
