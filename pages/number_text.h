// How the page handlers read the numbers that the user typed (or pasted) into a field.
#pragma once

#include <optional>
#include <string_view>

namespace pages {

// A whole number with an optional sign and nothing else, as the register reads degree
// and minute texts. None for anything else, an empty text or a value beyond 32 bits.
std::optional<int> ReadWholeNumber(std::u16string_view text);

// A decimal number ("12", "0.5", ".5", "-3.25", "1e2") and nothing else, as the field
// checks read a coordinate part. None when the text is not such a number.
std::optional<double> ReadDecimalNumber(std::u16string_view text);

// The seconds text at register: the longest leading decimal number after any leading
// blanks, 0 when the text does not start with one ("12.5x" gives 12.5, "x" gives 0).
double ReadLeadingDecimal(std::u16string_view text);

}  // namespace pages
