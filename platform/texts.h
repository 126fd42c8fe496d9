#pragma once

#include <string_view>

namespace platform {

// What the critical box says for each run-time fault.
inline constexpr std::string_view division_by_zero_message = "0 で割ることはできません。";
inline constexpr std::string_view overflow_message = "数が大きすぎます。";
inline constexpr std::string_view invalid_argument_message = "負の数の平方根は求められません。";

// What screen readers call the display.
inline constexpr std::string_view display_name = "表示";

// The buttons of the memo's input box, the same on every platform whatever the user's locale.
inline constexpr std::string_view ok_button_text = "OK";
inline constexpr std::string_view cancel_button_text = "キャンセル";

}  // namespace platform
