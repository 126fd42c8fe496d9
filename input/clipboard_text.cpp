#include "input/clipboard_text.h"

#include "input/typed_character.h"
#include "platform/utf8.h"

namespace input {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// optional "-", digits with at most one ".", optional exponent E, sign, digits.
bool in_display_grammar(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') {
        ++i;
    }
    std::size_t digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (is_digit(s[i])) {
            ++digits;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i == s.size()) {
        return true;
    }
    if (s[i] != 'E' || i + 2 >= s.size() || (s[i + 1] != '+' && s[i + 1] != '-')) {
        return false;
    }
    for (i += 2; i < s.size(); ++i) {
        if (!is_digit(s[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::string> clipboard_number(std::string_view utf8) {
    if (utf8.size() > max_paste_length * 4) {
        return std::nullopt;
    }
    std::string ascii;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++characters) {
        // Full-width digits, point, signs and blanks are read as their ASCII forms.
        const char32_t c = ascii_form(platform::next_code_point(utf8, i));
        if (c >= 0x80) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(c));
    }
    if (characters > max_paste_length) {
        return std::nullopt;
    }
    const auto first = ascii.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const auto last = ascii.find_last_not_of(" \t\r\n");
    ascii = ascii.substr(first, last - first + 1);
    if (!in_display_grammar(ascii)) {
        return std::nullopt;
    }
    return ascii;
}

}  // namespace input
