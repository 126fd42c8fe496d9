#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// The core's texts are UTF-8; these count, cut and read them by character, so that a code point
// is never split. A malformed sequence reads as U+FFFD.

// The code point that starts at text[i], moving i past it.
char32_t next_code_point(std::string_view text, std::size_t& i);

// The number of characters: "→" is one, as in every box's text.
std::size_t length_in_characters(std::string_view text);

// Where the last character begins (0 for an empty text): the text without it is text[0, that).
std::size_t last_character_start(std::string_view text);

}  // namespace platform
