#pragma once

#include <string>
#include <string_view>

#include "platform/random_sequence.h"
#include "platform/runtime_error.h"

namespace platform {

// The message box styles in use: only an OK button, with one of three icons.
enum class BoxStyle : int {
    critical = 16,
    exclamation = 48,
    information = 64,
};

// What the program needs from its platform besides its windows. One per program, owned by
// main() and shared by every window; the core reaches the outside world only through it.
class Services {
public:
    virtual ~Services() = default;

    // Modal; returns when the user closed the box.
    virtual void message_box(std::string_view message, BoxStyle style, std::string_view title) = 0;
    // Modal; the text of the field on OK, "" on Cancel.
    virtual std::string input_box(std::string_view prompt, std::string_view title,
                                  std::string_view default_text) = 0;
    virtual void beep() = 0;
    // Seeds the random sequence from the clock. The sequence is the same on every platform;
    // a test's services draw their own.
    virtual void randomize() { random.seed_from_clock(); }
    // The next Single of the random sequence, in [0, 1).
    virtual float random_next() { return random.next(); }
    // The current local date and time as the user's locale writes them, seconds included.
    virtual std::string now_text() = 0;
    // Ends the program at once: every window goes, nothing is saved.
    virtual void end_program() = 0;
    // Whether end_program was asked for and the windows are still going.
    virtual bool program_ending() const = 0;
    // The system clipboard's text ("" when it holds none), and setting it.
    virtual std::string clipboard_text() = 0;
    virtual void set_clipboard_text(std::string_view text) = 0;

    // Shows the fault in a critical box titled with the program's name; the program goes on.
    virtual void report_runtime_error(const RuntimeError& error);

private:
    RandomSequence random;
};

}  // namespace platform
