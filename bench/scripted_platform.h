#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/services.h"
#include "platform/window.h"

namespace bench {

// The smallest platform the form runs on: boxes are counted and answered at once, the input
// box answers a fixed text, nothing is recorded that would grow while a benchmark loops.
class ScriptedServices : public platform::Services {
public:
    void message_box(std::string_view, platform::BoxStyle, std::string_view) override { ++boxes; }
    std::string input_box(std::string_view, std::string_view, std::string_view) override {
        return answer;
    }
    void beep() override { ++beeps; }
    void randomize() override {}
    float random_next() override { return 0.25F; }
    std::string now_text() override { return now; }
    void end_program() override { ++ends; }
    std::string clipboard_text() override { return clipboard; }
    void set_clipboard_text(std::string_view text) override { clipboard = text; }

    std::string answer;
    std::string clipboard;
    std::string now = "2026/12/06 18:18:34";
    long boxes = 0;
    long beeps = 0;
    long ends = 0;
};

class ScriptedTextBox : public platform::TextBox {
public:
    const std::string& text() const override { return value; }
    void set_text(std::string text) override { value = std::move(text); }
    std::string value = "0";
};

// A window that only keeps its numbers. It opens no further windows.
class ScriptedWindow : public platform::Window {
public:
    float left() const override { return geometry[0]; }
    float top() const override { return geometry[1]; }
    float width() const override { return geometry[2]; }
    float height() const override { return geometry[3]; }
    void set_left(float twips) override { geometry[0] = twips; }
    void set_top(float twips) override { geometry[1] = twips; }
    void set_width(float twips) override { geometry[2] = twips; }
    void set_height(float twips) override { geometry[3] = twips; }
    float screen_width() const override { return 1280 * 15; }
    float screen_height() const override { return 1024 * 15; }
    void set_caption(std::string_view text) override { caption = text; }
    void set_display_colour(std::uint32_t colour) override { display_colour = colour; }
    bool timer_enabled() const override { return timer; }
    void set_timer_enabled(bool enabled) override { timer = enabled; }
    bool stay_on_top() const override { return on_top; }
    void set_stay_on_top(bool enabled) override { on_top = enabled; }
    std::string digit_caption(int digit) const override {
        return std::string(1, static_cast<char>('0' + digit));
    }
    void show() override {}
    std::unique_ptr<platform::Window> create_form() override { return nullptr; }

    float geometry[4] = {0, 0, 1350, 250};
    std::string caption = "Kirune";
    std::uint32_t display_colour = 0x00FFFFFF;
    bool timer = false;
    bool on_top = false;
};

}  // namespace bench
