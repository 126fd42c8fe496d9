#pragma once

class QWidget;

namespace window::qt {

class Display;

// Gives the window the name a screen reader calls it by, whatever its caption: the caption
// turns into a ticking clock. Every window has that name and opens in the same place, so a
// further one (number 2, 3, ... in the chain) tells its place: "Kirune. 2 番目のウィンドウ.".
void keep_accessible_name(QWidget& window, int number);

// Makes the display heard by a screen reader as a calculator's display should be: its whole
// text read on focus, and every text it did not get by typing spoken once, as written. The
// display calls it first thing when it is built.
void install_display_accessibility(Display& display);

}  // namespace window::qt
