#include <gtest/gtest.h>

#include <string_view>

#include "platform/identity.h"
#include "tests/engine/key_script.h"

namespace {

using engine_test::press;
using platform::BoxStyle;
using support::Box;
using support::HeadlessForm;

const platform::Variant cleared = platform::Integer{0};

constexpr engine_test::KeysCase recall_cases[] = {
    {"12.5[f1]c[shift+f1]", "12.5"},  // clear leaves the registers
    {"12.[f1]c[shift+f1]", "12"},
    {"{}[f1]5[shift+f1]", "0"},
    {"{abc}[f1][shift+f1]", "0"},
    {"{-1.5E+20}[f12]c[shift+f12]", "-1.5E+20"},
    {"1/3\r[f2]c[shift+f2]", "0.333333333333333"},
    {"5[shift+f7]", "0"},  // never stored
    {"5[f7][alt+f7][shift+f7]", "0"},
    {"5[f1]7[f2]c[shift+f2]", "57"},  // one register per key
    {"5[f1]7[f2]c[shift+f1]", "5"},
    {"5[f1]7[ctrl+shift+f1]c[shift+f1]", "5"},  // 3, 5, 7 do nothing
    {"5[f1]7[shift+alt+f1]c[shift+f1]", "5"},
    {"5[f1]7[ctrl+shift+alt+f1]c[shift+f1]", "5"},
    {"5[f1]7[f1][shift+f1]", "57"},
};

TEST(MemoryRegisters, StoreAndRecall) {
    engine_test::expect_keys_give_display(recall_cases);
}

TEST(MemoryRegisters, ShowTellsNeverStoredFromCleared) {
    HeadlessForm form;
    press(form, "12.50[f3][ctrl+f7][alt+f7][ctrl+f7][ctrl+f3]");
    const std::string title(platform::program_name);
    const std::vector<Box> expected = {
        {"", BoxStyle::information, title},
        {"0", BoxStyle::information, title},
        {"12.5", BoxStyle::information, title},
    };
    EXPECT_EQ(form.services.boxes, expected);
    EXPECT_EQ(form.display(), "12.50");
}

TEST(MemoryRegisters, CtrlAltClearsAllTwelve) {
    HeadlessForm form;
    for (int k = 1; k <= 12; ++k) {
        press(form, "[f" + std::to_string(k) + "]");
    }
    press(form, "[ctrl+alt+f3]");
    for (int key = 112; key <= 123; ++key) {
        EXPECT_EQ(form.core.fkey_memory[key], cleared) << key;
    }
}

TEST(MemoryRegisters, AltClearsOnlyItsRegister) {
    HeadlessForm form;
    press(form, "4[f1][f2][alt+f2]");
    EXPECT_EQ(form.core.fkey_memory[112], platform::Variant(4.0));
    EXPECT_EQ(form.core.fkey_memory[113], cleared);
    EXPECT_TRUE(platform::is_empty(form.core.fkey_memory[114]));
}

TEST(MemoryRegisters, RecallIsNoSecondNumber) {
    HeadlessForm form;
    press(form, "3[f1]5+[shift+f1]");
    EXPECT_EQ(form.display(), "3");
    EXPECT_EQ(form.core.calculator.op_mark, platform::Variant(std::string("tasu")));
}

}  // namespace
