// The keys and events that act on windows rather than on the calculation: the caption clock,
// the mouse pull and flight, sizes, colours and further windows. Size, caption and clock
// statements address Form1, the main window, whichever window received the event.
#include <string>

#include "input/form_core.h"
#include "input/texts.h"
#include "platform/form_layout.h"
#include "platform/identity.h"

namespace input {

namespace {

using platform::display_height;
using platform::display_width;

// Twips, as single-precision numbers like every position the window system takes.
constexpr float tiny_size = 30.0F;

}  // namespace

void FormCore::Timer1_Timer() {
    guarded([&] { Form1.set_caption(services.now_text()); });
}

void FormCore::clock_with_resize() {
    if (self.timer_enabled()) {
        Form1.set_height(display_height);
        Form1.set_width(display_width);
        self.set_timer_enabled(false);
        Form1.set_caption(platform::program_name);
    } else {
        self.set_timer_enabled(true);
        Form1.set_height(tiny_size);
        Form1.set_width(tiny_size);
    }
}

void FormCore::clock_toggle() {
    if (self.timer_enabled()) {
        self.set_timer_enabled(false);
        Form1.set_caption(platform::program_name);
    } else {
        self.set_timer_enabled(true);
    }
}

// Where the window system places every window itself, the keys that move the window refuse
// with a beep rather than do nothing.
void FormCore::centre_window() {
    if (!self.places_itself()) {
        services.beep();
        return;
    }
    // Computed in double, set as single: a window larger than the screen goes partly off it.
    const double screen_width = self.screen_width();
    const double screen_height = self.screen_height();
    self.set_left(static_cast<float>(screen_width / 2 - self.width() / 2.0));
    self.set_top(static_cast<float>(screen_height / 2 - self.height() / 2.0));
}

void FormCore::main_window_display_size() {
    Form1.set_height(display_height);
    Form1.set_width(display_width);
}

void FormCore::main_window_tiny() {
    Form1.set_height(tiny_size);
    Form1.set_width(tiny_size);
}

void FormCore::open_extra_window() {
    services.message_box(new_window_message, platform::BoxStyle::critical, platform::program_name);
    // One further window per window: "z" again shows the same one; "z" in it opens a third.
    if (!extra_window) {
        extra_window = self.create_form();
    }
    if (extra_window) {
        extra_window->show();
    }
}

// The pull puts the centre of the main window's size, laid over this window, under the
// point pressed. Offsets come from Form1's size even in a further window.
void FormCore::Text1_MouseDown(float x, float y) {
    guarded([&] {
        // A click while the clock runs keeps its beat: the caption ticks on, not from the click.
        if (!self.timer_enabled()) {
            self.set_timer_enabled(true);
        }
        const float half_height = Form1.height() / 2;
        if (y > half_height) {
            self.set_top(self.top() + (y - half_height));
        } else if (y < half_height) {
            self.set_top(self.top() - (half_height - y));
        }
        self.set_left(self.left() + (x - Form1.width() / 2));
    });
}

void FormCore::mouse_mode_toggle() {
    mouse_mode = !mouse_mode;
    if (!self.places_itself()) {
        services.beep();
    }
}

// While mouse_mode is on the window flees: mirrored offset, three times as far vertically.
void FormCore::Text1_MouseMove(float x, float y) {
    if (!mouse_mode) {
        return;
    }
    guarded([&] {
        const float a = Form1.width() / 2 - x;
        const float b = Form1.height() / 2 - y;
        self.set_left(self.left() + a);
        self.set_top(self.top() + 3 * b);
    });
}

// A hidden window's clock stops: nobody could see it or stop it. Closing the main window ends
// the program, like Esc; a further window only hides, and "z" in its opener shows it again as
// it was.
void FormCore::window_closed() {
    guarded([&] {
        self.set_timer_enabled(false);
        if (&self == &Form1) {
            services.end_program();
        } else {
            self.hide();
        }
    });
}

// The caption keeps the last time shown: only space and "y" put the name back.
void FormCore::Text1_MouseUp() {
    self.set_timer_enabled(false);
}

}  // namespace input
