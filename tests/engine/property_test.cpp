#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/operation_names.h"
#include "engine/texts.h"
#include "input/key_map.h"
#include "input/texts.h"
#include "platform/identity.h"
#include "platform/number_text.h"
#include "tests/engine/key_script.h"
#include "tests/support/form_invariants.h"

namespace {

using engine_test::snapshot;
using platform::BoxStyle;
using support::Box;
using support::HeadlessForm;

// One random stroke: a typed character from the key map, or a key-down.
struct Stroke {
    bool key_down = false;
    char16_t code = 0;
    std::uint16_t key = 0;
    int shift = 0;
};

std::string describe(const std::vector<Stroke>& strokes) {
    std::string out;
    for (const auto& s : strokes) {
        if (s.key_down) {
            out += "[" + std::to_string(s.key) + "/" + std::to_string(s.shift) + "]";
        } else if (s.code == u'\r') {
            out += "\\r";
        } else if (s.code < 32 || s.code > 126) {
            out += "<" + std::to_string(static_cast<int>(s.code)) + ">";
        } else {
            out += static_cast<char>(s.code);
        }
    }
    return out;
}

bool is_binary_digits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("01") == std::string_view::npos;
}

// The message of a conversion result: a plain non-negative number text, the arrow, digits.
bool is_conversion_result(std::string_view message, std::string_view digits_allowed) {
    const std::size_t arrow = message.find(engine::conversion_arrow);
    if (arrow == std::string_view::npos || arrow == 0) {
        return false;
    }
    const std::string_view number = message.substr(0, arrow);
    const std::string_view digits = message.substr(arrow + engine::conversion_arrow.size());
    return number.front() != '-' && platform::whole_number(number).has_value() && !digits.empty() &&
           digits.find_first_not_of(digits_allowed) == std::string_view::npos;
}

bool is_fault_report(const Box& box) {
    if (box.style != BoxStyle::critical || box.title != platform::program_name) {
        return false;
    }
    for (const auto kind : {platform::ErrorKind::overflow, platform::ErrorKind::division_by_zero,
                            platform::ErrorKind::invalid_argument}) {
        if (box.message == platform::error_message(kind)) {
            return true;
        }
    }
    return false;
}

// Every box a key may bring up. The faults are the three the calculator knows; a type
// mismatch or a box titled otherwise would be a fault of its own.
std::string box_problem(const Box& box) {
    const std::string program(platform::program_name);
    if (box.title == engine::decimal_title) {
        if (box.style == BoxStyle::exclamation &&
            (box.message == engine::binary_digits_message ||
             is_conversion_result(box.message, "0123456789"))) {
            const std::size_t arrow = box.message.find(engine::conversion_arrow);
            if (arrow == std::string::npos || is_binary_digits(box.message.substr(0, arrow))) {
                return "";
            }
        }
    } else if (box.title == engine::binary_title) {
        if ((box.style == BoxStyle::exclamation && box.message == engine::nine_digits_message) ||
            (box.style == BoxStyle::information && is_conversion_result(box.message, "01"))) {
            return "";
        }
    } else if (box.title == program) {
        if (is_fault_report(box) || box.message == input::new_window_message) {
            return "";
        }
        if (box.style != BoxStyle::critical) {
            return "";  // memory show, memo, date
        }
    }
    return "unexpected box: " + box.message + " / " + box.title + " / " +
           std::to_string(static_cast<int>(box.style));
}

// Keys whose new display is written from a computed number.
bool writes_result(const Stroke& s) {
    if (s.key_down) {
        return s.key >= 112 && s.key <= 123 && s.shift == 1;  // recall
    }
    return std::u16string_view(u"+-*/\rrefghjklb").find(s.code) != std::u16string_view::npos;
}

std::string computed_display_problem(const std::string& display) {
    if (display == "-0") {
        return "display shows -0";
    }
    try {
        platform::leading_number(display);
    } catch (const platform::RuntimeError&) {
        return "computed display does not read back: " + display;
    }
    if (!platform::whole_number(display).has_value()) {
        return "computed display is no number: " + display;
    }
    return "";
}

class StrokeSource {
public:
    explicit StrokeSource(std::uint32_t seed) : rng(seed) {
        for (const auto& row : input::key_map()) {
            // Esc and x end the program; everything else may be pressed.
            if (row.code == 27 || row.code == u'x') {
                continue;
            }
            const bool entry = (row.code >= u'0' && row.code <= u'9') || row.code == u'.';
            (entry ? entry_keys : other_keys).push_back(row.code);
        }
    }

    Stroke next() {
        const int kind = pick(100);
        if (kind < 40) {
            return {false, entry_keys[pick(entry_keys.size())]};
        }
        if (kind < 60) {
            return {false, std::u16string_view(u"+-*/\r")[pick(5)]};
        }
        if (kind < 85) {
            return {false, other_keys[pick(other_keys.size())]};
        }
        constexpr int delete_shifts[] = {0, 1, 1, 1, 2, 3};
        constexpr int minus_shifts[] = {0, 2, 2};
        constexpr int fkey_shifts[] = {0, 0, 1, 1, 2, 3, 4, 5, 6, 7};
        const int group = pick(4);
        if (group == 0) {
            return {true, 0, 46, delete_shifts[pick(std::size(delete_shifts))]};
        }
        if (group == 1) {
            return {true, 0, 109, minus_shifts[pick(std::size(minus_shifts))]};
        }
        return {true, 0, static_cast<std::uint16_t>(112 + pick(12)),
                fkey_shifts[pick(std::size(fkey_shifts))]};
    }

    int pick(std::size_t n) {
        return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(rng));
    }

    float random_draw() { return std::uniform_real_distribution<float>(0.0F, 1.0F)(rng); }

private:
    std::mt19937 rng;
    std::vector<char16_t> entry_keys;
    std::vector<char16_t> other_keys;
};

// What a run met, so that a run that never reaches a fault or a conversion is noticed.
struct Coverage {
    long faults = 0;
    long conversions = 0;
    long computed_displays = 0;
};

// Runs one random key sequence and returns the first problem found, or "".
std::string run_sequence(StrokeSource& source, std::vector<Stroke>& strokes, Coverage& seen) {
    HeadlessForm form;
    for (int i = 0; i < 50; ++i) {
        form.services.random_values.push_back(source.random_draw());
    }
    const int length = 1 + source.pick(40);
    for (int i = 0; i < length; ++i) {
        const Stroke stroke = source.next();
        strokes.push_back(stroke);
        const auto before = snapshot(form);
        const std::size_t boxes_before = form.services.boxes.size();
        try {
            if (stroke.key_down) {
                form.key_down(stroke.key, stroke.shift);
            } else {
                char16_t code = stroke.code;
                form.core.Text1_KeyPress(code);
            }
        } catch (const std::exception& e) {
            return std::string("exception out of the form: ") + e.what();
        }
        bool faulted = false;
        for (std::size_t b = boxes_before; b < form.services.boxes.size(); ++b) {
            const Box& box = form.services.boxes[b];
            if (auto problem = box_problem(box); !problem.empty()) {
                return problem;
            }
            faulted = faulted || is_fault_report(box);
            if (box.title != platform::program_name) {
                ++seen.conversions;
            }
        }
        seen.faults += faulted ? 1 : 0;
        if (faulted && !(snapshot(form) == before)) {
            return "a fault changed the state";
        }
        if (auto problem = support::state_problem(form); !problem.empty()) {
            return problem;
        }
        if (!faulted && writes_result(stroke) && form.display() != before.display) {
            ++seen.computed_displays;
            if (auto problem = computed_display_problem(form.display()); !problem.empty()) {
                return problem;
            }
        }
        if (form.services.end_calls != 0) {
            return "the program was ended";
        }
    }
    return "";
}

Coverage run_random_sequences(long count, std::uint32_t seed) {
    StrokeSource source(seed);
    Coverage seen;
    for (long n = 0; n < count; ++n) {
        std::vector<Stroke> strokes;
        const std::string problem = run_sequence(source, strokes, seen);
        if (!problem.empty()) {
            ADD_FAILURE() << "sequence " << n << ": " << problem
                          << "\n  keys: " << describe(strokes);
            break;
        }
    }
    std::cout << "faults " << seen.faults << ", conversions " << seen.conversions
              << ", computed displays " << seen.computed_displays << "\n";
    return seen;
}

TEST(RandomKeys, NeverBreakTheCalculator) {
    const Coverage seen = run_random_sequences(20000, 20240607U);
    // A run that never meets a fault or a conversion would prove nothing.
    if (HasFailure()) {
        return;
    }
    EXPECT_GT(seen.faults, 100);
    EXPECT_GT(seen.conversions, 1000);
    EXPECT_GT(seen.computed_displays, 10000);
}

// The long fuzz run, by hand and not in the normal test run:
//   KIRUNE_PROPERTY_ITERATIONS=5000000 engine_tests --gtest_filter=RandomKeys.LongRun
// KIRUNE_PROPERTY_SEED picks another series of sequences (default 1).
TEST(RandomKeys, LongRun) {
    const char* iterations = std::getenv("KIRUNE_PROPERTY_ITERATIONS");
    if (iterations == nullptr) {
        GTEST_SKIP() << "set KIRUNE_PROPERTY_ITERATIONS to run";
    }
    const char* seed = std::getenv("KIRUNE_PROPERTY_SEED");
    run_random_sequences(
        std::strtol(iterations, nullptr, 10),
        seed != nullptr ? static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10)) : 1U);
}

}  // namespace
