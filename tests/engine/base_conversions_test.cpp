#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>

#include "engine/texts.h"
#include "tests/engine/key_script.h"

namespace {

using engine_test::press;
using engine_test::snapshot;
using platform::BoxStyle;
using support::Box;
using support::HeadlessForm;

Box decimal_result(std::string_view message) {
    return {std::string(message), BoxStyle::exclamation, std::string(engine::decimal_title)};
}
Box binary_result(std::string_view message) {
    return {std::string(message), BoxStyle::information, std::string(engine::binary_title)};
}
const Box binary_digits_only{std::string(engine::binary_digits_message), BoxStyle::exclamation,
                             std::string(engine::decimal_title)};
const Box nine_digits{std::string(engine::nine_digits_message), BoxStyle::exclamation,
                      std::string(engine::binary_title)};

struct ConversionCase {
    std::string_view keys;
    Box box;
    std::string_view display;  // afterwards
};

// Each case on its own fresh form: exactly the one box, and the display afterwards.
void expect_boxes(std::span<const ConversionCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        HeadlessForm form;
        press(form, c.keys);
        EXPECT_EQ(form.services.boxes, std::vector<Box>{c.box});
        EXPECT_EQ(form.display(), c.display);
    }
}

const ConversionCase binary_to_decimal_cases[] = {
    {"101b", decimal_result("101→5"), "101"},
    {"1101b", decimal_result("1101→13"), "1101"},
    {"100b", decimal_result("100→4"), "100"},
    {"111111111b", decimal_result("111111111→511"), "111111111"},
    {"111111111111111b", decimal_result("111111111111111→32767"), "111111111111111"},
    {"0b", decimal_result("0→0"), "0"},
    {"{}b", decimal_result("0→0"), "0"},  // the empty display is first rewritten to 0
    {"{-101}b", decimal_result("101→5"), "101"},
    {"{0101}b", decimal_result("101→5"), "101"},
    {"{1.00}b", decimal_result("1→1"), "1"},
    {"{10abc}b", decimal_result("10→2"), "10"},
    // Not a binary whole number: the message instead of a result; the display still shows
    // its absolute value in plain form.
    {"12b", binary_digits_only, "12"},
    {"2b", binary_digits_only, "2"},
    {"1.5b", binary_digits_only, "1.5"},
    {"{-1.5}b", binary_digits_only, "1.5"},
    {"1.50b", binary_digits_only, "1.5"},
    {"1000000000000000b", binary_digits_only, "1E+15"},
    {"{1E-20}b", binary_digits_only, "1E-20"},
};

TEST(BinaryToDecimal, DisplayGivesBox) {
    expect_boxes(binary_to_decimal_cases);
}

const ConversionCase decimal_to_binary_cases[] = {
    {"5v", binary_result("5→101"), "5"},
    {"{-5}v", binary_result("5→101"), "-5"},  // the display is not changed
    {"0v", binary_result("0→0"), "0"},
    {"{}v", binary_result("0→0"), ""},
    {"255v", binary_result("255→11111111"), "255"},
    {"999999999v", binary_result("999999999→111011100110101100100111111111"), "999999999"},
    {"{-12345678}v", binary_result("12345678→101111000110000101001110"), "-12345678"},
    // One rounding, a half to the even neighbour.
    {"5.7v", binary_result("5.7→110"), "5.7"},
    {"1.5v", binary_result("1.5→10"), "1.5"},
    {"2.5v", binary_result("2.5→10"), "2.5"},
    {"3.5v", binary_result("3.5→100"), "3.5"},
    {"0.5v", binary_result("0.5→0"), "0.5"},
    {"0.7v", binary_result("0.7→1"), "0.7"},
    {"{-0.7}v", binary_result("0.7→1"), "-0.7"},
    {"5.00v", binary_result("5→101"), "5.00"},
    {"{2E+9}v", binary_result("2000000000→1110111001101011001010000000000"), "2E+9"},
    // Every character counts; nine pass.
    {"1234567890v", nine_digits, "1234567890"},
    {"{-123456789}v", nine_digits, "-123456789"},
    {"12345.6789v", nine_digits, "12345.6789"},
    {"{123456789 }v", nine_digits, "123456789 "},
    // Nine characters or fewer, but too large for the digits: the same message.
    {"{1E+15}v", nine_digits, "1E+15"},
    {"{3E+9}v", nine_digits, "3E+9"},
    {"{-1E+300}v", nine_digits, "-1E+300"},
};

TEST(DecimalToBinary, DisplayGivesBox) {
    expect_boxes(decimal_to_binary_cases);
}

// Both keys leave the chain exactly as it was, also when they only show a message, and the
// calculator goes on as before.
TEST(BaseConversions, LeaveChainStateAndKeepWorking) {
    struct Case {
        std::string_view keys;
        std::string_view display;
    };
    constexpr Case cases[] = {
        {"7+101b\r", "108"},  // b changed nothing but the display text
        {"7+12b\r", "19"},    // also after the message
        {"7+5.7v\r", "12.7"}, {"7+1234567890v\r", "1234567897"},
        {"1+b\r", "1"},  // shown right after an operator, 1 is no second number
        {"101b+1\r", "102"},  {"12bc2+3\r", "5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        HeadlessForm form;
        press(form, c.keys);
        EXPECT_EQ(form.display(), c.display);
    }
    for (const std::string_view keys : {"7+1", "7+", "7+1\r"}) {
        for (const char key : {'b', 'v'}) {
            SCOPED_TRACE(std::string(keys) + key);
            HeadlessForm form;
            press(form, keys);
            const auto before = snapshot(form);
            press(form, std::string_view(&key, 1));
            auto after = snapshot(form);
            after.display_writes = before.display_writes;  // b rewrites the same text
            EXPECT_EQ(after, before);
        }
    }
}

}  // namespace
