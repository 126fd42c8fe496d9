#pragma once

#include <optional>
#include <ostream>

namespace app {

// Answers --help and --version and refuses arguments nobody understands,
// before Qt is started, so that both work without a display. Kirune has no
// options of its own beyond these two; Qt's own options (-platform xcb,
// -style fusion, ...) and their values are let through for QApplication.
// Returns the exit status when the program should end here, or nullopt when
// the calculator should start.
std::optional<int> handle_command_line(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& err);

}  // namespace app
