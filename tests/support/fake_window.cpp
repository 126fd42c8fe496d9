#include "tests/support/fake_window.h"

namespace support {

std::string FakeWindow::digit_caption(int digit) const {
    return std::string(1, static_cast<char>('0' + digit));
}

// A bare window system opens no further windows; the headless form does.
std::unique_ptr<platform::Window> FakeWindow::create_form() {
    return nullptr;
}

}  // namespace support
