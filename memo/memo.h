#pragma once

#include "platform/services.h"
#include "platform/variant.h"

namespace memo {

// One window's note pad and its date-and-time message. Touches neither the display nor the
// calculator state.
class Memo {
public:
    explicit Memo(platform::Services& services);

    // Empty until the first key q, then always a String (possibly "").
    platform::Variant memo_text;

    void enter_memo();         // q: input box; Cancel erases the memo
    void show_memo();          // w
    void date_time_message();  // t

private:
    platform::Services& services;
};

}  // namespace memo
