#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "input/form_core.h"
#include "tests/support/fake_services.h"
#include "tests/support/fake_window.h"

namespace support {

// A calculator window without a toolkit: the real FormCore (key map, engine, memo, window
// rules) on a recording window system and display. The tests drive it as the Qt window does.
class HeadlessForm : public FakeWindow, public platform::TextBox {
public:
    // A main window with services of its own, or a further window that shares the services
    // and was opened in the opener's window.
    explicit HeadlessForm(FakeServices* shared = nullptr, const input::FormCore* opener = nullptr);

    std::unique_ptr<platform::Window> create_form() override {
        return std::make_unique<HeadlessForm>(&services, &core);
    }

    // Keys in a small notation, each a stroke as a window hands it over (key code, modifiers,
    // character). A character is the stroke that types it: "5" the key 5, "+" the keypad's,
    // "\r" Enter, "\x16" Ctrl+V, "／" a character an input method typed with no key. "[...]" is
    // another event: a stroke with its modifiers in front ("[F3]", "[S-F3]" Shift+F3, "[C-A-F3]",
    // "[Del]", "[S-Del]", "[C-KP-]", "[C-Ins]", "[C-H]" Ctrl+H typing "\b", "[A-5]"), "[Char c]" a
    // further character of the last stroke, "[Win]" Ctrl strokes typing what Windows types from
    // now on, the mouse in twips ("[Down x y]", "[Move x y]", "[Up]"), a clock tick ("[Tick]"),
    // the window closed by the user ("[Close]"), the window on Wayland from now on ("[Wayland]"),
    // "[>]": what follows goes to the further window, "[<]": back to this one, or "[!memory]",
    // "[!error]": the next service call throws std::bad_alloc or another std::exception.
    // "{text}" puts text into the display as an earlier result would have left it (1E+300).
    void type(std::string_view keys);
    // The stroke that types a character; a stroke; a further character of the last stroke. A
    // character left uncancelled is a fault, thrown as std::logic_error.
    void key(char16_t code);
    void stroke(std::uint16_t key_code, input::Modifiers held, char16_t typed);
    void further(char16_t typed);

    const std::string& text() const override { return value; }
    void set_text(std::string text) override { value = std::move(text), typed = false; }
    void set_typed_text(std::string text) override { value = std::move(text), typed = true; }
    std::string value = "0";  // the display Text1
    // How the display was last written: number entry's keys (true) or anything else.
    std::optional<bool> typed;
    // The window opened with "z", or nullptr.
    HeadlessForm* extra() const { return dynamic_cast<HeadlessForm*>(core.further_window()); }

    // The state of this window and of its further windows by name: display, typed (how it was
    // last written, 1 typed, 0 not, "" never), mark, pend, operand, reg, memo (as shown() writes
    // them), mouse, pos, size, caption, timer, colour, top, shows, visible; a further window's
    // names start with "z.". Then the services' records: box ("style title message", "|"
    // between), asked (the last input box), beeps, end, randomize and clip.
    std::map<std::string, std::string> observed() const;

    void event(const std::string& token);  // one "[...]"
    input::ControlKeys control_keys = input::ControlKeys::named;
    std::unique_ptr<FakeServices> owned_services;
    FakeServices& services;
    input::FormCore core;
};

// A Variant as the table and the form driver write it: Empty "_", an Integer "i0", a Double
// "d5", a String as it is.
std::string shown(const platform::Variant& value);

}  // namespace support
