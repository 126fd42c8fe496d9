#include "tests/support/headless_form.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "platform/number_text.h"
#include "platform/utf8.h"

namespace support {

std::string shown(const platform::Variant& value) {
    const std::string_view kinds[] = {"_", "i", "d", ""};
    return std::string(kinds[value.index()]) + platform::text_of(value);
}

namespace {

template <typename... Base>
std::string str(auto value, Base... base) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + 32, value, base...).ptr);
}

}  // namespace

HeadlessForm::HeadlessForm(FakeServices* shared, const input::FormCore* opener)
    : owned_services(shared ? nullptr : std::make_unique<FakeServices>()),
      services(shared ? *shared : *owned_services),
      core(services, *this, *this, opener) {
    core.Form_Load();
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

std::map<std::string, std::string> HeadlessForm::observed() const {
    std::map<std::string, std::string> named;
    std::string at;
    for (const HeadlessForm* form = this; form != nullptr; form = form->extra(), at += "z.") {
        const WindowRecord& w = form->record;
        const input::FormCore& core = form->core;
        std::string reg;
        for (int key = 112; key <= 123; ++key) {
            if (core.fkey_memory[key].index() != 0) {
                reg += (reg.empty() ? "F" : " F") + str(key - 111) + ":" +
                       shown(core.fkey_memory[key]);
            }
        }
        // clang-format off
        const std::pair<const char*, std::string> fields[] = {
            {"display", form->value}, {"typed", form->typed ? str(int{*form->typed}) : ""},
            {"mark", shown(core.calculator.op_mark)}, {"pend", shown(core.calculator.pending_op)},
            {"operand", shown(core.calculator.operand)}, {"reg", reg},
            {"memo", shown(core.memo.memo_text)}, {"mouse", str(int{core.in_mouse_mode()})},
            {"pos", str(w.left) + "," + str(w.top)}, {"size", str(w.width) + "x" + str(w.height)},
            {"caption", w.caption}, {"timer", str(w.timer)}, {"colour", str(w.colour, 16)},
            {"top", str(int{w.on_top})}, {"shows", str(w.shows)}, {"visible", str(int{w.visible})}};
        // clang-format on
        for (const auto& [name, value] : fields) {
            named[at + name] = value;
        }
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

}  // namespace support
