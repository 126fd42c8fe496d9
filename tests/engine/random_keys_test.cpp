#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "input/key_map.h"
#include "tests/support/form_check.h"

namespace {

// Random key sequences on the headless form, each key checked as the fuzzer checks it.
TEST(RandomKeys, NeverBreakTheCalculator) {
    std::vector<std::string> keys{"{1E+300}", "{-2}", "{1.79769313486231E+308}"};
    for (const auto& row : input::key_map()) {
        if (row.code != 27 && row.code != u'x') {  // these end the program
            keys.emplace_back(1, static_cast<char>(row.code));
        }
    }
    for (const char* shift : {"", "1", "2", "3", "4", "6"}) {
        for (const char* key : {"F1]", "F2]", "Del]", "Kp-]", "Ins]"}) {
            keys.push_back(std::string("[") + shift + key);
        }
    }
    // Half the keys enter numbers and operators, so that numbers grow and chains compute.
    const std::string entry = "0123456789.0123456789+-*/\r";
    std::mt19937 random(20261207);
    int faults = 0;
    int conversions = 0;
    for (int run = 0; run < 500 && !HasFailure(); ++run) {
        support::HeadlessForm form;
        std::string typed;
        for (int i = 0; i < 30; ++i) {
            const std::string key = random() % 2 ? std::string(1, entry[random() % entry.size()])
                                                 : keys[random() % keys.size()];
            typed += key;
            form.services.random_values.push_back(static_cast<float>(random() % 1000) / 1000);
            const bool computes = key.size() == 1 ? support::writes_number(key[0])
                                                  : key.starts_with("[1F") || key == "[1Ins]";
            ASSERT_EQ(support::checked_event(
                          form, [&] { form.type(key); }, computes),
                      "")
                << "keys: " << typed;
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
