#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace platform {

namespace {

// Ties are decided on the exact binary value, away from zero: 1000000000000005 gives
// "1.00000000000001E+15" where a half-to-even printer would say "1E+15". std::to_chars is
// exact and ignores the locale (printf would write "," as the point under de_DE), but it
// rounds ties to even, so the rounding at the last kept digit is ours.

// The most significant digits a double's exact decimal expansion can have is 767.
constexpr int exact_precision = 800;

// The significant digits of a value rounded to the wanted number of digits, without trailing
// zeros: the value is digits[0].digits[1..count) times ten to the exponent.
struct Rounded {
    char digits[exact_precision + 2];
    int count;
    int exponent;
};

// Reads to_chars' scientific text "d.ddde+xx" into digits and exponent; returns the count.
int split_scientific(const char* text, const char* end, char* digits, int& exponent) {
    int count = 0;
    const char* p = text;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.') {
            digits[count++] = *p;
        }
    }
    ++p;  // 'e'
    const bool negative = *p == '-';
    ++p;
    int value = 0;
    for (; p != end; ++p) {
        value = value * 10 + (*p - '0');
    }
    exponent = negative ? -value : value;
    return count;
}

void round_to(double magnitude, int precision, Rounded& out) {
    // Two more digits than kept settle every case but a tail printed as "50", which may be
    // an exact tie or a rounded 49.6 or 50.4; only then is the exact expansion needed.
    char text[64];
    auto printed = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                                 precision + 1);
    split_scientific(text, printed.ptr, out.digits, out.exponent);
    const int tail = (out.digits[precision] - '0') * 10 + (out.digits[precision + 1] - '0');
    bool up = tail > 50;
    if (tail == 50) {
        char exact[exact_precision + 16];
        printed = std::to_chars(exact, exact + sizeof exact, magnitude,
                                std::chars_format::scientific, exact_precision);
        split_scientific(exact, printed.ptr, out.digits, out.exponent);
        up = out.digits[precision] >= '5';
    }
    if (up) {
        int i = precision - 1;
        while (i >= 0 && out.digits[i] == '9') {
            out.digits[i--] = '0';
        }
        if (i < 0) {
            out.digits[0] = '1';  // 9.99...95 became 10.0...0
            ++out.exponent;
        } else {
            ++out.digits[i];
        }
    }
    out.count = precision;
    while (out.count > 1 && out.digits[out.count - 1] == '0') {
        --out.count;
    }
}

// The plain form is kept while it needs at most `precision` digits before or after the
// point: 0.000000000000015 stays plain, 1.5E-15 and 1/30000 (3.33333333333333E-05) do not.
// Every value shown is finite: results pass the overflow check before they are written.
std::string number_text(double value, int precision) {
    if (value == 0) {
        return "0";  // also -0
    }
    Rounded rounded;
    round_to(std::fabs(value), precision, rounded);
    const char* digits = rounded.digits;
    const int count = rounded.count;
    const int exponent = rounded.exponent;

    char text[64];
    char* p = text;
    if (value < 0) {
        *p++ = '-';
    }
    const bool exponent_form =
        exponent >= precision || (exponent < 0 && count - 1 - exponent > precision);
    if (exponent_form) {
        *p++ = digits[0];
        if (count > 1) {
            *p++ = '.';
            for (int i = 1; i < count; ++i) {
                *p++ = digits[i];
            }
        }
        *p++ = 'E';
        *p++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude >= 100) {
            *p++ = static_cast<char>('0' + magnitude / 100);
        }
        *p++ = static_cast<char>('0' + magnitude / 10 % 10);
        *p++ = static_cast<char>('0' + magnitude % 10);
    } else if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i) {
            *p++ = i < count ? digits[i] : '0';
        }
        if (count > exponent + 1) {
            *p++ = '.';
            for (int i = exponent + 1; i < count; ++i) {
                *p++ = digits[i];
            }
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        for (int i = -1; i > exponent; --i) {
            *p++ = '0';
        }
        for (int i = 0; i < count; ++i) {
            *p++ = digits[i];
        }
    }
    return std::string(text, p);
}

}  // namespace

std::string double_text(double value) {
    return number_text(value, 15);
}

// A float widens to a double exactly, so the ties are still judged on the Single's value.
std::string single_text(float value) {
    return number_text(static_cast<double>(value), 7);
}

std::string integer_text(std::int16_t value) {
    char text[8];
    const auto printed = std::to_chars(text, text + sizeof text, value);
    return std::string(text, printed.ptr);
}

}  // namespace platform
