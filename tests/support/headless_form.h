#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "input/form_core.h"
#include "tests/support/fake_services.h"
#include "tests/support/fake_window.h"

namespace support {

// A calculator window without a toolkit: the real FormCore (key map, engine, memo, window
// rules) on a recording window system. The tests drive it exactly as the Qt window does.
class HeadlessForm : public FakeWindow {
public:
    // A main window with services of its own.
    HeadlessForm();
    // A main window on shared services.
    explicit HeadlessForm(FakeServices& services);
    // A further window: shares the services and addresses Form1 as its main window.
    HeadlessForm(FakeServices& services, platform::Window& Form1);

    std::unique_ptr<platform::Window> create_form() override;

    // Types each character as a key press (its code is the character's byte).
    void type(std::string_view keys);
    // A key-down event; returns the key code as the handler left it.
    std::uint16_t key_down(std::uint16_t key_code, int shift = 0);

    const std::string& display() const { return Text1.value; }
    // The window opened with "z", or nullptr.
    HeadlessForm* extra() const;

private:
    std::unique_ptr<FakeServices> owned_services;

public:
    FakeServices& services;
    FakeTextBox Text1;
    input::FormCore core;
};

}  // namespace support
