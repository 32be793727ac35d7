#include "pages/number_text.h"

#include <charconv>
#include <limits>
#include <string>

namespace pages {
namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Length of the decimal number at the start of `text` (sign, digits, one '.', an
// exponent with at least one digit), 0 when there is none.
size_t DecimalPrefixLength(std::u16string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == u'.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) ++j;
    size_t exponent_digits = 0;
    while (j < text.size() && IsDigit(text[j])) ++j, ++exponent_digits;
    if (exponent_digits > 0) i = j;
  }
  return i;
}

// Converts a prefix already known to be a decimal number (ASCII only).
double ConvertDecimal(std::u16string_view number) {
  std::string ascii;
  ascii.reserve(number.size());
  for (char16_t c : number) ascii.push_back(static_cast<char>(c));
  size_t start = (ascii[0] == '+' || ascii[0] == '-') ? 1 : 0;
  double value = 0.0;
  auto result = std::from_chars(ascii.data() + start, ascii.data() + ascii.size(), value);
  if (result.ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::infinity();
  return ascii[0] == '-' ? -value : value;
}

}  // namespace

std::optional<int> ReadWholeNumber(std::u16string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    value = value * 10 + (text[i] - u'0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<double> ReadDecimalNumber(std::u16string_view text) {
  size_t length = DecimalPrefixLength(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  return ConvertDecimal(text);
}

double ReadLeadingDecimal(std::u16string_view text) {
  size_t start = 0;
  while (start < text.size() && (text[start] == u' ' || text[start] == u'\t')) ++start;
  std::u16string_view rest = text.substr(start);
  size_t length = DecimalPrefixLength(rest);
  return length == 0 ? 0.0 : ConvertDecimal(rest.substr(0, length));
}

}  // namespace pages
