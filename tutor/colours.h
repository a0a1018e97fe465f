// Colours are kept as 0x00BBGGRR values: the lowest byte is red, then green, then
// blue. 0x00FFFF00 is therefore cyan, not yellow.
#pragma once

#include <cstdint>

namespace tutor::colours {

struct Rgb {
    int red, green, blue;
};

// The red, green and blue parts of a 0x00BBGGRR value.
constexpr Rgb rgb(std::uint32_t bgr) {
    return {static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
            static_cast<int>((bgr >> 16) & 0xFF)};
}

inline constexpr std::uint32_t white = 0x00FFFFFF;
inline constexpr std::uint32_t yellow = 0x0000FFFF;
inline constexpr std::uint32_t light_green = 0x0080FF80;
inline constexpr std::uint32_t cyan = 0x00FFFF00;

// The board: white and the rows' colours on near-black, with grey for the grid and the
// axes, orange for a tested point, magenta for the keyboard's focus, and light red for the
// line that says the last solve did not run to its end.
inline constexpr std::uint32_t board_background = 0x00121212;
inline constexpr std::uint32_t board_grid = 0x003A3A3A;
inline constexpr std::uint32_t board_axis = 0x00EBEBEB;
inline constexpr std::uint32_t board_tick = 0x00E1E1E1;
inline constexpr std::uint32_t board_tested = 0x003CAAFF;
inline constexpr std::uint32_t board_focus = 0x00FF6EFF;
inline constexpr std::uint32_t board_notice = 0x006E96FF; // a solve that did not end

// The five backgrounds drawn at start-up.
inline constexpr std::uint32_t schemes[] = {
    0x00800000, // dark blue
    0x00800080, // purple
    0x00008000, // dark green
    0x00000080, // dark red
    0x00808000, // teal
};

} // namespace tutor::colours
