#include "tests/support/headless_form.h"

#include <charconv>
#include <new>
#include <sstream>
#include <stdexcept>

namespace support {

namespace {

std::string shown(const platform::Variant& value) {
    const std::string_view kinds[] = {"_", "i", "d", ""};
    return std::string(kinds[value.index()]) + platform::text_of(value);
}

template <typename... Base>
std::string text(auto value, Base... base) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + 32, value, base...).ptr);
}

}  // namespace

HeadlessForm::HeadlessForm(FakeServices* shared, platform::Window* Form1)
    : owned_services(shared ? nullptr : std::make_unique<FakeServices>()),
      services(shared ? *shared : *owned_services),
      core(services, *this, Form1 ? *Form1 : *this, Text1) {
    core.Form_Load();
}

std::unique_ptr<platform::Window> HeadlessForm::create_form() {
    return std::make_unique<HeadlessForm>(&services, &core.main_window());
}

void HeadlessForm::type(std::string_view keys) {
    HeadlessForm* target = this;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == '[' || keys[i] == '{') {
            const std::size_t end = keys.find(keys[i] == '[' ? ']' : '}', i);
            const std::string_view token = keys.substr(i + 1, end - i - 1);
            if (keys[i] == '{') {
                target->Text1.value = token;
            } else if (token == ">") {
                target = target->extra();
            } else {
                target->event(token);
            }
            i = end;
            continue;
        }
        char16_t code = static_cast<unsigned char>(keys[i]);
        target->core.Text1_KeyPress(code);
        if (code != 0) {
            throw std::logic_error("a typed character reached the display");
        }
    }
}

void HeadlessForm::event(std::string_view token) {
    const std::size_t name = token.find_first_not_of("0123456789");
    std::istringstream in{std::string(token.substr(name))};
    std::string word;
    float x = 0;
    float y = 0;
    in >> word >> x >> y;
    if (word == "Down" || word == "Move") {
        word == "Down" ? core.Text1_MouseDown(x, y) : core.Text1_MouseMove(x, y);
    } else if (word == "!memory" || word == "!error") {
        services.fault = word == "!memory" ? std::make_exception_ptr(std::bad_alloc())
                                           : std::make_exception_ptr(std::runtime_error("broken"));
    } else if (word == "Up" || word == "Tick") {
        word == "Up" ? core.Text1_MouseUp() : core.Timer1_Timer();
    } else {
        const int code = word == "Del"   ? 46
                         : word == "Ins" ? 45
                         : word == "Kp-" ? 109
                                         : 111 + std::stoi(word.substr(1));
        key_down(static_cast<std::uint16_t>(code), name == 0 ? 0 : std::stoi(std::string(token)));
    }
}

void HeadlessForm::key_down(std::uint16_t key_code, int shift) {
    core.Text1_KeyDown(key_code, shift);
    key_left = key_code;
}

HeadlessForm* HeadlessForm::extra() const {
    return dynamic_cast<HeadlessForm*>(core.extra_window.get());
}

std::map<std::string, std::string> HeadlessForm::observed(const std::string& prefix) const {
    std::string reg;
    std::string box;
    std::string asked;
    for (int key = 112; key <= 123; ++key) {
        if (core.fkey_memory[key].index() != 0) {
            reg +=
                (reg.empty() ? "F" : " F") + text(key - 111) + ":" + shown(core.fkey_memory[key]);
        }
    }
    for (const Box& b : services.boxes) {
        box += (box.empty() ? "" : " | ") + text(int(b.style)) + " " + b.title + " " + b.message;
    }
    for (const std::string& request : services.input_requests) {
        asked += (asked.empty() ? "" : " + ") + request;
    }
    const auto& c = core.calculator;
    // clang-format off
    const std::pair<const char*, std::string> fields[] = {
        {"display", display()}, {"mark", shown(c.op_mark)}, {"pend", shown(c.pending_op)},
        {"operand", shown(c.operand)}, {"reg", reg}, {"memo", shown(core.memo.memo_text)},
        {"mouse", text(int{core.mouse_mode})}, {"pos", text(left_twips) + "," + text(top_twips)},
        {"size", text(width_twips) + "x" + text(height_twips)}, {"caption", caption},
        {"timer", text(int{timer})}, {"colour", text(display_colour, 16)},
        {"top", text(int{on_top})}, {"shows", text(shows)},
        // the services, which all windows share
        {"box", box}, {"asked", asked}, {"beeps", text(services.beeps)},
        {"end", text(services.end_calls)}, {"randomize", text(services.randomize_calls)},
        {"clip", services.clipboard}, {"key", text(key_left)}};
    // clang-format on
    std::map<std::string, std::string> named;
    for (std::size_t i = 0; i < (prefix.empty() ? std::size(fields) : 14); ++i) {
        named[prefix + fields[i].first] = fields[i].second;
    }
    if (const HeadlessForm* further = extra()) {
        named.merge(further->observed(prefix + "z."));
    }
    return named;
}

}  // namespace support
