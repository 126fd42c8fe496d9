#pragma once

#include <array>

#include "platform/services.h"
#include "platform/variant.h"
#include "platform/window.h"

namespace engine {

// The twelve memory registers of F1 to F12, indexed by the key code (112 is F1, 123 F12).
// A register is Empty until first used, a Double once stored, the Integer 0 once cleared;
// Empty and cleared both recall as "0" but show differently.
class MemoryRegisters {
public:
    static constexpr int first_key = 112;
    static constexpr int last_key = 123;

    MemoryRegisters(platform::TextBox& Text1, platform::Services& services);

    void store(int key_code);
    void recall(int key_code);
    void show(int key_code);
    void clear(int key_code);
    void clear_all();

    const platform::Variant& operator[](int key_code) const;

private:
    std::array<platform::Variant, last_key - first_key + 1> registers;
    platform::TextBox& Text1;
    platform::Services& services;
};

}  // namespace engine
