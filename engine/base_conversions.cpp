#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/calculator.h"
#include "engine/texts.h"
#include "platform/number_text.h"
#include "platform/utf8.h"

namespace engine {

namespace {

// The pieces of a result are joined with nothing between them: "101→5".
std::string conversion_message(std::string_view from, std::string_view to) {
    std::string message(from);
    message += conversion_arrow;
    message += to;
    return message;
}

bool is_binary_numeral(std::string_view text) {
    return text.find_first_not_of("01") == std::string_view::npos;
}

}  // namespace

// Binary numeral to decimal, shown in a box; the display keeps the plain text of its
// absolute value (-101 stays as 101). Only the digits 0 and 1 are read: a point, an exponent
// form or a digit 2 to 9 gets the message instead of a result.
void Calculator::binary_to_decimal() {
    const double x = display_value();
    // Written before the digits are checked, on purpose: the display shows the absolute value
    // in its plain form whether or not it turns out to be a binary numeral.
    Text1.set_text(platform::double_text(std::fabs(x)));
    const std::string text = Text1.text();
    if (!is_binary_numeral(text)) {
        services.message_box(binary_digits_message, platform::BoxStyle::exclamation, decimal_title);
        return;
    }
    // A Double text has at most 15 digits, so the total stays below 32768.
    std::uint64_t total = 0;
    std::uint64_t place = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        if (*it == '1') {
            total += place;
        }
        place *= 2;
    }
    services.message_box(conversion_message(text, std::to_string(total)),
                         platform::BoxStyle::exclamation, decimal_title);
}

// Decimal value to binary numeral, shown in a box; the display is not changed. The value is
// rounded once to the nearest whole number, a half to the even neighbour (5.7 gives 110,
// 2.5 gives 10).
void Calculator::decimal_to_binary() {
    const double n = std::fabs(display_value());
    // nearbyint follows the default rounding mode, which rounds a half to even.
    const double rounded = std::nearbyint(n);
    // Every character counts, a sign and the point included: nine pass. Only an exponent form
    // such as 1E+15 passes that with a value too large for the 32-bit whole number the digits
    // are taken from: it gets the limit message as well.
    if (platform::length_in_characters(Text1.text()) > 9 ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        services.message_box(nine_digits_message, platform::BoxStyle::exclamation, binary_title);
        return;
    }
    auto rest = static_cast<std::uint32_t>(rounded);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + rest % 2));
        rest /= 2;
    } while (rest != 0);
    services.message_box(conversion_message(platform::double_text(n), digits),
                         platform::BoxStyle::information, binary_title);
}

}  // namespace engine
