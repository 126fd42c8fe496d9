#include "fuzz/form_driver.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <set>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "input/key_map.h"
#include "input/typed_character.h"
#include "platform/number_text.h"

namespace fuzz {

namespace {

using support::Box;
using support::HeadlessForm;
using support::shown;

// Everything of one window an event can change, as a value: the check compares two of them
// around every event.
struct WindowState {
    std::string display;
    platform::Variant op_mark, pending_op, operand, memo_text;
    std::array<platform::Variant, 12> registers;  // F1 to F12
    bool mouse_mode = false;
    support::WindowRecord window;
    bool operator==(const WindowState&) const = default;
};

// In place when the kind stays, as it mostly does from one event to the next: the variant's own
// assignment dispatches through its tables for every value.
void take(platform::Variant& to, const platform::Variant& from) {
    if (to.index() != from.index()) {
        to = from;
    } else if (const auto* text = std::get_if<std::string>(&from)) {
        std::get<std::string>(to) = *text;
    } else if (const auto* number = std::get_if<double>(&from)) {
        std::get<double>(to) = *number;
    } else if (const auto* integer = std::get_if<platform::Integer>(&from)) {
        std::get<platform::Integer>(to) = *integer;
    }
}

void observe(const HeadlessForm& main, std::vector<WindowState>& chain) {
    std::size_t count = 0;
    for (const HeadlessForm* form = &main; form != nullptr; form = form->extra(), ++count) {
        if (count == chain.size()) {
            chain.emplace_back();
        }
        WindowState& s = chain[count];
        const input::FormCore& core = form->core;
        s.display = form->value;
        take(s.op_mark, core.calculator.op_mark);
        take(s.pending_op, core.calculator.pending_op);
        take(s.operand, core.calculator.operand);
        take(s.memo_text, core.memo.memo_text);
        for (std::size_t i = 0; i < s.registers.size(); ++i) {
            take(s.registers[i], core.fkey_memory[static_cast<int>(112 + i)]);
        }
        s.mouse_mode = core.in_mouse_mode();
        s.window = form->record;
    }
    chain.resize(count);
}

// What a key writes into the display when it changes it: number entry's keys type it (a
// screen reader has echoed them); every other key writes a text the user did not type, some a
// computed number. `any` is for an event the check cannot tell; `two_events` for a stroke
// whose key-down and key-press may both act, where a fault in one leaves the other to run.
enum class Writes { text, number, entry, any, two_events };
using Style = platform::BoxStyle;

// Every box the program shows: the faults, the new window, what the conversions, memo, date and
// registers tell.
bool is_known(const Box& box) {
    static const std::set<std::string> critical{"0 で割ることはできません。", "数が大きすぎます。",
                                                "負の数の平方根は求められません。",
                                                "新しいKiruneが現れました。"};
    return box.title == "Kirune"
               ? box.style == Style::information ||
                     (box.style == Style::critical && critical.contains(box.message))
           : box.title == "Kirune（十進法）"
               ? box.style == Style::exclamation
               : box.title == "Kirune（二進法）" && box.style != Style::critical;
}

// A loop, not find_first_not_of: that runs a sanitized memchr for every character, and this
// runs on every window after every event.
bool is_number_text(const std::string& text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'E';
    });
}

// Compared as string views of literals, whose known lengths let the compiler compare in place:
// a call of memcmp would report every mismatch to the fuzzer as a comparison to learn from.
bool is_mark(const platform::Variant& mark) {
    using namespace std::string_view_literals;
    if (const auto* text = std::get_if<std::string>(&mark)) {
        const std::string_view name = *text;
        return name.empty() || name == "tasu"sv || name == "hiku"sv || name == "kakeru"sv ||
               name == "waru"sv;
    }
    return std::holds_alternative<platform::Empty>(mark);
}

// The marks are Empty, "" or an operation name, and a named op_mark is pending_op; the operand
// is the Integer 0 or a number text; the display holds a number text.
std::string window_problem(const WindowState& s) {
    const auto* mark = std::get_if<std::string>(&s.op_mark);
    if (!is_mark(s.op_mark) || (mark && !mark->empty() && s.op_mark != s.pending_op)) {
        return "mark is " + shown(s.op_mark);
    }
    if (!is_mark(s.pending_op)) {
        return "pend is " + shown(s.pending_op);
    }
    const auto* operand = std::get_if<std::string>(&s.operand);
    const auto* integer = std::get_if<platform::Integer>(&s.operand);
    if (!(integer && *integer == 0) && !(operand && is_number_text(*operand))) {
        return "operand is " + shown(s.operand);
    }
    if (!is_number_text(s.display)) {
        return "display is " + s.display;
    }
    return {};
}

Writes writes(char16_t code) {
    // A table: the driver asks this for every key it types.
    static constexpr auto table = [] {
        std::array<Writes, 128> kinds{};
        for (const char key : std::string_view("+-*/\refghjklbr\x16")) {
            kinds[static_cast<std::size_t>(key)] = Writes::number;
        }
        for (const char key : std::string_view("0123456789.")) {
            kinds[static_cast<std::size_t>(key)] = Writes::entry;
        }
        return kinds;
    }();
    code = static_cast<char16_t>(input::ascii_form(code));
    return code < table.size() ? table[code] : Writes::text;
}

// The check the property test and the fuzzer make around every event, so both look for the
// same faults: an exception left the form; a box the program never shows; a fault box that
// changed the state; a state the calculator cannot be in (in any window of the chain); a window
// that changed once the program began to end; or, when the main window's display changed, a
// write that is not what the key `writes`, or a computed text that does not read back.
// The state after one event is the state before the next: it is taken once an event, so
// nothing but checked events may change the windows while a check watches them.
class EventCheck {
public:
    explicit EventCheck(HeadlessForm& form);

    // Runs the event; returns what went wrong, or "".
    template <typename Event>
    std::string operator()(Event&& event, Writes kind) {
        const std::size_t first_box = form.services.boxes.size();
        form.typed.reset();
        try {
            event();
        } catch (const std::logic_error& fault) {
            observe(form, state);
            return fault.what();
        } catch (...) {
            observe(form, state);
            return "an exception left the form";
        }
        return after_event(first_box, kind);
    }

private:
    std::string after_event(std::size_t first_box, Writes kind);

    HeadlessForm& form;
    // The windows now, and before the last event; the two swap rather than reallocate.
    std::vector<WindowState> state, previous;
    std::vector<WindowState> at_end;  // the windows when the program began to end
};

EventCheck::EventCheck(HeadlessForm& form) : form(form) {
    observe(form, state);
    form.services.on_end = [this] { observe(this->form, at_end); };
}

std::string EventCheck::after_event(std::size_t first_box, Writes kind) {
    // The windows' state only: the services' records change with every box.
    std::swap(previous, state);
    observe(form, state);
    bool fault = false;
    for (auto box = form.services.boxes.begin() + first_box; box != form.services.boxes.end();
         ++box) {
        if (!is_known(*box)) {
            return "a box the program never shows: " + box->title + " " + box->message;
        }
        fault |= box->style == Style::critical && box->message != "新しいKiruneが現れました。";
    }
    if (fault && state != previous && kind != Writes::two_events) {
        return "a fault changed the state";
    }
    if (!at_end.empty() && std::exchange(at_end, {}) != state) {
        return "a window changed after the program began to end";
    }
    // A text beyond the double range throws here, which fails as well.
    const std::string& display = form.text();
    if (!fault && display != previous.front().display) {
        // (Written by no key at all only where a row puts a text in place.)
        if (kind < Writes::any && form.typed && *form.typed != (kind == Writes::entry)) {
            return std::string(*form.typed ? "typed " : "written ") + display;
        }
        if (kind == Writes::number &&
            platform::double_text(platform::leading_number(display)) != display) {
            return "the computed display " + display + " does not read back";
        }
    }
    for (std::size_t i = 0; i < state.size(); ++i) {
        if (std::string problem = window_problem(state[i]); !problem.empty()) {
            std::string at = "main.";
            while (i-- > 0) {
                at += "z.";
            }
            return at + problem;
        }
    }
    return {};
}

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

std::vector<HeadlessForm*> chain_of(HeadlessForm& main) {
    std::vector<HeadlessForm*> chain;
    for (HeadlessForm* form = &main; form != nullptr; form = form->extra()) {
        chain.push_back(form);
    }
    return chain;
}

std::string run(HeadlessForm& main, Reader& in) {
    HeadlessForm* target = &main;
    // The shared check around every event, on the whole chain of windows; how the display
    // was written is looked at in the main window.
    EventCheck check(main);
    std::string problem;
    const auto deliver = [&](Writes kind, auto&& event) { problem = check(event, kind); };
    // Once the program ends its windows are gone, and the input with them.
    while (!in.done() && problem.empty() && main.services.end_calls == 0) {
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
            deliver(writes(code), [&] { target->key(code); });
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
                    // A recall writes a computed number. A stroke that types a character, by the
                    // core's own rule, acts twice: its key-down, then the key-press.
                    const bool recall = code >= 112 && code <= 123 && flags % 8 == 1;
                    const bool types =
                        input::typed_character(code, flags % 8, typed, target->control_keys)
                            .has_value();
                    deliver(types    ? Writes::two_events
                            : recall ? Writes::number
                                     : Writes::text,
                            [&] { target->stroke(code, held, typed); });
                    break;
                }
                case further_op: {
                    const char16_t typed = in.byte();
                    deliver(Writes::any, [&] { target->further(typed); });
                    break;
                }
                case close_op:
                    deliver(Writes::text, [&] { target->core.window_closed(); });
                    break;
                case mouse_down_op:
                case mouse_move_op: {
                    const auto x = static_cast<float>(static_cast<std::int16_t>(in.word()));
                    const auto y = static_cast<float>(static_cast<std::int16_t>(in.word()));
                    deliver(Writes::text, [&] {
                        if (op == mouse_down_op) {
                            target->core.Text1_MouseDown(x, y);
                        } else {
                            target->core.Text1_MouseMove(x, y);
                        }
                    });
                    break;
                }
                case mouse_up_op:
                    deliver(Writes::text, [&] { target->core.Text1_MouseUp(); });
                    break;
                case timer_op:
                    deliver(Writes::text, [&] { target->core.Timer1_Timer(); });
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
                    deliver(writes(code), [&] { target->key(code); });
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
    return problem;
}

}  // namespace

std::string run_events(HeadlessForm& main, std::span<const std::uint8_t> input) {
    Reader in(input.data(), input.size());
    return run(main, in);
}

}  // namespace fuzz
