#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/services.h"

namespace support {

struct Box {
    std::string message;
    platform::BoxStyle style;
    std::string title;
    bool operator==(const Box&) const = default;
};

struct InputRequest {
    std::string prompt;
    std::string title;
    std::string default_text;
};

// Records every box and beep; answers input boxes from a script, draws random numbers from a
// script, tells a fixed time.
class FakeServices : public platform::Services {
public:
    void message_box(std::string_view message, platform::BoxStyle style,
                     std::string_view title) override;
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view default_text) override;
    void beep() override { ++beeps; }
    void randomize() override { ++randomize_calls; }
    float random_next() override;
    std::string now_text() override { return now; }
    void end_program() override { ++end_calls; }
    std::string clipboard_text() override { return clipboard; }
    void set_clipboard_text(std::string_view text) override { clipboard = text; }

    std::vector<Box> boxes;
    std::vector<InputRequest> input_requests;
    // Answers of the input box, in order; nullopt-like cancel is an answer of "" with
    // cancel=true. When the script runs out the box is cancelled.
    std::deque<std::string> input_answers;
    std::deque<float> random_values;  // 0.5 when empty
    std::string now = "2026/12/06 18:18:34";
    std::string clipboard;
    int beeps = 0;
    int randomize_calls = 0;
    int end_calls = 0;
};

}  // namespace support
