#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

#include "fuzz/form_driver.h"

namespace {

// The fuzzer's driver and check on inputs from a fixed random sequence, so that the fast tests
// run them too. Half the bytes enter digits and operators, so that numbers grow and chains
// compute; the others are any event.
TEST(RandomKeys, NeverBreakTheCalculator) {
    constexpr std::string_view entry = "0123456789.0123456789+-*/\r";
    std::mt19937 random(20261208);
    int faults = 0, conversions = 0;
    for (int run = 0; run < 400; ++run) {
        std::vector<std::uint8_t> input(64);
        for (std::uint8_t& byte : input) {
            byte =
                static_cast<std::uint8_t>(random() % 2 ? entry[random() % entry.size()] : random());
        }
        support::HeadlessForm form;
        ASSERT_EQ(fuzz::run_events(form, input), "") << testing::PrintToString(input);
        for (const auto& box : form.services.boxes) {
            faults += box.style == platform::BoxStyle::critical &&
                      box.message != "新しいKiruneが現れました。";
            conversions += box.title != "Kirune";
        }
    }
    // Runs that meet no fault and no conversion would prove nothing.
    EXPECT_GT(faults, 60);
    EXPECT_GT(conversions, 80);
}

}  // namespace
