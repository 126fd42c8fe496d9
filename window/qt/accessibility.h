#pragma once

namespace window::qt {

class Display;

// Makes the display heard by a screen reader as a calculator's display should be: its whole
// text read on focus, and every text it did not get by typing spoken once, as written. The
// display calls it first thing when it is built.
void install_display_accessibility(Display& display);

}  // namespace window::qt
