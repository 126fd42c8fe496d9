#include "platform/runtime_error.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/services.h"

namespace {

struct MessageCase {
    platform::ErrorKind kind;
    std::string_view message;
};

TEST(RuntimeError, EachKindHasItsMessage) {
    const MessageCase cases[] = {
        {platform::ErrorKind::division_by_zero, "0 で割ることはできません。"},
        {platform::ErrorKind::overflow, "数が大きすぎます。"},
        {platform::ErrorKind::invalid_argument, "負の数の平方根は求められません。"},
        {platform::ErrorKind::type_mismatch, "型が一致しません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(platform::error_message(c.kind), c.message);
        EXPECT_STRNE(platform::RuntimeError(c.kind).what(), "");
    }
}

class BoxRecorder : public platform::Services {
public:
    struct Box {
        std::string message;
        platform::BoxStyle style;
        std::string title;
    };
    std::vector<Box> boxes;

    void message_box(std::string_view message, platform::BoxStyle style,
                     std::string_view title) override {
        boxes.push_back({std::string(message), style, std::string(title)});
    }
    std::string input_box(std::string_view, std::string_view, std::string_view) override {
        return {};
    }
    void beep() override {}
    void randomize() override {}
    float random_next() override { return 0; }
    std::string clipboard_text() override { return {}; }
    void set_clipboard_text(std::string_view) override {}
    std::string now_text() override { return {}; }
    void end_program() override {}
};

TEST(Services, RuntimeErrorIsReportedInACriticalBox) {
    BoxRecorder services;
    services.report_runtime_error(platform::RuntimeError(platform::ErrorKind::overflow));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].message, "数が大きすぎます。");
    EXPECT_EQ(services.boxes[0].style, platform::BoxStyle::critical);
    EXPECT_EQ(services.boxes[0].title, "Kirune");
}

}  // namespace
