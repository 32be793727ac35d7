#include "platform/text.h"

#include <errno.h>
#include <iconv.h>

#include <cstdint>
#include <vector>

namespace platform {
namespace {

constexpr char16_t kUndecodable = u'\u30FB';  // what the system shows for bytes it cannot read
constexpr char32_t kReplacement = U'\uFFFD';

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Splits UTF-16 into code points; an unpaired surrogate becomes `unpaired`.
std::vector<char32_t> CodePoints(std::u16string_view text, char32_t unpaired) {
  std::vector<char32_t> points;
  points.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      points.push_back(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      points.push_back(unpaired);
    } else {
      points.push_back(unit);
    }
  }
  return points;
}

void AppendUtf16(std::u16string& out, char32_t point) {
  if (point >= 0x10000) {
    point -= 0x10000;
    out.push_back(char16_t(0xD800 + (point >> 10)));
    out.push_back(char16_t(0xDC00 + (point & 0x3FF)));
  } else {
    out.push_back(char16_t(point));
  }
}

// One conversion descriptor per call: no state is shared between calls or threads.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; on return *in/*in_left point at the first byte it
  // could not convert (or the end). Returns the errno of the stop, or 0.
  int Convert(const char** in, size_t* in_left, std::string& out) {
    char buffer[256];
    while (*in_left > 0) {
      char* out_ptr = buffer;
      size_t out_left = sizeof buffer;
      size_t result = iconv(cd_, const_cast<char**>(in), in_left, &out_ptr, &out_left);
      out.append(buffer, out_ptr - buffer);
      if (result != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
      return errno;
    }
    return 0;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string WideToAnsi(std::u16string_view text) {
  std::vector<char32_t> points = CodePoints(text, U'?');
  std::string out;
  out.reserve(text.size() * 2);
  Converter converter("CP932", "UTF-32LE");
  if (!converter.ok()) {
    for (char32_t point : points) out.push_back(point < 0x80 ? char(point) : '?');
    return out;
  }
  std::vector<char> bytes;
  bytes.reserve(points.size() * 4);
  for (char32_t point : points) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(char((point >> shift) & 0xFF));
  }
  const char* in = bytes.data();
  size_t in_left = bytes.size();
  while (in_left > 0) {
    if (converter.Convert(&in, &in_left, out) == 0) break;
    // A character that code page 932 cannot hold: skip it and put '?' in its place.
    out.push_back('?');
    size_t skip = in_left < 4 ? in_left : 4;
    in += skip;
    in_left -= skip;
  }
  return out;
}

std::u16string AnsiToWide(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  Converter converter("UTF-16LE", "CP932");
  if (!converter.ok()) {
    for (unsigned char byte : text) out.push_back(byte < 0x80 ? char16_t(byte) : kUndecodable);
    return out;
  }
  const char* in = text.data();
  size_t in_left = text.size();
  std::string utf16;
  while (in_left > 0) {
    if (converter.Convert(&in, &in_left, utf16) == 0) break;
    // An undecodable byte (or a lead byte without its trail byte): one U+30FB for it,
    // then go on with the next byte.
    utf16.push_back(char(kUndecodable & 0xFF));
    utf16.push_back(char(kUndecodable >> 8));
    ++in;
    --in_left;
  }
  for (size_t i = 0; i + 1 < utf16.size(); i += 2) {
    out.push_back(char16_t(uint8_t(utf16[i]) | (uint8_t(utf16[i + 1]) << 8)));
  }
  return out;
}

bool IsAnsiLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsValidAnsi(std::string_view text) {
  Converter converter("UTF-16LE", "CP932");
  if (!converter.ok()) return false;
  const char* in = text.data();
  size_t in_left = text.size();
  std::string ignored;
  return converter.Convert(&in, &in_left, ignored) == 0;
}

std::u16string Utf8ToWide(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    uint8_t lead = uint8_t(text[i]);
    int length = 0;
    char32_t point = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      length = 1, point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, point = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, point = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, point = lead & 0x07, minimum = 0x10000;
    }
    bool valid = length > 0 && i + length <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      uint8_t next = uint8_t(text[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      point = (point << 6) | (next & 0x3F);
    }
    if (valid && (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))) {
      valid = false;
    }
    if (!valid) {
      // One replacement character for each byte that does not start a valid sequence.
      out.push_back(char16_t(kReplacement));
      ++i;
      continue;
    }
    AppendUtf16(out, point);
    i += length;
  }
  return out;
}

std::string WideToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (char32_t point : CodePoints(text, kReplacement)) {
    if (point < 0x80) {
      out.push_back(char(point));
    } else if (point < 0x800) {
      out.push_back(char(0xC0 | (point >> 6)));
      out.push_back(char(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
      out.push_back(char(0xE0 | (point >> 12)));
      out.push_back(char(0x80 | ((point >> 6) & 0x3F)));
      out.push_back(char(0x80 | (point & 0x3F)));
    } else {
      out.push_back(char(0xF0 | (point >> 18)));
      out.push_back(char(0x80 | ((point >> 12) & 0x3F)));
      out.push_back(char(0x80 | ((point >> 6) & 0x3F)));
      out.push_back(char(0x80 | (point & 0x3F)));
    }
  }
  return out;
}

std::string AnsiToUtf8(std::string_view text) {
  return WideToUtf8(AnsiToWide(text));
}
std::string Utf8ToAnsi(std::string_view text) {
  return WideToAnsi(Utf8ToWide(text));
}

}  // namespace platform
