#include "memo/memo.h"

#include "memo/texts.h"
#include "platform/identity.h"

namespace memo {

Memo::Memo(platform::Services& services) : services(services) {}

void Memo::enter_memo() {
    // Cancel answers "", so a cancelled box erases the memo.
    memo_text = services.input_box(memo_prompt, platform::program_name, text_of(memo_text));
}

void Memo::show_memo() {
    services.message_box(text_of(memo_text), platform::BoxStyle::information,
                         platform::program_name);
}

void Memo::date_time_message() {
    services.message_box(services.now_text(), platform::BoxStyle::information,
                         platform::program_name);
}

}  // namespace memo
