#pragma once

#include <string_view>

namespace engine {

// The names the operator chain stores in op_mark and pending_op. Compared as whole,
// case-sensitive texts.
inline constexpr std::string_view tasu = "tasu";      // add
inline constexpr std::string_view hiku = "hiku";      // subtract
inline constexpr std::string_view kakeru = "kakeru";  // multiply
inline constexpr std::string_view waru = "waru";      // divide

}  // namespace engine
