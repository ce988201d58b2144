#pragma once

#include <cstdint>

namespace lens {

// An RGB colour of 8-bit components; as one number it is R + 256·G + 65536·B.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    constexpr std::uint32_t value() const { return r + 256u * g + 65536u * b; }
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

constexpr Rgb RGB(int r, int g, int b)
{
    return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

namespace colours {
inline constexpr Rgb black = RGB(0, 0, 0);
inline constexpr Rgb white = RGB(255, 255, 255);
inline constexpr Rgb red = RGB(255, 0, 0);
inline constexpr Rgb green = RGB(0, 255, 0);
inline constexpr Rgb blue = RGB(0, 0, 255);
inline constexpr Rgb cyan = RGB(0, 255, 255);
inline constexpr Rgb magenta = RGB(255, 0, 255);
// The light grey of a desktop window's background.
inline constexpr Rgb windowBackground = RGB(240, 240, 240);
} // namespace colours

} // namespace lens
