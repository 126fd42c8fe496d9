#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace platform {

// The tagged value of the old form runtime, reduced to the kinds this program meets.
// Empty is "never assigned": it compares equal to both "" and 0.
struct Empty {
    bool operator==(const Empty&) const = default;
};

using Integer = std::int16_t;

using Variant = std::variant<Empty, Integer, double, std::string>;

// The text form of a value: a String as it is, Empty as "", a number as its number text.
std::string text_of(const Variant& value);

// Variant equality with a text constant: Empty equals ""; numbers are compared by their text.
bool equals_text(const Variant& value, std::string_view text);

}  // namespace platform
