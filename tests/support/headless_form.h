#pragma once

#include <map>
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
    // A main window with services of its own, or a further window that shares the services
    // and addresses Form1 as its main window.
    explicit HeadlessForm(FakeServices* shared = nullptr, platform::Window* Form1 = nullptr);

    std::unique_ptr<platform::Window> create_form() override;

    // Keys in a small notation. A character is a key press of its byte ("\r" Enter, "\x16"
    // Ctrl+V). "[...]" is another event: a key-down with its shift state in front ("[F3]",
    // "[1F3]" Shift+F3, "[6F3]", "[Del]", "[1Del]", "[2Kp-]", "[2Ins]"), the mouse in twips
    // ("[Down x y]", "[Move x y]", "[Up]"), a clock tick ("[Tick]"), "[>]": what follows goes
    // to the further window, or "[!memory]", "[!error]": the next service call throws
    // std::bad_alloc or another std::exception. "{text}" puts text into the display as an earlier
    // result would have left it (such as 1E+300).
    void type(std::string_view keys);
    void key_down(std::uint16_t key_code, int shift = 0);
    int key_left = -1;  // the key code the last key-down left (0: consumed)

    const std::string& display() const { return Text1.value; }
    HeadlessForm* extra() const;  // the window opened with "z", or nullptr

    // This window and its further windows by name: display, mark, pend, operand, reg, memo,
    // mouse, pos, size, caption, timer, colour, top, shows; a further window's names start
    // with "z.". Empty reads "_", an Integer "i0", a Double "d5", a String as it is. The main
    // window adds the services' records: box ("style title message", "|" between), asked,
    // beeps, end, randomize, clip, and key.
    std::map<std::string, std::string> observed(const std::string& prefix = "") const;

private:
    void event(std::string_view token);
    std::unique_ptr<FakeServices> owned_services;

public:
    FakeServices& services;
    FakeTextBox Text1;
    input::FormCore core;
};

}  // namespace support
