#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "input/key_map.h"
#include "tests/support/headless_form.h"

namespace {

// Random key sequences on the headless form, each key checked as the fuzzer checks it.
TEST(RandomKeys, NeverBreakTheCalculator) {
    // Every key but Esc and x, which end the program; displays earlier results may leave.
    std::vector<std::string> keys{"{1E+300}", "{-2}", "{1.79769313486231E+308}"};
    for (const auto& row : input::key_map()) {
        keys.emplace_back(row.code == 27 || row.code == 'x' ? "c" : std::string(1, char(row.code)));
    }
    std::istringstream key_downs(
        "[F1] [S-F1] [C-F1] [A-F1] [C-A-F1] [F2] [S-F2] [C-F2] [S-C-F2] [Del] [S-Del] [C-Del] "
        "[KP-] [C-KP-] [S-C-KP-] [S-Ins] [C-Ins] [A-Ins]");
    for (std::string key; key_downs >> key;) {
        keys.push_back(key);
    }
    // Half the keys enter numbers and operators, so that numbers grow and chains compute.
    const std::string entry = "0123456789.0123456789+-*/\r";
    std::mt19937 random(20261207);
    int faults = 0, conversions = 0;
    for (int run = 0; run < 400; ++run) {
        support::HeadlessForm form;
        support::EventCheck check(form);
        std::string typed;
        for (int i = 0; i < 30; ++i) {
            const std::string key = random() % 2 ? std::string(1, entry[random() % entry.size()])
                                                 : keys[random() % keys.size()];
            typed += key;
            form.services.random_values.push_back(static_cast<float>(random() % 1000) / 1000);
            const auto kind = key.size() == 1 ? support::writes(key[0])
                              : key.starts_with("[S-F") || key == "[S-Ins]"
                                  ? support::Writes::number
                                  : support::Writes::text;
            ASSERT_EQ(check([&] { form.type(key); }, kind), "") << "keys: " << typed;
        }
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
