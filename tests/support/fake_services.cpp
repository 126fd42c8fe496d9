#include "tests/support/fake_services.h"

namespace support {

void FakeServices::message_box(std::string_view message, platform::BoxStyle style,
                               std::string_view title) {
    boxes.push_back({std::string(message), style, std::string(title)});
}

std::string FakeServices::input_box(std::string_view prompt, std::string_view title,
                                    std::string_view default_text) {
    input_requests.push_back({std::string(prompt), std::string(title), std::string(default_text)});
    if (input_answers.empty()) {
        return "";
    }
    std::string answer = std::move(input_answers.front());
    input_answers.pop_front();
    return answer;
}

float FakeServices::random_next() {
    if (random_values.empty()) {
        return 0.5F;
    }
    const float value = random_values.front();
    random_values.pop_front();
    return value;
}

}  // namespace support
