#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Number texts by the old runtime's rules, which the display depends on: every text the
// program writes reads back as the number it shows. The decimal point is always ".",
// whatever the user's locale.

// A Double with 15 significant digits, ties away from zero, no trailing zeros;
// exponent form ("1E+15", "5.6789E-12") where the plain form would not fit 15 digits.
std::string double_text(double value);

// A Single, by the same rules with 7 significant digits.
std::string single_text(float value);

// A 16-bit Integer.
std::string integer_text(std::int16_t value);

// The leading number of a text, as the display is read: blanks anywhere are skipped, the
// first character that cannot continue the number ends it, no number at all reads 0.
// Throws RuntimeError(overflow) for a number beyond the double range.
double leading_number(std::string_view text);

}  // namespace platform
