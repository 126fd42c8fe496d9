#include "platform/variant.h"

#include <optional>
#include <type_traits>

#include "platform/number_text.h"
#include "platform/runtime_error.h"

namespace platform {

std::string text_of(const Variant& value) {
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Empty>) {
                return {};
            } else if constexpr (std::is_same_v<T, Integer>) {
                return integer_text(v);
            } else if constexpr (std::is_same_v<T, double>) {
                return double_text(v);
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? "True" : "False";
            } else {
                return v;
            }
        },
        value);
}

bool equals_text(const Variant& value, std::string_view text) {
    if (const auto* string = std::get_if<std::string>(&value)) {
        return *string == text;
    }
    return text_of(value) == text;
}

bool equals_number(const Variant& value, double number) {
    return std::visit(
        [number](const auto& v) -> bool {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Empty>) {
                return number == 0;
            } else if constexpr (std::is_same_v<T, bool>) {
                // True is -1, as the old runtime stores it.
                return (v ? -1.0 : 0.0) == number;
            } else if constexpr (std::is_same_v<T, std::string>) {
                // "" is no number either: comparing it with 0 is a type mismatch.
                const std::optional<double> read = whole_number(v);
                if (!read) {
                    throw RuntimeError(ErrorKind::type_mismatch);
                }
                return *read == number;
            } else {
                return static_cast<double>(v) == number;
            }
        },
        value);
}

bool is_empty(const Variant& value) {
    return std::holds_alternative<Empty>(value);
}

}  // namespace platform
