#pragma once

#include <string>

#include "platform/form_layout.h"
#include "platform/window.h"

namespace support {

// A window system that only records: geometry in twips, caption, colour, timer, shows. Its
// starting values are ones no key writes, so a missing write shows.
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
    float screen_width() const override { return 19200; }
    float screen_height() const override { return 15360; }
    void set_caption(std::string_view text) override { caption = text; }
    void set_display_colour(std::uint32_t colour) override { display_colour = colour; }
    bool timer_enabled() const override { return timer; }
    void set_timer_enabled(bool enabled) override { timer = enabled; }
    bool stay_on_top() const override { return on_top; }
    void set_stay_on_top(bool enabled) override { on_top = enabled; }
    std::string button_caption(std::size_t row) const override {
        return platform::button_rows.at(row).caption;
    }
    void show() override { ++shows, visible = true; }
    void hide() override { visible = false; }

    float left_twips = 3000, top_twips = 2000, width_twips = 1400, height_twips = 255;
    std::string caption = "untitled";
    std::uint32_t display_colour = 0x00123456;
    bool timer = false, on_top = false, visible = false;
    int shows = 0;
};

}  // namespace support
