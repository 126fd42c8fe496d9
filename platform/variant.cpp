#include "platform/variant.h"

#include <type_traits>

#include "platform/number_text.h"

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

}  // namespace platform
