#include "engine/memory_registers.h"

#include "platform/identity.h"
#include "platform/number_text.h"

namespace engine {

MemoryRegisters::MemoryRegisters(platform::TextBox& Text1, platform::Services& services)
    : Text1(Text1), services(services) {}

// A number beyond the double range throws before the register is touched.
void MemoryRegisters::store(int key_code) {
    const double value = platform::leading_number(Text1.text());
    registers.at(key_code - first_key) = value;
}

// Empty and the cleared Integer 0 both read as 0 and recall as "0".
void MemoryRegisters::recall(int key_code) {
    const double value = platform::leading_number(platform::text_of((*this)[key_code]));
    Text1.set_text(platform::double_text(value));
}

// Unlike recall, show tells Empty (an empty message) from cleared ("0").
void MemoryRegisters::show(int key_code) {
    services.message_box(platform::text_of((*this)[key_code]), platform::BoxStyle::information,
                         platform::program_name);
}

void MemoryRegisters::clear(int key_code) {
    registers.at(key_code - first_key) = platform::Integer{0};
}

void MemoryRegisters::clear_all() {
    for (auto& reg : registers) {
        reg = platform::Integer{0};
    }
}

const platform::Variant& MemoryRegisters::operator[](int key_code) const {
    return registers.at(key_code - first_key);
}

}  // namespace engine
