#include "Image.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

std::string describe(Rgb colour) {
    if (colour == black)
        return "black";
    if (colour == white)
        return "white";
    if (colour == green)
        return "green";
    if (colour == paleYellow)
        return "pale yellow";
    char text[32];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.r, colour.g, colour.b);
    return text;
}

namespace {

// The next header number, skipping white space and comment lines.
int readHeaderNumber(std::istream& in) {
    in >> std::ws;
    while (in.peek() == '#') {
        std::string comment;
        std::getline(in, comment);
        in >> std::ws;
    }
    int value = -1;
    in >> value;
    return value;
}

} // namespace

Image readPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    in >> magic;
    if (!in || magic != "P6")
        throw std::runtime_error(path + ": not a binary PPM (P6) image");
    Image image;
    image.width = readHeaderNumber(in);
    image.height = readHeaderNumber(in);
    const int maxValue = readHeaderNumber(in);
    if (!in || image.width <= 0 || image.height <= 0 || maxValue != 255)
        throw std::runtime_error(path + ": unsupported PPM header (need 8-bit RGB)");
    in.get(); // the one white space character before the raster
    const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    std::vector<char> raw(count * 3);
    if (!in.read(raw.data(), static_cast<std::streamsize>(raw.size())))
        throw std::runtime_error(path + ": the image data is cut short");
    image.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        image.pixels[i] = Rgb{static_cast<std::uint8_t>(raw[3 * i]), static_cast<std::uint8_t>(raw[3 * i + 1]),
                              static_cast<std::uint8_t>(raw[3 * i + 2])};
    return image;
}
