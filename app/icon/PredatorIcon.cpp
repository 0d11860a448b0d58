#include "app/icon/PredatorIcon.h"

#include <algorithm>
#include <cmath>

#include "app/Figures.h"

namespace {

struct Point {
    double x;
    double y;
};

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    const double t =
        lengthSquared == 0
            ? 0
            : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The figure of the one cell of a board whose circle fills the icon: the board
// draws a circle two thirds of its cell across, so the cell is half as large
// again as the icon. The circle is centred in the icon; the H keeps its place
// relative to the figure's centre, and its bars lie on whole pixels.
struct IconFigure {
    explicit IconFigure(int size) {
        const int cell = size * 3 / 2;
        const PredatorFigure figure =
            predatorFigure(boardGeometry(cell, cell, 1, 1), CellPosition{0, 0});
        // A pen a sixteenth of the icon wide, at least a pixel; the circle's
        // outline stays inside the icon.
        const int pen = std::max(1, size / 16);
        halfPen = pen / 2.0;
        centre = {size / 2.0, size / 2.0};
        radius = size / 2.0 - halfPen;
        // A pen of odd width is centred on a pixel, one of even width between two.
        const double onPixels = pen % 2 == 1 ? 0.5 : 0.0;
        // The figure's centre, where the cross bar meets the middle of the H.
        const int middleX = (figure.leftBar.from.x + figure.rightBar.from.x) / 2;
        const int middleY = figure.crossBar.from.y;
        const auto at = [&](PixelPoint p) {
            return Point{p.x - middleX + size / 2 + onPixels, p.y - middleY + size / 2 + onPixels};
        };
        for (const PixelSegment& s : {figure.leftBar, figure.rightBar, figure.crossBar})
            bars.push_back({at(s.from), at(s.to)});
    }

    enum class Ink { none, white, black };

    Ink inkAt(Point p) const {
        const double fromCentre = std::hypot(p.x - centre.x, p.y - centre.y);
        if (std::abs(fromCentre - radius) <= halfPen)
            return Ink::black;
        if (fromCentre > radius)
            return Ink::none;
        for (const auto& [from, to] : bars) {
            if (distanceToSegment(p, from, to) <= halfPen)
                return Ink::black;
        }
        return Ink::white;
    }

    Point centre{};
    double radius = 0;
    double halfPen = 0;
    std::vector<std::pair<Point, Point>> bars;
};

void putLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 32-bit image in the .ico's own bitmap form: a header giving twice the
// height (the colour rows, then the transparency mask's), the rows from the
// bottom, then a 1-bit mask that is set where the image is transparent.
std::vector<std::uint8_t> iconBitmap(int size) {
    const std::vector<std::uint8_t> image = predatorIconImage(size);
    const int maskRowBytes = (size + 31) / 32 * 4;
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t field :
         {40u, static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(2 * size)})
        putLittleEndian(bytes, field, 4);
    putLittleEndian(bytes, 1, 2);  // planes
    putLittleEndian(bytes, 32, 2); // bits per pixel
    putLittleEndian(bytes, 0, 4);  // not compressed
    putLittleEndian(bytes, static_cast<std::uint32_t>(size * size * 4 + maskRowBytes * size), 4);
    for (int unused = 0; unused < 4; ++unused)
        putLittleEndian(bytes, 0, 4);
    const auto row = [&](int y) {
        return image.begin() + static_cast<std::ptrdiff_t>(y) * size * 4;
    };
    for (int y = size - 1; y >= 0; --y)
        bytes.insert(bytes.end(), row(y), row(y) + size * 4);
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskRowBytes), 0);
        for (int x = 0; x < size; ++x) {
            if (row(y)[x * 4 + 3] == 0)
                mask[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        bytes.insert(bytes.end(), mask.begin(), mask.end());
    }
    return bytes;
}

} // namespace

std::vector<std::uint8_t> predatorIconImage(int size) {
    const IconFigure figure(size);
    constexpr int samples = 4; // per axis and pixel
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int white = 0, black = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Point p{x + (sx + 0.5) / samples, y + (sy + 0.5) / samples};
                    const IconFigure::Ink ink = figure.inkAt(p);
                    white += ink == IconFigure::Ink::white;
                    black += ink == IconFigure::Ink::black;
                }
            }
            const int covered = white + black;
            const auto grey = static_cast<std::uint8_t>(covered == 0 ? 0 : 255 * white / covered);
            pixels.insert(
                pixels.end(),
                {grey, grey, grey, static_cast<std::uint8_t>(255 * covered / (samples * samples))});
        }
    }
    return pixels;
}

std::vector<std::uint8_t> iconFile(const std::vector<int>& sizes) {
    std::vector<std::vector<std::uint8_t>> images;
    for (int size : sizes)
        images.push_back(iconBitmap(size));
    std::vector<std::uint8_t> bytes;
    putLittleEndian(bytes, 0, 2); // reserved
    putLittleEndian(bytes, 1, 2); // an icon, not a cursor
    putLittleEndian(bytes, static_cast<std::uint32_t>(sizes.size()), 2);
    std::size_t offset = 6 + 16 * sizes.size();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        // A side of 256 is written as 0.
        bytes.push_back(static_cast<std::uint8_t>(sizes[i] % 256));
        bytes.push_back(static_cast<std::uint8_t>(sizes[i] % 256));
        bytes.push_back(0); // no palette
        bytes.push_back(0);
        putLittleEndian(bytes, 1, 2);  // planes
        putLittleEndian(bytes, 32, 2); // bits per pixel
        putLittleEndian(bytes, static_cast<std::uint32_t>(images[i].size()), 4);
        putLittleEndian(bytes, static_cast<std::uint32_t>(offset), 4);
        offset += images[i].size();
    }
    for (const std::vector<std::uint8_t>& image : images)
        bytes.insert(bytes.end(), image.begin(), image.end());
    return bytes;
}
