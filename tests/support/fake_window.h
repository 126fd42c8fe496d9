#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/form_layout.h"
#include "platform/window.h"

namespace support {

// What a fake window records, as one plain value: the form driver's check copies it after every
// event.
struct WindowRecord {
    float left = 3000, top = 2000, width = 1400, height = 255;  // twips
    std::string caption = "untitled";
    std::uint32_t colour = 0x00123456;
    int timer = 0;  // off, or the intervals started since: 2 says a running clock was restarted
    bool on_top = false, visible = false;
    int shows = 0;
    bool operator==(const WindowRecord&) const = default;
};

// A window system that only records: geometry in twips, caption, colour, timer, shows. Its
// starting values are ones no key writes, so a missing write shows.
class FakeWindow : public platform::Window {
public:
    float left() const override { return record.left; }
    float top() const override { return record.top; }
    float width() const override { return record.width; }
    float height() const override { return record.height; }
    void set_left(float twips) override { record.left = twips; }
    void set_top(float twips) override { record.top = twips; }
    void set_width(float twips) override { record.width = twips; }
    void set_height(float twips) override { record.height = twips; }
    bool places_itself() const override { return !wayland; }
    float screen_width() const override { return 19200; }
    float screen_height() const override { return 15360; }
    void set_caption(std::string_view text) override { record.caption = text; }
    void set_display_colour(std::uint32_t colour) override { record.colour = colour; }
    bool timer_enabled() const override { return record.timer != 0; }
    void set_timer_enabled(bool enabled) override { record.timer = enabled ? record.timer + 1 : 0; }
    bool stay_on_top() const override { return record.on_top; }
    void set_stay_on_top(bool enabled) override { record.on_top = enabled; }
    std::string button_caption(std::size_t row) const override {
        return platform::button_rows.at(row).caption;
    }
    void show() override { ++record.shows, record.visible = true; }
    void hide() override { record.visible = false; }
    std::unique_ptr<platform::Window> create_form() override { return nullptr; }

    WindowRecord record;
    bool wayland = false;  // a window system that places every window itself
};

}  // namespace support
