#include "input/clipboard_text.h"

#include "input/key_map.h"

namespace input {

namespace {

// Decodes one UTF-8 sequence; returns the code point and advances, or U+FFFD on a bad byte.
char32_t next_code_point(std::string_view text, std::size_t& i) {
    const auto byte = static_cast<unsigned char>(text[i++]);
    if (byte < 0x80) {
        return byte;
    }
    int extra = 0;
    char32_t code = 0;
    if ((byte & 0xE0) == 0xC0) {
        extra = 1;
        code = byte & 0x1F;
    } else if ((byte & 0xF0) == 0xE0) {
        extra = 2;
        code = byte & 0x0F;
    } else if ((byte & 0xF8) == 0xF0) {
        extra = 3;
        code = byte & 0x07;
    } else {
        return U'\uFFFD';
    }
    for (; extra > 0; --extra) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return U'\uFFFD';
        }
        code = (code << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return code;
}

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
        const char32_t c = ascii_form(next_code_point(utf8, i));
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
