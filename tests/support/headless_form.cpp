#include "tests/support/headless_form.h"

namespace support {

HeadlessForm::HeadlessForm()
    : owned_services(std::make_unique<FakeServices>()),
      services(*owned_services),
      core(services, *this, *this, Text1) {
    core.Form_Load();
}

HeadlessForm::HeadlessForm(FakeServices& services)
    : services(services), core(services, *this, *this, Text1) {
    core.Form_Load();
}

HeadlessForm::HeadlessForm(FakeServices& services, platform::Window& Form1)
    : services(services), core(services, *this, Form1, Text1) {
    core.Form_Load();
}

std::unique_ptr<platform::Window> HeadlessForm::create_form() {
    // Every further window addresses the same main window as its creator.
    return std::make_unique<HeadlessForm>(services, core.main_window());
}

void HeadlessForm::type(std::string_view keys) {
    for (const char key : keys) {
        auto code = static_cast<char16_t>(static_cast<unsigned char>(key));
        core.Text1_KeyPress(code);
    }
}

std::uint16_t HeadlessForm::key_down(std::uint16_t key_code, int shift) {
    core.Text1_KeyDown(key_code, shift);
    return key_code;
}

HeadlessForm* HeadlessForm::extra() const {
    return dynamic_cast<HeadlessForm*>(core.extra_window.get());
}

}  // namespace support
