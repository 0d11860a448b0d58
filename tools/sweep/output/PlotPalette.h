#pragma once
// The colours of a sweep's plot: each design point's line has the colour of its
// shade (0 for the first point, 1 for the last) on one palette, from dark blue
// through green to yellow, which reads apart in print and for most colour
// blindness. gnuplot is handed the stops (Gnuplot.cpp); the page asks for each
// line's colour (web/ExperimentExports.cpp), so both plots colour alike.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

struct PaletteStop {
    double at;
    std::uint32_t rgb; // 0xRRGGBB
};

inline constexpr std::array<PaletteStop, 5> plotPalette{{
    {0, 0x440154}, {0.3, 0x3b528b}, {0.55, 0x21918c}, {0.8, 0x5ec962}, {1, 0xb5a400}}};

// "#rrggbb" of the colour.
inline std::string hexColour(std::uint32_t rgb) {
    const char* digits = "0123456789abcdef";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4)
        text += digits[(rgb >> shift) & 0xFu];
    return text;
}

// The palette's colour at the shade (clamped to 0..1), as gnuplot blends its stops.
inline std::string plotColour(double shade) {
    std::size_t stop = 1;
    while (stop + 1 < plotPalette.size() && plotPalette[stop].at < shade)
        ++stop;
    const PaletteStop& low = plotPalette[stop - 1];
    const PaletteStop& high = plotPalette[stop];
    const double along = std::fmin(1, std::fmax(0, (shade - low.at) / (high.at - low.at)));
    std::uint32_t rgb = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const double from = (low.rgb >> shift) & 0xFFu;
        const double to = (high.rgb >> shift) & 0xFFu;
        rgb |= static_cast<std::uint32_t>(std::lround(from + (to - from) * along)) << shift;
    }
    return hexColour(rgb);
}
