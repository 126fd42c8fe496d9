#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace input {

// The longest clipboard text a paste looks at; anything longer is refused unread.
inline constexpr std::size_t max_paste_length = 64;

// The clipboard text as one number in the display's own grammar, or nullopt when it is
// anything else. Full-width digits, point, plus and minus become ASCII and surrounding blanks
// go; what is left must be: an optional "-", digits with at most one ".", and an optional
// exponent "E+nn"/"E-nn". So "  １２.５０ " gives "12.50", while "1,000", "1 2", "abc" and ""
// are refused.
std::optional<std::string> clipboard_number(std::string_view utf8);

}  // namespace input
