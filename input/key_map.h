#pragma once

#include <span>

namespace input {

class FormCore;

struct KeyRow {
    char16_t code;
    void (*action)(FormCore&);
};

// The whole key map, in code order. Codes not in it (upper-case letters, "n", ...) do nothing.
std::span<const KeyRow> key_map();

// Runs the action of a typed character and cancels the character: on return key_ascii is 0,
// so the text box never edits itself.
void Text1_KeyPress(FormCore& form, char16_t& key_ascii);

}  // namespace input
