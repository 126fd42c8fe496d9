#include "tests/engine/key_script.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/memory_registers.h"

namespace engine_test {

namespace {

constexpr std::uint16_t key_delete = 46;
constexpr std::uint16_t key_keypad_minus = 109;
constexpr std::uint16_t key_f1 = 112;

void key_down(support::HeadlessForm& form, std::string_view token) {
    int shift = 0;
    for (;;) {
        if (token.starts_with("shift+")) {
            shift |= 1;
            token.remove_prefix(6);
        } else if (token.starts_with("ctrl+")) {
            shift |= 2;
            token.remove_prefix(5);
        } else if (token.starts_with("alt+")) {
            shift |= 4;
            token.remove_prefix(4);
        } else {
            break;
        }
    }
    if (token == "del") {
        form.key_down(key_delete, shift);
    } else if (token == "kp-") {
        form.key_down(key_keypad_minus, shift);
    } else if (token.size() >= 2 && token[0] == 'f') {
        const int n = std::stoi(std::string(token.substr(1)));
        form.key_down(static_cast<std::uint16_t>(key_f1 + n - 1), shift);
    } else {
        throw std::invalid_argument("unknown key in script: " + std::string(token));
    }
}

}  // namespace

void press(support::HeadlessForm& form, std::string_view script) {
    while (!script.empty()) {
        const char first = script.front();
        if (first == '[' || first == '{') {
            const std::size_t end = script.find(first == '[' ? ']' : '}');
            if (end == std::string_view::npos) {
                throw std::invalid_argument("unclosed token in script");
            }
            const std::string_view token = script.substr(1, end - 1);
            if (first == '[') {
                key_down(form, token);
            } else {
                form.Text1.value = std::string(token);
            }
            script.remove_prefix(end + 1);
        } else {
            form.type(script.substr(0, 1));
            script.remove_prefix(1);
        }
    }
}

Snapshot snapshot(const support::HeadlessForm& form) {
    Snapshot s{form.display(),
               form.Text1.writes,
               form.core.calculator.op_mark,
               form.core.calculator.pending_op,
               form.core.calculator.operand,
               {}};
    for (int k = engine::MemoryRegisters::first_key; k <= engine::MemoryRegisters::last_key; ++k) {
        s.registers.at(k - engine::MemoryRegisters::first_key) = form.core.fkey_memory[k];
    }
    return s;
}

namespace {

std::string shown(const platform::Variant& v) {
    if (platform::is_empty(v)) {
        return "Empty";
    }
    const char* kind = std::holds_alternative<std::string>(v) ? "String" : "Number";
    return std::string(kind) + " \"" + platform::text_of(v) + "\"";
}

}  // namespace

void PrintTo(const Snapshot& s, std::ostream* out) {
    *out << "{display \"" << s.display << "\" (" << s.display_writes << " writes), op_mark "
         << shown(s.op_mark) << ", pending_op " << shown(s.pending_op) << ", operand "
         << shown(s.operand) << ", registers";
    for (const auto& reg : s.registers) {
        *out << " " << shown(reg);
    }
    *out << "}";
}

platform::Variant text(std::string_view value) {
    return std::string(value);
}

void expect_keys_give_display(std::span<const KeysCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        support::HeadlessForm form;
        press(form, c.keys);
        EXPECT_EQ(form.display(), c.display);
        EXPECT_EQ(form.services.beeps, c.beeps);
        EXPECT_TRUE(form.services.boxes.empty());
    }
}

}  // namespace engine_test

namespace support {

void PrintTo(const Box& box, std::ostream* out) {
    *out << "{\"" << box.message << "\", " << static_cast<int>(box.style) << ", \"" << box.title
         << "\"}";
}

}  // namespace support
