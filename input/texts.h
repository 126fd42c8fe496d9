#pragma once

#include <string_view>

namespace input {

inline constexpr std::string_view new_window_message = "新しいKiruneが現れました。";

}  // namespace input
