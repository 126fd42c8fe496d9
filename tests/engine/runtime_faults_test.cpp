#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/identity.h"
#include "platform/runtime_error.h"
#include "tests/engine/key_script.h"

namespace {

using engine_test::press;
using engine_test::snapshot;
using platform::ErrorKind;
using support::Box;
using support::HeadlessForm;

struct FaultCase {
    std::string_view setup;
    std::string_view fault_key;
    ErrorKind kind;
    std::string_view then;          // keys after the fault
    std::string_view then_display;  // what they show
};

constexpr FaultCase fault_cases[] = {
    {"8/0", "\r", ErrorKind::division_by_zero, "2\r", "4"},
    {"1/0", "\r", ErrorKind::division_by_zero, "[shift+del]5\r", "0.2"},
    {"0/0", "\r", ErrorKind::division_by_zero, "2\r", "0"},
    {"8/0", "+", ErrorKind::division_by_zero, "4\r", "2"},
    {"8/0.", "*", ErrorKind::division_by_zero, "c2+3\r", "5"},
    {"{1E+308}*10", "\r", ErrorKind::overflow, "[shift+del]\r", "1E+308"},
    {"{1E+308}+1{1E+308}", "\r", ErrorKind::overflow, "c2+3\r", "5"},
    {"{-1.7E+308}-1{1.7E+308}", "-", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+308}/0.1", "\r", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+200}", "f", ErrorKind::overflow, "[shift+del]f", "1E+40"},
    {"{-1E+200}", "f", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+103}", "g", ErrorKind::overflow, "c2+3\r", "5"},
    {"{-1E+103}", "g", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+308}", "h", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+155}", "j", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+154}", "j", ErrorKind::overflow, "c2+3\r", "5"},  // only the second product
    {"{7E+102}", "k", ErrorKind::overflow, "c2+3\r", "5"},  // already the cube
    {"{5E+102}", "k", ErrorKind::overflow, "c2+3\r", "5"},  // only the products
    {"1[ctrl+kp-]", "r", ErrorKind::invalid_argument, "[ctrl+kp-]r", "1"},
    {"5+2[ctrl+kp-]", "r", ErrorKind::invalid_argument, "\r", "3"},
    // A display or operand beyond the double range cannot be read. Digits extend a result,
    // so 1E+300 followed by 0 shows 1E+3000.
    {"{1E+300}0", "f", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+300}0", "r", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+300}0", "e", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+300}0", "h", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+300}0", "j", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+300}0", "k", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+300}0", "g", ErrorKind::overflow, "c2+3\r", "5"},
    {"{1E+300}0", "b", ErrorKind::overflow, "c101b", "101"},
    {"{1E+400}", "v", ErrorKind::overflow, "c5v", "5"},
    {"{1E+300}0+2", "\r", ErrorKind::overflow, "c2+3\r", "5"},  // the stored operand
    {"5+1{1E+400}", "*", ErrorKind::overflow, "c2+3\r", "5"},
    {"5[f1]{1E+400}", "[f1]", ErrorKind::overflow, "[shift+f1]", "5"},
    {"{1E+400}", "[f2]", ErrorKind::overflow, "[shift+f2]", "0"},
};

// A fault is reported once, in the critical box, and leaves display, chain and registers
// exactly as they were; the next keys work as if the faulty key had not been pressed.
TEST(RuntimeFaults, ReportedWithStateUnchangedAndProgramGoesOn) {
    for (const auto& c : fault_cases) {
        SCOPED_TRACE(std::string(c.setup) + " then " + std::string(c.fault_key));
        HeadlessForm form;
        press(form, c.setup);
        ASSERT_TRUE(form.services.boxes.empty());
        const auto before = snapshot(form);
        const int beeps = form.services.beeps;

        EXPECT_NO_THROW(press(form, c.fault_key));

        const Box report{std::string(platform::error_message(c.kind)), platform::BoxStyle::critical,
                         std::string(platform::program_name)};
        EXPECT_EQ(form.services.boxes, std::vector<Box>{report});
        EXPECT_EQ(snapshot(form), before);
        EXPECT_EQ(form.services.beeps, beeps);
        EXPECT_EQ(form.services.end_calls, 0);

        form.services.boxes.clear();
        press(form, c.then);
        EXPECT_EQ(form.display(), c.then_display);
    }
}

}  // namespace
