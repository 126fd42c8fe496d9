#pragma once

#include <string_view>

namespace platform {

// The program's name is also every window's caption and every box's title.
inline constexpr std::string_view program_name = "Kirune";
inline constexpr std::string_view program_version = "1.00";
inline constexpr std::string_view program_comment = "そこでとまれ！";

}  // namespace platform
