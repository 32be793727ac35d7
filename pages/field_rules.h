// The rules of the coordinate and map code fields that need no window: which typed keys
// pass, when a typed part is out of range, and what of a map code text is converted.
#pragma once

#include <string>
#include <string_view>

namespace pages {

// The key codes the fields treat specially.
inline constexpr char16_t kKeyCopy = 3;  // Ctrl+C
inline constexpr char16_t kKeyBackspace = 8;
inline constexpr char16_t kKeyEnter = 13;
inline constexpr char16_t kKeyPaste = 22;  // Ctrl+V

// Fields whose names contain N hold the longitude, those with E the latitude.
enum class Axis { Longitude, Latitude };
enum class DmsPart { Degrees, Minutes, Seconds };

// Whether a key typed into a degree, minute or seconds field reaches the text. Enter is
// not decided here: it runs the field's check and is then passed on.
bool CoordinateKeyPasses(DmsPart part, char16_t key, std::u16string_view current_text);

// Whether a key typed into a map code field reaches the text (Enter as above).
bool MapCodeKeyPasses(char16_t key);

// The field check's range: degrees against the valid area of their axis, minutes and
// seconds only above 60 (there is no lower test).
bool PartOutOfRange(Axis axis, DmsPart part, double value);

// A map code field accepts up to this many characters.
inline constexpr size_t kMapCodeMaxLength = 20;

// The characters of a map code text that the conversion reads: its digits and '*', in order.
std::string MapCodeCharacters(std::string_view ansi_text);

}  // namespace pages
