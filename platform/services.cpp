#include "platform/services.h"

#include "platform/identity.h"

namespace platform {

void Services::report_runtime_error(const RuntimeError& error) {
    message_box(error_message(error.kind), BoxStyle::critical, program_name);
}

}  // namespace platform
