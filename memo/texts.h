#pragma once

#include <string_view>

namespace memo {

inline constexpr std::string_view memo_prompt = "メモすることを書き込んでください";

}  // namespace memo
