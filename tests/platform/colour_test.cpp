#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <variant>

#include "platform/colour.h"

namespace {

// The colour keys' values and their neighbours, as a window system takes them: red, green and
// blue, or the index of a system colour (-1 for none).
struct ColourCase {
    std::uint32_t colour;
    int red, green, blue, system;
};

constexpr ColourCase colours[] = {
    {0x008080FF, 255, 128, 128, -1},    {0x0080FFFF, 255, 255, 128, -1},
    {0x00123456, 0x56, 0x34, 0x12, -1}, {0x8000000F, 0, 0, 0, 15},
    {0x80000005, 0, 0, 0, 5},
};

TEST(Colours, DecodeAsBgrOrASystemColour) {
    for (const ColourCase& c : colours) {
        SCOPED_TRACE(c.colour);
        const auto decoded = platform::decoded_colour(c.colour);
        const auto* rgb = std::get_if<platform::Rgb>(&decoded);
        const auto* system = std::get_if<platform::SystemColour>(&decoded);
        EXPECT_EQ(system ? system->index : -1, c.system);
        EXPECT_EQ(
            rgb ? std::tuple(int{rgb->red}, int{rgb->green}, int{rgb->blue}) : std::tuple(0, 0, 0),
            std::tuple(c.red, c.green, c.blue));
    }
}

}  // namespace
