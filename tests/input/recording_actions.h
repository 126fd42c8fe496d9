#pragma once

#include <string>
#include <vector>

#include "input/form_actions.h"

namespace support {

// Records the name of every action reached, with the F-key code where there is one.
class RecordingActions : public input::FormActions {
public:
    std::vector<std::string> calls;

#define KIRUNE_RECORD(name)        \
    void name() override {         \
        calls.emplace_back(#name); \
    }
    KIRUNE_RECORD(clr_Click)
    KIRUNE_RECORD(puls_Click)
    KIRUNE_RECORD(Command1_Click)
    KIRUNE_RECORD(Command2_Click)
    KIRUNE_RECORD(Command3_Click)
    KIRUNE_RECORD(Command4_Click)
    KIRUNE_RECORD(Command5_Click)
    KIRUNE_RECORD(decimal_point)
    KIRUNE_RECORD(end_program)
    KIRUNE_RECORD(sign)
    KIRUNE_RECORD(square)
    KIRUNE_RECORD(cube)
    KIRUNE_RECORD(times_628)
    KIRUNE_RECORD(circle_area)
    KIRUNE_RECORD(sphere_volume)
    KIRUNE_RECORD(random_number)
    KIRUNE_RECORD(binary_to_decimal)
    KIRUNE_RECORD(decimal_to_binary)
    KIRUNE_RECORD(clock_with_resize)
    KIRUNE_RECORD(clock_toggle)
    KIRUNE_RECORD(centre_window)
    KIRUNE_RECORD(main_window_display_size)
    KIRUNE_RECORD(main_window_tiny)
    KIRUNE_RECORD(display_light_red)
    KIRUNE_RECORD(display_light_yellow)
    KIRUNE_RECORD(display_white)
    KIRUNE_RECORD(display_button_face)
    KIRUNE_RECORD(toggle_mouse_mode)
    KIRUNE_RECORD(open_extra_window)
    KIRUNE_RECORD(enter_memo)
    KIRUNE_RECORD(show_memo)
    KIRUNE_RECORD(date_time_message)
    KIRUNE_RECORD(delete_last_character)
    KIRUNE_RECORD(change_sign)
    KIRUNE_RECORD(memory_clear_all)
    KIRUNE_RECORD(copy_display)
    KIRUNE_RECORD(paste_number)
    KIRUNE_RECORD(toggle_stay_on_top)
#undef KIRUNE_RECORD

    void digit_entry(int digit) override {
        calls.push_back("digit " + std::to_string(digit));
    }
    void memory_store(int key) override {
        calls.push_back("store " + std::to_string(key));
    }
    void memory_recall(int key) override {
        calls.push_back("recall " + std::to_string(key));
    }
    void memory_show(int key) override {
        calls.push_back("show " + std::to_string(key));
    }
    void memory_clear(int key) override {
        calls.push_back("clear " + std::to_string(key));
    }
};

}  // namespace support
