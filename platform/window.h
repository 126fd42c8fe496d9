#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/colour.h"

namespace platform {

// The display text box as the core sees it. Its text is the calculator's register.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual const std::string& text() const = 0;
    // A text the user did not type: a result, a recall, a clear, a paste. A screen reader is
    // told it.
    virtual void set_text(std::string text) = 0;
    // The text after a key of number entry (a digit or the point), which a screen reader has
    // already echoed as the key.
    virtual void set_typed_text(std::string text) { set_text(std::move(text)); }
};

// One calculator window as the core sees it. Lengths are twips (15 per device-independent
// pixel) as single-precision numbers; Left/Top/Width/Height are the outer geometry, which
// equals the client area since the window has no frame.
class Window {
public:
    virtual ~Window() = default;

    virtual float left() const = 0;
    virtual float top() const = 0;
    virtual float width() const = 0;
    virtual float height() const = 0;
    virtual void set_left(float twips) = 0;
    virtual void set_top(float twips) = 0;
    virtual void set_width(float twips) = 0;
    virtual void set_height(float twips) = 0;

    // Whether the window system lets a window place itself on the screen (Wayland's does not:
    // there only the user moves windows).
    virtual bool places_itself() const { return true; }

    // The size of the screen this window is on, in twips.
    virtual float screen_width() const = 0;
    virtual float screen_height() const = 0;

    virtual void set_caption(std::string_view caption) = 0;
    virtual void set_display_colour(std::uint32_t colour) = 0;

    // The clock's timer. Enabling starts a fresh interval, also on a running timer: whether a
    // running clock may restart is the caller's rule.
    virtual bool timer_enabled() const = 0;
    virtual void set_timer_enabled(bool enabled) = 0;

    // A hint to keep the window above others; window systems may ignore it.
    virtual bool stay_on_top() const = 0;
    virtual void set_stay_on_top(bool on_top) = 0;

    // The caption of the hidden button of platform::button_rows[row], as the window holds it.
    virtual std::string button_caption(std::size_t row) const = 0;

    // Shows the window modeless, without an owner.
    virtual void show() = 0;
    virtual void hide() = 0;

    // Creates a further, complete calculator window that shares this one's services and main
    // window. It is not shown yet.
    virtual std::unique_ptr<Window> create_form() = 0;
};

}  // namespace platform
