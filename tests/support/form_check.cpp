#include "tests/support/form_check.h"

#include <cmath>
#include <set>

#include "platform/number_text.h"

namespace support {

namespace {

using Style = platform::BoxStyle;

bool only(std::string_view text, std::string_view allowed) {
    return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
}

bool reads_back(const std::string& text) {
    try {
        return platform::double_text(platform::leading_number(text)) == text;
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

// Every box the program shows: the faults, the new window, what the conversions, memo, date and
// registers tell.
bool is_known(const Box& box) {
    static const std::set<std::string> critical{"0 で割ることはできません。", "数が大きすぎます。",
                                                "負の数の平方根は求められません。",
                                                "新しいKiruneが現れました。"};
    if (box.title == "Kirune") {
        return box.style == Style::information ||
               (box.style == Style::critical && critical.contains(box.message));
    }
    return (box.title == "Kirune（十進法）" && box.style == Style::exclamation) ||
           (box.title == "Kirune（二進法）" && box.style != Style::critical);
}

// In every window of the chain: the marks are Empty, "" or an operation name, and op_mark is
// empty or pending_op; the operand is the Integer 0 or a text; the display and the registers
// hold number texts (no "inf", no "nan").
std::string state_problem(const std::map<std::string, std::string>& state) {
    static const std::set<std::string> marks{"_", "", "tasu", "hiku", "kakeru", "waru"};
    for (const auto& [key, value] : state) {
        const std::string at = key.substr(0, key.rfind('.') + 1);
        const std::string name = key.substr(at.size());
        const bool ok =
            name == "mark"
                ? marks.contains(value) && (value.size() < 2 || value == state.at(at + "pend"))
            : name == "pend"    ? marks.contains(value)
            : name == "operand" ? value == "i0" || value.find_first_of("_id") == std::string::npos
            : name == "display" ? only(value, "0123456789.-+E")
            : name == "reg" ? value.find_first_not_of("F0123456789:id.-+E ") == std::string::npos
                            : true;
        if (!ok) {
            return key + " is " + value;
        }
    }
    return "";
}

}  // namespace

bool writes_number(char16_t code) {
    return std::u16string_view(u"+-*/\refghjklbr\x16").find(code) != std::u16string_view::npos;
}

std::string checked_event(HeadlessForm& form, const std::function<void()>& event, bool computes) {
    auto before = form.observed();
    const std::size_t first_box = form.services.boxes.size();
    try {
        event();
    } catch (...) {
        return "an exception left the form";
    }
    auto after = form.observed();
    bool fault = false;
    for (std::size_t i = first_box; i < form.services.boxes.size(); ++i) {
        const Box& box = form.services.boxes[i];
        if (!is_known(box)) {
            return "a box the program never shows: " + after["box"];
        }
        fault =
            fault || (box.style == Style::critical && box.message != "新しいKiruneが現れました。");
    }
    // What the boxes say and which key was pressed last are no state of the form.
    for (const char* record : {"box", "key"}) {
        before.erase(record);
        after.erase(record);
    }
    if (fault && after != before) {
        return "a fault changed the state";
    }
    const std::string& display = form.display();
    if (computes && !fault && display != before["display"] && !reads_back(display)) {
        return "the computed display " + display + " does not read back";
    }
    return state_problem(after);
}

}  // namespace support
