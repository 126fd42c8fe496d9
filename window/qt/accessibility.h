#pragma once

#include <string>

class QWidget;

namespace window::qt {

class Display;

// Gives the window the name a screen reader calls it by, whatever its caption: the caption
// turns into a ticking clock. The description is the core's (the place of a further window).
void keep_accessible_name(QWidget& window, const std::string& description);

// Makes the display heard by a screen reader as a calculator's display should be: its whole
// text read on focus, and every text it did not get by typing spoken once, as written. The
// display calls it first thing when it is built.
void install_display_accessibility(Display& display);

}  // namespace window::qt
