#include "app/command_line.h"

#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    std::optional<int> status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "kirune");
    std::ostringstream out;
    std::ostringstream err;
    const auto status =
        app::handle_command_line(static_cast<int>(arguments.size()), arguments.data(), out, err);
    return {status, out.str(), err.str()};
}

std::string joined(const std::vector<const char*>& arguments) {
    std::string text;
    for (const char* argument : arguments) {
        text += text.empty() ? "" : " ";
        text += argument;
    }
    return text;
}

std::string unknown(std::string_view argument) {
    return "kirune: unknown argument '" + std::string(argument) + "' (try --help)\n";
}

// Qt's own options, with their values, must reach QApplication untouched.
const std::vector<const char*> starts[] = {
    {},
    {"-platform", "offscreen"},
    {"--platform", "xcb"},
    {"-platformpluginpath", "/tmp/plugins", "-platformtheme", "gtk3"},
    {"-qwindowgeometry", "200x100+10+10", "-qwindowtitle", "t", "-qwindowicon", "i.png"},
    {"-display", ":1", "-geometry", "+0+0", "-name", "k", "-icon", "i.png"},
    {"-style", "fusion", "-stylesheet", "a.qss", "-reverse", "-widgetcount"},
    {"-style=fusion", "--stylesheet=a.qss", "-qmljsdebugger=port:1234"},
    {"-session", "s1", "-plugin", "evdevkeyboard", "-testability"},
    {"-nograb", "-dograb", "-sync", "-cmap", "-visual", "TrueColor", "-ncols", "16"},
    {"-fn", "fixed", "-bg", "white", "-fg", "black", "-btn", "grey", "-im", "xim"},
    {"-inputstyle", "onthespot"},
    // A value that looks like an option is still the value: a window title.
    {"-title", "--version"},
    {"-qwindowtitle", "--help"},
    {"-title", "-h"},
    // A value cut off at the end is Qt's concern, as it ignores it.
    {"-platform"},
};

TEST(CommandLine, QtOptionsStartTheCalculator) {
    for (const auto& arguments : starts) {
        SCOPED_TRACE(joined(arguments));
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, std::nullopt);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, "");
    }
}

struct RefusedCase {
    std::vector<const char*> arguments;
    std::string_view refused;
};

const RefusedCase refused[] = {
    {{"--frobnicate"}, "--frobnicate"},
    {{"notes.txt"}, "notes.txt"},
    {{"-"}, "-"},
    {{"--"}, "--"},
    {{""}, ""},
    {{"-version"}, "-version"},  // only the two-dash form is ours
    {{"-help"}, "-help"},
    {{"-H"}, "-H"},
    {{"-styles"}, "-styles"},  // a Qt name must match whole
    {{"-stylefusion"}, "-stylefusion"},
    {{"-platform", "xcb", "extra"}, "extra"},  // after a whole Qt option
    {{"-reverse", "fusion"}, "fusion"},        // a flag takes no value
    {{"--bogus", "--help"}, "--bogus"},        // the first word decides
    {{"---platform", "xcb"}, "---platform"},
};

TEST(CommandLine, UnknownArgumentEndsWithStatusTwo) {
    for (const auto& c : refused) {
        SCOPED_TRACE(std::string(c.refused));
        const Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, unknown(c.refused));
    }
}

TEST(CommandLine, VersionPrintsNameAndVersion) {
    for (const auto& arguments : {std::vector<const char*>{"--version"},
                                  std::vector<const char*>{"-platform", "xcb", "--version"},
                                  std::vector<const char*>{"--version", "--bogus"}}) {
        SCOPED_TRACE(joined(arguments));
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, "Kirune 1.00\n");
        EXPECT_EQ(outcome.err, "");
    }
}

TEST(CommandLine, HelpPrintsUsageInBothLanguages) {
    for (const char* option : {"--help", "-h"}) {
        SCOPED_TRACE(option);
        const Outcome outcome = run({option, "--bogus"});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.err, "");
        EXPECT_NE(outcome.out.find("Usage: kirune"), std::string::npos);
        EXPECT_NE(outcome.out.find("使い方: kirune"), std::string::npos);
        EXPECT_NE(outcome.out.find("-platform"), std::string::npos);
        EXPECT_NE(outcome.out.find("README"), std::string::npos);
        EXPECT_NE(outcome.out.find("--version"), std::string::npos);
    }
}

}  // namespace
