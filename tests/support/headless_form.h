#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "input/form_core.h"
#include "tests/support/fake_services.h"
#include "tests/support/fake_window.h"

namespace support {

// Everything of one window an event can change, as a value: the check compares two of them
// around every event, and the key table reads them by name through HeadlessForm::observed.
struct WindowState {
    std::string display;
    platform::Variant op_mark, pending_op, operand, memo_text;
    std::array<platform::Variant, 12> registers;  // F1 to F12
    bool mouse_mode = false;
    WindowRecord window;
    bool operator==(const WindowState&) const = default;
};

// A calculator window without a toolkit: the real FormCore (key map, engine, memo, window
// rules) on a recording window system and display. The tests drive it as the Qt window does.
class HeadlessForm : public FakeWindow, public platform::TextBox {
public:
    // A main window with services of its own, or a further window that shares the services
    // and was opened in the opener's window.
    explicit HeadlessForm(FakeServices* shared = nullptr, const input::FormCore* opener = nullptr);

    std::unique_ptr<platform::Window> create_form() override;

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

    const std::string& display() const { return value; }
    const std::string& text() const override { return value; }
    void set_text(std::string text) override { value = std::move(text), typed = false; }
    void set_typed_text(std::string text) override { value = std::move(text), typed = true; }
    std::string value = "0";  // the display Text1
    // How the display was last written: number entry's keys (true) or anything else.
    std::optional<bool> typed;
    // The window opened with "z", or nullptr.
    HeadlessForm* extra() const { return dynamic_cast<HeadlessForm*>(core.further_window()); }

    // The state of this window and of its further windows, in chain order, written over
    // `chain` so that its strings keep their storage from one event to the next.
    void observe(std::vector<WindowState>& chain) const;
    // The same by name: display, mark, pend, operand, reg, memo, mouse, pos, size, caption,
    // timer, colour, top, shows, visible; a further window's names start with "z.". Empty reads
    // "_", an Integer "i0", a Double "d5", a String as it is. Then the services' records: box
    // ("style title message", "|" between), asked (the last input box), beeps, end, randomize
    // and clip.
    std::map<std::string, std::string> observed() const;

    void event(const std::string& token);  // one "[...]"
    input::ControlKeys control_keys = input::ControlKeys::named;
    std::unique_ptr<FakeServices> owned_services;
    FakeServices& services;
    input::FormCore core;
};

// What a key writes into the display when it changes it: number entry's keys type it (a
// screen reader has echoed them); every other key writes a text the user did not type, some a
// computed number. `any` is for an event the check cannot tell; `two_events` for a stroke
// whose key-down and key-press may both act, where a fault in one leaves the other to run.
enum class Writes { text, number, entry, any, two_events };
Writes writes(char16_t code);

// The check the property test and the fuzzer make around every event, so both look for the
// same faults: an exception left the form; a box the program never shows; a fault box that
// changed the state; a state the calculator cannot be in (in any window of the chain); a window
// that changed once the program began to end; or, when the main window's display changed, a
// write that is not what the key `writes`, or a computed text that does not read back.
// The state after one event is the state before the next: it is taken once an event, so
// nothing but checked events may change the windows while a check watches them.
class EventCheck {
public:
    explicit EventCheck(HeadlessForm& form);

    // Runs the event; returns what went wrong, or "".
    template <typename Event>
    std::string operator()(Event&& event, Writes kind) {
        const std::size_t first_box = form.services.boxes.size();
        form.typed.reset();
        try {
            event();
        } catch (const std::logic_error& fault) {
            form.observe(state);
            return fault.what();
        } catch (...) {
            form.observe(state);
            return "an exception left the form";
        }
        return after_event(first_box, kind);
    }

private:
    std::string after_event(std::size_t first_box, Writes kind);

    HeadlessForm& form;
    // The windows now, and before the last event; the two swap rather than reallocate.
    std::vector<WindowState> state, previous;
    std::vector<WindowState> at_end;  // the windows when the program began to end
};

}  // namespace support
