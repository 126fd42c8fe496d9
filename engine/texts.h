#pragma once

#include <string_view>

namespace engine {

// Texts of the base conversions' message boxes.
inline constexpr std::string_view decimal_title = "Kirune（十進法）";
inline constexpr std::string_view binary_title = "Kirune（二進法）";
inline constexpr std::string_view conversion_arrow = "→";
inline constexpr std::string_view nine_digits_message = "9桁以下にしてください。";
inline constexpr std::string_view binary_digits_message = "0 と 1 だけの整数にしてください。";

}  // namespace engine
