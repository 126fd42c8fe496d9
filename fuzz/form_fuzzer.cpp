// Feeds arbitrary bytes to a chain of headless windows as the windows hand events over: key
// strokes (key code, modifiers, character typed) and their further characters, mouse events,
// clock ticks and closing, and makes the property test's check around every event: nothing
// escaped the form, every typed character was cancelled, every box is one the program shows, a
// fault changed nothing, no window changed once the program began to end, the display was
// typed or written as the key does it, and each window's state is one the calculator can be
// in. The boxes are answered at once; the input box answers texts taken from the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "input/key_map.h"
#include "tests/support/headless_form.h"

namespace {

using support::HeadlessForm;

// The opcodes. Bytes below 0x80 are the strokes that type them; every other byte not named
// here is the stroke of a row of the key map, so most bytes reach an action.
enum Op : std::uint8_t {
    stroke_op = 0x80,        // key code index, modifiers (1 Shift, 2 Ctrl, 4 Alt, 8 Windows'
                             // rule for Ctrl), the character typed
    further_op = 0x81,       // a further character of the last stroke
    mouse_down_op = 0x82,    // x, y as 16-bit numbers of twips
    mouse_move_op = 0x83,    // x, y
    mouse_up_op = 0x84,      //
    timer_op = 0x85,         //
    close_op = 0x86,         // the user closes the window
    window_op = 0x87,        // which window of the chain receives what follows
    answer_op = 0x88,        // length, text: the next input box answer
    random_op = 0x89,        // the next random number, in 256ths
    wide_key_op = 0x8A,      // a 16-bit character code, typed with no key
    clock_text_op = 0x8B,    // length, text: what the clock tells from now on
    clipboard_op = 0x8C,     // length, text: what the clipboard holds from now on
    first_key_map_op = 0x8D  // up to 0xFF
};

// Delete, the keypad minus, F1 to F12 (indexes 2 to 13), Insert, keys whose code picks the
// character typed (Backspace, Enter, Esc, space, the keypad's point, C, T, V), and no key.
constexpr std::uint16_t stroke_codes[] = {46,  109, 112, 113, 114, 115, 116, 117,
                                          118, 119, 120, 121, 122, 123, 45,  8,
                                          13,  27,  32,  110, 'C', 'T', 'V', 0};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    bool done() const { return at >= size; }
    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    std::uint16_t word() {
        const std::uint16_t high = byte();
        return static_cast<std::uint16_t>(high << 8 | byte());
    }
    std::string text() {
        const std::size_t length = byte();
        std::string out;
        while (out.size() < length && !done()) {
            out.push_back(static_cast<char>(byte()));
        }
        return out;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

constexpr std::size_t max_windows = 4;

[[noreturn]] void broken(const std::string& problem) {
    std::fprintf(stderr, "invariant broken: %s\n", problem.c_str());
    std::abort();
}

std::vector<HeadlessForm*> chain_of(HeadlessForm& main) {
    std::vector<HeadlessForm*> chain;
    for (HeadlessForm* form = &main; form != nullptr; form = form->extra()) {
        chain.push_back(form);
    }
    return chain;
}

void run(HeadlessForm& main, Reader& in) {
    HeadlessForm* target = &main;
    // The shared check around every event, on the whole chain of windows; how the display
    // was written is looked at in the main window.
    support::EventCheck check(main);
    const auto deliver = [&](support::Writes kind, auto&& event) {
        if (const std::string problem = check(event, kind); !problem.empty()) {
            broken(problem);
        }
    };
    // Once the program ends its windows are gone, and the input with them.
    while (!in.done() && main.services.end_calls == 0) {
        const std::uint8_t op = in.byte();
        if (op < stroke_op || op >= first_key_map_op) {
            const auto keys = input::key_map();
            const char16_t code =
                op < stroke_op ? op : keys[(op - first_key_map_op) % keys.size()].code;
            // Every window of the chain is checked after every event: a chain of four shows
            // everything a longer one would, at a speed that leaves time for other inputs.
            if (code == u'z' && chain_of(main).size() >= max_windows) {
                continue;
            }
            deliver(support::writes(code), [&] { target->key(code); });
        } else {
            switch (static_cast<Op>(op)) {
                case stroke_op: {
                    const std::uint16_t code = stroke_codes[in.byte() % std::size(stroke_codes)];
                    const std::uint8_t flags = in.byte();
                    const char16_t typed = in.byte();
                    const input::Modifiers held{(flags & 1) != 0, (flags & 2) != 0,
                                                (flags & 4) != 0};
                    target->control_keys =
                        (flags & 8) != 0 ? input::ControlKeys::platform : input::ControlKeys::named;
                    // A recall writes a computed number. A stroke that types, with a character or
                    // by its key (Backspace, Enter, Esc, space, the keypad's point), may act twice.
                    const bool recall = code >= 112 && code <= 123 && flags % 8 == 1;
                    const bool types = typed != 0 || (code != 0 && code < 45) || code == 110;
                    deliver(types    ? support::Writes::two_events
                            : recall ? support::Writes::number
                                     : support::Writes::text,
                            [&] { target->stroke(code, held, typed); });
                    break;
                }
                case further_op: {
                    const char16_t typed = in.byte();
                    deliver(support::Writes::any, [&] { target->further(typed); });
                    break;
                }
                case close_op:
                    deliver(support::Writes::text, [&] { target->core.window_closed(); });
                    break;
                case mouse_down_op:
                case mouse_move_op: {
                    const auto x = static_cast<float>(static_cast<std::int16_t>(in.word()));
                    const auto y = static_cast<float>(static_cast<std::int16_t>(in.word()));
                    deliver(support::Writes::text, [&] {
                        if (op == mouse_down_op) {
                            target->core.Text1_MouseDown(x, y);
                        } else {
                            target->core.Text1_MouseMove(x, y);
                        }
                    });
                    break;
                }
                case mouse_up_op:
                    deliver(support::Writes::text, [&] { target->core.Text1_MouseUp(); });
                    break;
                case timer_op:
                    deliver(support::Writes::text, [&] { target->core.Timer1_Timer(); });
                    break;
                case window_op: {
                    const auto chain = chain_of(main);
                    target = chain[in.byte() % chain.size()];
                    break;
                }
                case answer_op:
                    main.services.input_answers.push_back(in.text());
                    break;
                case random_op:
                    main.services.random_values.push_back(static_cast<float>(in.byte()) / 256.0F);
                    break;
                case wide_key_op: {
                    const char16_t code = in.word();
                    deliver(support::writes(code), [&] { target->key(code); });
                    break;
                }
                case clock_text_op:
                    main.services.now = in.text();
                    break;
                case clipboard_op:
                    main.services.clipboard = in.text();
                    break;
                default:
                    break;
            }
        }
    }
}

}  // namespace

// The check around every event compares the whole state of every window; past a few hundred
// events an input only repeats what shorter ones reach, so the rest of it is not run.
constexpr std::size_t max_input = 512;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, std::min(size, max_input));
    HeadlessForm main;
    run(main, in);
    return 0;
}
