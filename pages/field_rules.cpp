#include "pages/field_rules.h"

namespace pages {
namespace {

bool IsDigitOrControl(char16_t key) {
  return (key >= u'0' && key <= u'9') || key == kKeyBackspace || key == kKeyCopy || key == kKeyPaste;
}

}  // namespace

bool CoordinateKeyPasses(DmsPart part, char16_t key, std::u16string_view current_text) {
  if (IsDigitOrControl(key)) return true;
  return part == DmsPart::Seconds && key == u'.' && current_text.find(u'.') == std::u16string_view::npos;
}

bool MapCodeKeyPasses(char16_t key) {
  return IsDigitOrControl(key) || key == u'*';
}

bool PartOutOfRange(Axis axis, DmsPart part, double value) {
  if (part != DmsPart::Degrees) return value > 60;
  if (axis == Axis::Longitude) return value < 122 || value > 154;
  return value < 19 || value > 47;
}

std::string MapCodeCharacters(std::string_view ansi_text) {
  std::string kept;
  for (char c : ansi_text) {
    if ((c >= '0' && c <= '9') || c == '*') kept.push_back(c);
  }
  return kept;
}

}  // namespace pages
