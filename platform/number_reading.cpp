#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

#include "platform/runtime_error.h"

namespace platform {

namespace {

// Enough significant digits to round any double correctly, plus a sticky digit for the rest,
// so that a megabyte of digits costs one pass and a fixed buffer.
constexpr std::size_t kept_digits = 800;
// Exponents beyond this are already far outside the double range; saturating keeps the
// arithmetic in range for any length of exponent digits.
constexpr std::int64_t exponent_cap = 1'000'000'000;

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_exponent_letter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// A decimal number collected digit by digit as 0.digits times ten to the point position
// plus the exponent. Leading zeros only move the point.
class Decimal {
public:
    void add_digit(char c, bool after_point) {
        if (kept == 0 && c == '0') {
            if (after_point) {
                --point_position;
            }
            return;
        }
        if (!after_point) {
            ++point_position;
        }
        if (kept < kept_digits) {
            digits[kept++] = c;
        } else if (c != '0') {
            dropped_nonzero = true;
        }
    }

    void add_exponent_digit(char c) {
        if (exponent < exponent_cap) {
            exponent = exponent * 10 + (c - '0');
        }
    }

    double value(bool negative, bool negative_exponent) const {
        if (kept == 0) {
            return 0.0;  // "-0" reads as plain 0
        }
        // The value lies in [10^(scale - 1), 10^scale).
        const std::int64_t scale = point_position + (negative_exponent ? -exponent : exponent);
        if (scale > 309) {
            throw RuntimeError(ErrorKind::overflow);
        }
        if (scale < -330) {
            return 0.0;
        }
        char text[kept_digits + 32];
        char* p = text;
        *p++ = '0';
        *p++ = '.';
        for (std::size_t i = 0; i < kept; ++i) {
            *p++ = digits[i];
        }
        if (dropped_nonzero) {
            *p++ = '1';
        }
        *p++ = 'e';
        p = std::to_chars(p, text + sizeof text, scale).ptr;
        double result = 0;
        // from_chars ignores the locale, unlike strtod: the point is "." under de_DE too.
        const auto read = std::from_chars(text, p, result);
        if (read.ec == std::errc::result_out_of_range) {
            if (scale > 0) {
                throw RuntimeError(ErrorKind::overflow);
            }
            return 0.0;
        }
        if (std::isinf(result)) {
            throw RuntimeError(ErrorKind::overflow);
        }
        return negative ? -result : result;
    }

private:
    char digits[kept_digits];
    std::size_t kept = 0;
    bool dropped_nonzero = false;
    std::int64_t point_position = 0;
    std::int64_t exponent = 0;
};

}  // namespace

// Blanks are skipped even between digits ("1 2" reads 12), and an exponent letter without
// digits counts as E+0 ("1E" reads 1): the old runtime read the display this way.
double leading_number(std::string_view text) {
    std::size_t i = 0;
    const auto next = [&]() {
        while (i < text.size() && is_blank(text[i])) {
            ++i;
        }
        return i < text.size() ? text[i] : '\0';
    };

    char c = next();
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        ++i;
        c = next();
    }
    Decimal number;
    bool after_point = false;
    for (;; c = next()) {
        if (is_digit(c)) {
            number.add_digit(c, after_point);
        } else if (c == '.' && !after_point) {
            after_point = true;  // a second point ends the number
        } else {
            break;
        }
        ++i;
    }
    bool negative_exponent = false;
    if (is_exponent_letter(c)) {
        ++i;
        c = next();
        if (c == '+' || c == '-') {
            negative_exponent = c == '-';
            ++i;
            c = next();
        }
        while (is_digit(c)) {
            number.add_exponent_digit(c);
            ++i;
            c = next();
        }
    }
    return number.value(negative, negative_exponent);
}

}  // namespace platform
