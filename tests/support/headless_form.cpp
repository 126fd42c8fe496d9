#include "tests/support/headless_form.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <set>
#include <stdexcept>

#include "platform/number_text.h"

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

// In every window of the chain: the marks are Empty, "" or an operation name, and op_mark is
// empty or pending_op; the operand is the Integer 0 or a text; the display holds a number text.
std::string state_problem(const std::map<std::string, std::string>& state) {
    static const std::set<std::string> marks{"_", "", "tasu", "hiku", "kakeru", "waru"};
    for (const auto& [key, value] : state) {
        const std::string at = key.substr(0, key.rfind('.') + 1);
        const std::string name = key.substr(at.size());
        if ((name == "mark" && value.size() > 1 && value != state.at(at + "pend")) ||
            ((name == "mark" || name == "pend") && !marks.contains(value)) ||
            (name == "operand" && value != "i0" &&
             value.find_first_of("_id") != std::string::npos) ||
            (name == "display" &&
             (value.empty() || value.find_first_not_of("0123456789.-+E") != std::string::npos))) {
            return key + " is " + value;
        }
    }
    return "";
}

}  // namespace

HeadlessForm::HeadlessForm(FakeServices* shared, platform::Window* Form1)
    : owned_services(shared ? nullptr : std::make_unique<FakeServices>()),
      services(shared ? *shared : *owned_services),
      core(services, *this, Form1 ? *Form1 : *this, *this) {
    core.Form_Load();
}

std::unique_ptr<platform::Window> HeadlessForm::create_form() {
    return std::make_unique<HeadlessForm>(&services, &core.main_window());
}

void HeadlessForm::type(std::string_view keys) {
    HeadlessForm* target = this;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        char16_t code = static_cast<unsigned char>(keys[i]);
        if (code == '[' || code == '{') {
            const std::size_t end = keys.find(code == '[' ? ']' : '}', i);
            const std::string token(keys.substr(i + 1, end - i - 1));
            i = end;
            if (code == '{') {
                target->value = token;
            } else {
                target = token == ">"   ? target->extra()
                         : token == "<" ? this
                                        : (target->event(token), target);
            }
        } else if (target->core.Text1_KeyPress(code), code != 0) {
            throw std::logic_error("a typed character reached the display");
        }
    }
}

void HeadlessForm::event(const std::string& token) {
    // The modifiers of a key-down by name, in front of the key: "S-F1", "C-A-F5", "C-KP-".
    int shift = 0;
    std::string_view key = token;
    for (; key.size() > 2 && key[1] == '-'; key.remove_prefix(2)) {
        shift |= key[0] == 'S' ? 1 : key[0] == 'C' ? 2 : key[0] == 'A' ? 4 : 0;
    }
    float x = 0, y = 0;
    char word[16] = {};
    std::sscanf(std::string(key).c_str(), "%15s %f %f", word, &x, &y);
    const std::string_view w = word;
    // clang-format off
    w == "Down"      ? core.Text1_MouseDown(x, y)
    : w == "Move"    ? core.Text1_MouseMove(x, y)
    : w == "Up"      ? core.Text1_MouseUp()
    : w == "Tick"    ? core.Timer1_Timer()
    : w == "Close"   ? core.window_closed()
    : w == "!memory" ? void(services.fault = std::make_exception_ptr(std::bad_alloc()))
    : w == "!error"  ? void(services.fault = std::make_exception_ptr(std::runtime_error("broken")))
    : key_down(w == "Del" ? 46 : w == "Ins" ? 45 : w == "KP-" ? 109 : 111 + std::atoi(word + 1), shift);
    // clang-format on
}

std::map<std::string, std::string> HeadlessForm::observed(const std::string& prefix) const {
    std::string reg, box;
    for (int key = 112; key <= 123; ++key) {
        if (core.fkey_memory[key].index() != 0) {
            reg += (reg.empty() ? "F" : " F") + str(key - 111) + ":" + shown(core.fkey_memory[key]);
        }
    }
    for (const Box& b : services.boxes) {
        box += (box.empty() ? "" : " | ") + str(int(b.style)) + " " + b.title + " " + b.message;
    }
    const auto& c = core.calculator;
    // clang-format off
    const std::pair<const char*, std::string> fields[] = {
        {"display", display()}, {"mark", shown(c.op_mark)}, {"pend", shown(c.pending_op)},
        {"operand", shown(c.operand)}, {"reg", reg}, {"memo", shown(core.memo.memo_text)},
        {"mouse", str(int{core.mouse_mode})}, {"pos", str(left_twips) + "," + str(top_twips)},
        {"size", str(width_twips) + "x" + str(height_twips)}, {"caption", caption},
        {"timer", str(int{timer})}, {"colour", str(display_colour, 16)},
        {"top", str(int{on_top})}, {"shows", str(shows)}, {"visible", str(int{visible})},
        // the services, which all windows share
        {"box", box}, {"asked", services.input_requests.empty() ? "" : services.input_requests.back()},
        {"beeps", str(services.beeps)}, {"end", str(services.end_calls)},
        {"randomize", str(services.randomize_calls)}, {"clip", services.clipboard}};
    // clang-format on
    std::map<std::string, std::string> named;
    for (std::size_t i = 0; i < (prefix.empty() ? std::size(fields) : 15); ++i) {
        named[prefix + fields[i].first] = fields[i].second;
    }
    if (const HeadlessForm* further = extra()) {
        named.merge(further->observed(prefix + "z."));
    }
    return named;
}

bool writes_number(char16_t code) {
    return std::u16string_view(u"+-*/\refghjklbr\x16").find(code) != std::u16string_view::npos;
}

std::string checked_event(HeadlessForm& form, const std::function<void()>& event, bool computes) {
    // The windows' state only: the services' records change with every box.
    const auto before = form.observed("main.");
    const std::size_t first_box = form.services.boxes.size();
    try {
        event();
    } catch (...) {
        return "an exception left the form";
    }
    const auto after = form.observed("main.");
    bool fault = false;
    for (auto box = form.services.boxes.begin() + first_box; box != form.services.boxes.end();
         ++box) {
        if (!is_known(*box)) {
            return "a box the program never shows: " + box->title + " " + box->message;
        }
        fault |= box->style == Style::critical && box->message != "新しいKiruneが現れました。";
    }
    if (fault && after != before) {
        return "a fault changed the state";
    }
    // A text beyond the double range throws here, which fails as well.
    const std::string& display = form.display();
    if (computes && !fault && display != before.at("main.display") &&
        platform::double_text(platform::leading_number(display)) != display) {
        return "the computed display " + display + " does not read back";
    }
    return state_problem(after);
}

}  // namespace support
