#include <string>

#include "engine/calculator.h"
#include "platform/number_text.h"
#include "platform/utf8.h"

namespace engine {

namespace {

// These keys only ask whether the shown number is 0. A number beyond the double range is
// certainly not 0, so its overflow is no fault here and is caught on the spot; every other
// fault travels up to the form.
bool reads_as_zero(std::string_view text) {
    try {
        return platform::leading_number(text) == 0;
    } catch (const platform::RuntimeError& error) {
        if (error.kind != platform::ErrorKind::overflow) {
            throw;
        }
        return false;
    }
}

}  // namespace

// A text that is left empty or reads as 0 becomes "0": 0.5 leaves "0." and so shows "0",
// -5 leaves a lone "-" and shows "0", while 12.5 keeps its point as "12.".
void Calculator::delete_last_character() {
    // The display only ever holds ASCII, but a code point is never cut in half.
    std::string text = Text1.text();
    text.erase(platform::last_character_start(text));
    if (text.empty() || reads_as_zero(text)) {
        text = platform::integer_text(0);
    }
    Text1.set_text(std::move(text));
}

// The sign is changed as text, so digits, a trailing point and the exponent form stay exactly
// as they were; a value that reads as 0 gets only a beep.
void Calculator::change_sign() {
    const std::string& text = Text1.text();
    if (text.starts_with('-')) {
        Text1.set_text(text.substr(1));
    } else if (reads_as_zero(text)) {
        services.beep();
    } else {
        Text1.set_text("-" + text);
    }
}

}  // namespace engine
