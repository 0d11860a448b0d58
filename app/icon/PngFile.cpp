#include "app/icon/PngFile.h"

#include <stdexcept>
#include <string>

#include <zlib.h>

namespace {

void putBigEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A chunk: its length, type and data, and the CRC of type and data.
void putChunk(std::vector<std::uint8_t>& png, const char* type,
              const std::vector<std::uint8_t>& data) {
    putBigEndian(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    putBigEndian(png, static_cast<std::uint32_t>(
                          crc32(0, png.data() + typeAt, static_cast<uInt>(png.size() - typeAt))));
}

// Each row behind a filter byte of 0 (none), its pixels turned to RGBA.
std::vector<std::uint8_t> scanlines(const std::vector<std::uint8_t>& bgra, int width) {
    std::vector<std::uint8_t> rows;
    rows.reserve(bgra.size() + bgra.size() / (static_cast<std::size_t>(width) * 4) + 1);
    for (std::size_t at = 0; at < bgra.size(); at += 4) {
        if (at % (static_cast<std::size_t>(width) * 4) == 0)
            rows.push_back(0);
        rows.insert(rows.end(), {bgra[at + 2], bgra[at + 1], bgra[at], bgra[at + 3]});
    }
    return rows;
}

std::vector<std::uint8_t> compressed(const std::vector<std::uint8_t>& data) {
    uLongf length = compressBound(static_cast<uLong>(data.size()));
    std::vector<std::uint8_t> out(length);
    if (compress2(out.data(), &length, data.data(), static_cast<uLong>(data.size()), 9) != Z_OK)
        throw std::runtime_error("zlib could not compress the image");
    out.resize(length);
    return out;
}

} // namespace

std::vector<std::uint8_t> pngFile(const std::vector<std::uint8_t>& bgra, int width, int height) {
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBigEndian(header, static_cast<std::uint32_t>(width));
    putBigEndian(header, static_cast<std::uint32_t>(height));
    // 8 bits a sample, RGBA, deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", compressed(scanlines(bgra, width)));
    putChunk(png, "IEND", {});
    return png;
}
