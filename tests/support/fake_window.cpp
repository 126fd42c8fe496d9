#include "tests/support/fake_window.h"

namespace support {

std::string FakeWindow::digit_caption(int digit) const {
    return std::string(1, static_cast<char>('0' + digit));
}

std::unique_ptr<platform::Window> FakeWindow::create_form() {
    return factory ? factory() : nullptr;
}

}  // namespace support
