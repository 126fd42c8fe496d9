#pragma once

#include <QIcon>

namespace window::qt {

// The program's icon from the built-in resources, in every size drawn.
QIcon program_icon();

}  // namespace window::qt
