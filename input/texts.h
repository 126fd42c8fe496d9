#pragma once

#include <string_view>

namespace input {

inline constexpr std::string_view new_window_message = "新しいKiruneが現れました。";
// After the place of a further window in the chain: "2 番目のウィンドウ".
inline constexpr std::string_view further_window_description = " 番目のウィンドウ";

// A fault that is not the calculator's own: shown in a critical box, and the program goes on.
inline constexpr std::string_view out_of_memory_message = "メモリが足りません。";
inline constexpr std::string_view internal_error_message = "内部エラーが発生しました。";

}  // namespace input
