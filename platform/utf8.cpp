#include "platform/utf8.h"

namespace platform {

namespace {

bool continues(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U;
}

}  // namespace

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
        if (i >= text.size() || !continues(text[i])) {
            return U'\uFFFD';
        }
        code = (code << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return code;
}

std::size_t length_in_characters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if (!continues(c)) {
            ++count;
        }
    }
    return count;
}

std::size_t last_character_start(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    std::size_t start = text.size() - 1;
    while (start > 0 && continues(text[start])) {
        --start;
    }
    return start;
}

}  // namespace platform
