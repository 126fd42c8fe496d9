#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <variant>

#include "platform/colour.h"

namespace {

// The colour keys' values and their neighbours, as a window system takes them: red, green and
// blue, or the index of a system colour (-1 for none).
constexpr std::tuple<std::uint32_t, int, int, int, int> colours[] = {
    {0x008080FF, 255, 128, 128, -1},
    {0x0080FFFF, 255, 255, 128, -1},
    {0x00123456, 0x56, 0x34, 0x12, -1},
    {0x8000000F, 0, 0, 0, 15},
    {0x80000005, 0, 0, 0, 5}};

TEST(Colours, DecodeAsBgrOrASystemColour) {
    for (const auto& [colour, red, green, blue, system] : colours) {
        const auto decoded = platform::decoded_colour(colour);
        const auto* rgb = std::get_if<platform::Rgb>(&decoded);
        const auto* index = std::get_if<platform::SystemColour>(&decoded);
        EXPECT_EQ(std::tuple(rgb ? rgb->red : 0, rgb ? rgb->green : 0, rgb ? rgb->blue : 0,
                             index ? index->index : -1),
                  std::tuple(red, green, blue, system))
            << colour;
    }
}

}  // namespace
