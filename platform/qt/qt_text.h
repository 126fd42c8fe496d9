#pragma once

#include <string_view>

#include <QString>

namespace platform::qt {

// The core's texts are UTF-8 and not null-terminated.
inline QString to_qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace platform::qt
