// Feeds arbitrary bytes to a chain of headless windows as key presses, key-downs with shift
// states, mouse events and clock ticks, and makes the property test's check around every
// event: nothing escaped the form, every box is one the program shows, a fault changed
// nothing, and each window's state is one the calculator can be in. The boxes are answered at
// once; the input box answers texts taken from the input.
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

// The opcodes. Bytes below 0x80 type themselves; every other byte not named here types a row
// of the key map, so most bytes reach an action.
enum Op : std::uint8_t {
    key_down_op = 0x80,      // key code index, shift state
    mouse_down_op = 0x81,    // x, y as 16-bit numbers of twips
    mouse_move_op = 0x82,    // x, y
    mouse_up_op = 0x83,      //
    timer_op = 0x84,         //
    window_op = 0x85,        // which window of the chain receives what follows
    answer_op = 0x86,        // length, text: the next input box answer
    random_op = 0x87,        // the next random number, in 256ths
    wide_key_op = 0x88,      // a 16-bit character code
    clock_text_op = 0x89,    // length, text: what the clock tells from now on
    clipboard_op = 0x8A,     // length, text: what the clipboard holds from now on
    first_key_map_op = 0x8B  // up to 0xFF
};

// Delete, the keypad minus, F1 to F12 (indexes 2 to 13), keys that mean nothing there, and
// Insert last.
constexpr std::uint16_t key_down_codes[] = {46,  109, 112, 113, 114, 115, 116, 117, 118, 119,
                                            120, 121, 122, 123, 189, 8,   13,  0,   45};

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
    // The shared check around every event, on the whole chain of windows; only a key typed
    // into the main window is checked for a computed display.
    support::EventCheck check(main);
    bool computes = false;
    const auto deliver = [&](auto&& event) {
        if (const std::string problem = check(event, computes); !problem.empty()) {
            broken(problem);
        }
        computes = false;
    };
    while (!in.done()) {
        const std::uint8_t op = in.byte();
        if (op < key_down_op || op >= first_key_map_op) {
            const auto keys = input::key_map();
            const char16_t code =
                op < key_down_op ? op : keys[(op - first_key_map_op) % keys.size()].code;
            // Every window of the chain is checked after every event: a chain of four shows
            // everything a longer one would, at a speed that leaves time for other inputs.
            if (code == u'z' && chain_of(main).size() >= max_windows) {
                continue;
            }
            computes = target == &main && support::writes_number(code);
            deliver([&] {
                char16_t key = code;
                target->core.Text1_KeyPress(key);
                if (key != 0) {
                    broken("a typed character was not cancelled: " + std::to_string(code));
                }
            });
        } else {
            switch (static_cast<Op>(op)) {
                case key_down_op: {
                    const std::uint16_t code =
                        key_down_codes[in.byte() % std::size(key_down_codes)];
                    const int shift = in.byte() % 8;
                    computes = target == &main && code >= 112 && code <= 123 && shift == 1;
                    deliver([&] { target->key_down(code, shift); });
                    break;
                }
                case mouse_down_op:
                case mouse_move_op: {
                    const auto x = static_cast<float>(static_cast<std::int16_t>(in.word()));
                    const auto y = static_cast<float>(static_cast<std::int16_t>(in.word()));
                    deliver([&] {
                        if (op == mouse_down_op) {
                            target->core.Text1_MouseDown(x, y);
                        } else {
                            target->core.Text1_MouseMove(x, y);
                        }
                    });
                    break;
                }
                case mouse_up_op:
                    deliver([&] { target->core.Text1_MouseUp(); });
                    break;
                case timer_op:
                    deliver([&] { target->core.Timer1_Timer(); });
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
                    deliver([&] {
                        char16_t key = code;
                        target->core.Text1_KeyPress(key);
                    });
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
