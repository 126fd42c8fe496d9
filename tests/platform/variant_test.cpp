#include "platform/variant.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/runtime_error.h"

namespace {

using platform::Empty;
using platform::Integer;
using platform::Variant;

struct TextCase {
    Variant value;
    std::string_view text;
};

TEST(Variant, TextOfEachKind) {
    const TextCase cases[] = {
        {Empty{}, ""},
        {Integer{0}, "0"},
        {Integer{-32768}, "-32768"},
        {0.1 + 0.2, "0.3"},
        {1e15, "1E+15"},
        {std::string("12."), "12."},  // a String keeps its text exactly
        {std::string(""), ""},
        {true, "True"},
        {false, "False"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::text_of(c.value), c.text);
    }
}

struct EqualsTextCase {
    Variant value;
    std::string_view text;
    bool equal;
};

TEST(Variant, EqualsText) {
    const EqualsTextCase cases[] = {
        {Empty{}, "", true},
        {Empty{}, "tasu", false},
        {std::string(""), "", true},
        {std::string("tasu"), "tasu", true},
        {std::string("tasu"), "Tasu", false},  // case-sensitive
        {std::string("tasu"), "tasu ", false},
        {std::string("tasu"), "", false},
        {Integer{0}, "0", true},
        {Integer{0}, "", false},
        {12.5, "12.5", true},
        {true, "True", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::equals_text(c.value, c.text), c.equal);
    }
}

struct EqualsNumberCase {
    Variant value;
    double number;
    bool equal;
};

TEST(Variant, EqualsNumber) {
    const EqualsNumberCase cases[] = {
        {Empty{}, 0, true},
        {Empty{}, 1, false},
        {Integer{0}, 0, true},
        {Integer{-3}, -3, true},
        {Integer{3}, 0, false},
        {2.5, 2.5, true},
        {true, -1, true},
        {false, 0, true},
        {std::string(" 12 "), 12, true},
        {std::string("12"), 13, false},
        {std::string("-1.5E1"), -15, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(platform::equals_number(c.value, c.number), c.equal);
    }
}

TEST(Variant, TextThatIsNoNumberIsATypeMismatch) {
    for (const std::string_view text : {"abc", "", "12abc", "1 2"}) {
        SCOPED_TRACE(text);
        try {
            platform::equals_number(std::string(text), 0);
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.kind, platform::ErrorKind::type_mismatch);
        }
    }
}

TEST(Variant, OnlyEmptyIsEmpty) {
    EXPECT_TRUE(platform::is_empty(Empty{}));
    EXPECT_TRUE(platform::is_empty(Variant{}));
    EXPECT_FALSE(platform::is_empty(std::string()));
    EXPECT_FALSE(platform::is_empty(Integer{0}));
}

}  // namespace
