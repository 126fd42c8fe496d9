#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/services.h"

namespace support {

struct Box {
    std::string message;
    platform::BoxStyle style;
    std::string title;
};

// Records every box and beep; answers input boxes from a script (then Cancel, ""), draws
// random numbers from a script (then 0.5), tells a fixed time. A fault put in `fault` is
// thrown by the next call that asks the outside world for something.
class FakeServices : public platform::Services {
public:
    void message_box(std::string_view message, platform::BoxStyle style,
                     std::string_view title) override {
        boxes.push_back({std::string(message), style, std::string(title)});
    }
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view default_text) override {
        input_requests.push_back(std::string(prompt) + "|" + std::string(title) + "|" +
                                 std::string(default_text));
        return next(input_answers, std::string());
    }
    void beep() override { ++beeps; }
    void randomize() override { ++randomize_calls; }
    float random_next() override { return next(random_values, 0.5F); }
    std::string now_text() override { return next(no_script, now); }
    void end_program() override {
        if (++end_calls == 1 && on_end) {
            on_end();
        }
    }
    bool program_ending() const override { return end_calls > 0; }
    std::string clipboard_text() override { return next(no_script, clipboard); }
    void set_clipboard_text(std::string_view text) override { clipboard = text; }

    std::vector<Box> boxes;
    std::vector<std::string> input_requests;  // "prompt|title|default text"
    std::deque<std::string> input_answers;
    std::deque<float> random_values;
    std::string now = "2026/12/06 18:18:34";
    std::string clipboard = "(untouched)";
    std::exception_ptr fault;
    std::function<void()> on_end;  // called when the program begins to end
    int beeps = 0, randomize_calls = 0, end_calls = 0;

private:
    std::deque<std::string> no_script;
    template <typename T>
    T next(std::deque<T>& script, T otherwise) {
        if (fault) {
            std::rethrow_exception(std::exchange(fault, nullptr));
        }
        if (!script.empty()) {
            otherwise = std::move(script.front());
            script.pop_front();
        }
        return otherwise;
    }
};

}  // namespace support
