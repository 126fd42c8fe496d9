#include "tests/support/headless_form.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <set>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <variant>

#include "platform/number_text.h"
#include "platform/utf8.h"

namespace support {

namespace {

std::string shown(const platform::Variant& value) {
    const std::string_view kinds[] = {"_", "i", "d", ""};
    return std::string(kinds[value.index()]) + platform::text_of(value);
}

template <typename... Base>
std::string str(auto value, Base... base) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + 32, value, base...).ptr);
}

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

}  // namespace

HeadlessForm::HeadlessForm(FakeServices* shared, const input::FormCore* opener)
    : owned_services(shared ? nullptr : std::make_unique<FakeServices>()),
      services(shared ? *shared : *owned_services),
      core(services, *this, *this, opener) {
    core.Form_Load();
}

std::unique_ptr<platform::Window> HeadlessForm::create_form() {
    return std::make_unique<HeadlessForm>(&services, &core);
}

void HeadlessForm::type(std::string_view keys) {
    HeadlessForm* target = this;
    for (std::size_t i = 0; i < keys.size();) {
        if (keys[i] == '{' || keys[i] == '[') {
            const std::size_t end = keys.find(keys[i] == '[' ? ']' : '}', i);
            const std::string token(keys.substr(i + 1, end - i - 1));
            if (keys[i] == '{') {
                target->value = token;
            } else {
                target = token == ">"   ? target->extra()
                         : token == "<" ? this
                                        : (target->event(token), target);
            }
            i = end + 1;
            continue;
        }
        target->key(static_cast<char16_t>(platform::next_code_point(keys, i)));
    }
}

void HeadlessForm::key(char16_t code) {
    // The keypad's operators and point, a letter's key, Ctrl with its letter for a control
    // character; none for a character an input method typed.
    const bool ctrl = code < 32 && code != '\b' && code != '\r' && code != 27;
    const std::size_t on_keypad = std::string_view("*+-./").find(static_cast<char>(code));
    const int key = code >= 128                         ? 0
                    : on_keypad != std::string::npos    ? int(106 + on_keypad + (on_keypad > 1))
                    : ctrl                              ? code + 64
                    : std::isalnum(code) || code <= ' ' ? std::toupper(code)
                                                        : 0;
    stroke(static_cast<std::uint16_t>(key), {.ctrl = ctrl}, code);
}

void HeadlessForm::stroke(std::uint16_t key_code, input::Modifiers held, char16_t typed) {
    if (core.key_stroke(key_code, held, typed, control_keys) != 0) {
        throw std::logic_error("a typed character reached the display");
    }
}

void HeadlessForm::further(char16_t typed) {
    if (core.stroke_character(typed, control_keys) != 0) {
        throw std::logic_error("a typed character reached the display");
    }
}

void HeadlessForm::event(const std::string& token) {
    // The modifiers of a stroke by name, in front of the key: "S-F1", "C-A-F5", "C-KP-".
    input::Modifiers held;
    std::string_view key = token;
    for (; key.size() > 2 && key[1] == '-'; key.remove_prefix(2)) {
        (key[0] == 'S' ? held.shift : key[0] == 'C' ? held.ctrl : held.alt) = true;
    }
    float x = 0, y = 0;
    char word[16] = {};
    std::sscanf(std::string(key).c_str(), "%15s %f %f", word, &x, &y);
    const std::string_view w = word;
    // A letter or digit with modifiers; Ctrl with a letter types its control character.
    const char16_t c = w.size() == 1 ? static_cast<char16_t>(std::toupper(w[0])) : 0;
    // clang-format off
    w == "Down"      ? core.Text1_MouseDown(x, y)
    : w == "Move"    ? core.Text1_MouseMove(x, y)
    : w == "Up"      ? core.Text1_MouseUp()
    : w == "Tick"    ? core.Timer1_Timer()
    : w == "Close"   ? core.window_closed()
    : w == "Char"    ? further(static_cast<char16_t>(key.back()))
    : w == "Win"     ? void(control_keys = input::ControlKeys::platform)
    : w == "Wayland" ? void(wayland = true)
    : w == "!memory" ? void(services.fault = std::make_exception_ptr(std::bad_alloc()))
    : w == "!error"  ? void(services.fault = std::make_exception_ptr(std::runtime_error("broken")))
    : c != 0         ? stroke(c, held, held.ctrl && std::isalpha(c) ? c - 64 : w[0])
    : w == "KP-"     ? stroke(109, held, u'-')
    : w == "Del"     ? stroke(46, held, 127)
    : stroke(w == "Ins" ? 45 : 111 + std::atoi(word + 1), held, 0);
    // clang-format on
}

void HeadlessForm::observe(std::vector<WindowState>& chain) const {
    std::size_t count = 0;
    for (const HeadlessForm* form = this; form != nullptr; form = form->extra(), ++count) {
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

std::map<std::string, std::string> HeadlessForm::observed() const {
    std::vector<WindowState> chain;
    observe(chain);
    std::map<std::string, std::string> named;
    std::string at;
    for (const WindowState& s : chain) {
        const WindowRecord& w = s.window;
        std::string reg;
        for (std::size_t i = 0; i < s.registers.size(); ++i) {
            if (s.registers[i].index() != 0) {
                reg += (reg.empty() ? "F" : " F") + str(i + 1) + ":" + shown(s.registers[i]);
            }
        }
        // clang-format off
        const std::pair<const char*, std::string> fields[] = {
            {"display", s.display}, {"mark", shown(s.op_mark)}, {"pend", shown(s.pending_op)},
            {"operand", shown(s.operand)}, {"reg", reg}, {"memo", shown(s.memo_text)},
            {"mouse", str(int{s.mouse_mode})}, {"pos", str(w.left) + "," + str(w.top)},
            {"size", str(w.width) + "x" + str(w.height)}, {"caption", w.caption},
            {"timer", str(w.timer)}, {"colour", str(w.colour, 16)},
            {"top", str(int{w.on_top})}, {"shows", str(w.shows)},
            {"visible", str(int{w.visible})}};
        // clang-format on
        for (const auto& [name, value] : fields) {
            named[at + name] = value;
        }
        at += "z.";
    }
    // The services, which all windows share.
    std::string box;
    for (const Box& b : services.boxes) {
        box += (box.empty() ? "" : " | ") + str(int(b.style)) + " " + b.title + " " + b.message;
    }
    named["box"] = box;
    named["asked"] = services.input_requests.empty() ? "" : services.input_requests.back();
    named["beeps"] = str(services.beeps);
    named["end"] = str(services.end_calls);
    named["randomize"] = str(services.randomize_calls);
    named["clip"] = services.clipboard;
    return named;
}

Writes writes(char16_t code) {
    // A table: the fuzzer asks this for every key it types.
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

EventCheck::EventCheck(HeadlessForm& form) : form(form) {
    form.observe(state);
    form.services.on_end = [this] { this->form.observe(at_end); };
}

std::string EventCheck::after_event(std::size_t first_box, Writes kind) {
    // The windows' state only: the services' records change with every box.
    std::swap(previous, state);
    form.observe(state);
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
    const std::string& display = form.display();
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

}  // namespace support
