#include "input/key_map.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/input/recording_actions.h"

namespace {

using support::RecordingActions;

// The key map a user reads in the README: code to action.
const std::map<char16_t, std::string> expected_map = {
    {3, "copy_display"},
    {8, "clr_Click"},
    {13, "Command4_Click"},
    {20, "toggle_stay_on_top"},
    {22, "paste_number"},
    {27, "end_program"},
    {32, "clock_with_resize"},
    {u'*', "Command2_Click"},
    {u'+', "puls_Click"},
    {u'-', "Command1_Click"},
    {u'.', "decimal_point"},
    {u'/', "Command3_Click"},
    {u'0', "digit 0"},
    {u'1', "digit 1"},
    {u'2', "digit 2"},
    {u'3', "digit 3"},
    {u'4', "digit 4"},
    {u'5', "digit 5"},
    {u'6', "digit 6"},
    {u'7', "digit 7"},
    {u'8', "digit 8"},
    {u'9', "digit 9"},
    {u'a', "centre_window"},
    {u'b', "binary_to_decimal"},
    {u'c', "clr_Click"},
    {u'd', "main_window_display_size"},
    {u'e', "sign"},
    {u'f', "square"},
    {u'g', "cube"},
    {u'h', "times_628"},
    {u'i', "display_light_red"},
    {u'j', "circle_area"},
    {u'k', "sphere_volume"},
    {u'l', "random_number"},
    {u'm', "toggle_mouse_mode"},
    {u'o', "display_light_yellow"},
    {u'p', "display_white"},
    {u'q', "enter_memo"},
    {u'r', "Command5_Click"},
    {u's', "main_window_tiny"},
    {u't', "date_time_message"},
    {u'u', "display_button_face"},
    {u'v', "decimal_to_binary"},
    {u'w', "show_memo"},
    {u'x', "end_program"},
    {u'y', "clock_toggle"},
    {u'z', "open_extra_window"},
};

TEST(KeyMap, EveryCodeReachesItsActionAndNothingElse) {
    // All 16-bit codes: listed ones run exactly their action, the rest run nothing.
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        RecordingActions form;
        auto key = static_cast<char16_t>(code);
        input::Text1_KeyPress(form, key);
        const auto row = expected_map.find(static_cast<char16_t>(code));
        if (row == expected_map.end()) {
            EXPECT_TRUE(form.calls.empty()) << "code " << code << " reached " << form.calls[0];
        } else {
            ASSERT_EQ(form.calls.size(), 1U) << "code " << code;
            EXPECT_EQ(form.calls[0], row->second) << "code " << code;
        }
    }
}

TEST(KeyMap, TableListsEachKeyOnce) {
    EXPECT_EQ(input::key_map().size(), expected_map.size());
}

TEST(KeyMap, EveryCharacterIsCancelled) {
    for (char16_t code : {u'5', u'A', u'n', u'\x1b', u'\x00e9', u'\x3042', u'+'}) {
        RecordingActions form;
        char16_t key = code;
        input::Text1_KeyPress(form, key);
        EXPECT_EQ(key, 0) << "code " << static_cast<unsigned>(code);
    }
}

TEST(KeyMap, UpperCaseLettersAndNDoNothing) {
    RecordingActions form;
    for (char16_t code = u'A'; code <= u'Z'; ++code) {
        char16_t key = code;
        input::Text1_KeyPress(form, key);
    }
    char16_t n = u'n';
    input::Text1_KeyPress(form, n);
    EXPECT_TRUE(form.calls.empty());
}

struct KeyDownCase {
    std::uint16_t key_code;
    int shift;
    const char* action;  // "" for nothing
    std::uint16_t key_code_after;
};

// Shift states are whole values: Shift+Ctrl (3) is neither Shift nor Ctrl.
constexpr KeyDownCase key_down_cases[] = {
    {46, 1, "delete_last_character", 46},
    {46, 0, "clr_Click", 0},
    {46, 2, "clr_Click", 0},
    {46, 3, "clr_Click", 0},
    {46, 4, "clr_Click", 0},
    {46, 7, "clr_Click", 0},
    {109, 2, "change_sign", 109},
    {109, 0, "", 109},
    {109, 1, "", 109},
    {109, 3, "", 109},
    {109, 6, "", 109},
    {112, 0, "store 112", 112},
    {123, 0, "store 123", 123},
    {117, 1, "recall 117", 117},
    {118, 2, "show 118", 118},
    {114, 4, "clear 114", 114},
    {114, 6, "memory_clear_all", 114},
    {112, 3, "", 112},
    {112, 5, "", 112},
    {112, 7, "", 112},
    {111, 0, "", 111},  // below F1
    {124, 0, "", 124},  // F13
    {45, 2, "copy_display", 45},
    {45, 1, "paste_number", 45},
    {45, 0, "", 45},
    {45, 3, "", 45},
    {8, 0, "", 8},  // Backspace is a typed character, not a key-down key
    {13, 0, "", 13},
};

TEST(KeyDown, DispatchByKeyAndWholeShiftState) {
    for (const auto& c : key_down_cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key_code << " shift " << c.shift);
        RecordingActions form;
        std::uint16_t key = c.key_code;
        input::Text1_KeyDown(form, key, c.shift);
        if (std::string(c.action).empty()) {
            EXPECT_TRUE(form.calls.empty());
        } else {
            ASSERT_EQ(form.calls.size(), 1U);
            EXPECT_EQ(form.calls[0], c.action);
        }
        EXPECT_EQ(key, c.key_code_after);
    }
}

}  // namespace
