#pragma once

#include <string>
#include <vector>

#include "platform/window.h"

namespace support {

class FakeTextBox : public platform::TextBox {
public:
    const std::string& text() const override { return value; }
    void set_text(std::string text) override {
        value = std::move(text);
        ++writes;
    }
    std::string value = "0";
    int writes = 0;
};

// A window system that only records: geometry in twips, caption, colour, timer, shows.
class FakeWindow : public platform::Window {
public:
    float left() const override { return left_twips; }
    float top() const override { return top_twips; }
    float width() const override { return width_twips; }
    float height() const override { return height_twips; }
    void set_left(float twips) override { left_twips = twips; }
    void set_top(float twips) override { top_twips = twips; }
    void set_width(float twips) override { width_twips = twips; }
    void set_height(float twips) override { height_twips = twips; }
    float screen_width() const override { return screen_width_twips; }
    float screen_height() const override { return screen_height_twips; }
    void set_caption(std::string_view text) override { caption = text; }
    void set_display_colour(std::uint32_t colour) override { display_colour = colour; }
    bool timer_enabled() const override { return timer; }
    void set_timer_enabled(bool enabled) override { timer = enabled; }
    bool stay_on_top() const override { return on_top; }
    void set_stay_on_top(bool enabled) override { on_top = enabled; }
    std::string digit_caption(int digit) const override;
    void show() override { ++shows; }
    std::unique_ptr<platform::Window> create_form() override;

    float left_twips = 0;
    float top_twips = 0;
    float width_twips = 1350;
    float height_twips = 255;
    float screen_width_twips = 1280 * 15;
    float screen_height_twips = 1024 * 15;
    std::string caption = "Kirune";
    std::uint32_t display_colour = 0x00FFFFFF;
    bool timer = false;
    bool on_top = false;
    int shows = 0;
};

}  // namespace support
