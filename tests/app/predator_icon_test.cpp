// The window program's icon: the board's predator figure filling the icon,
// crisp at the small sizes, and a well-formed .ico file around the images; the
// PNG files of other desktops hold the same pixels.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/icon/PngFile.h"
#include "app/icon/PredatorIcon.h"

namespace {

struct Pixel {
    int grey;
    int alpha;
};

Pixel pixelAt(const std::vector<std::uint8_t>& image, int size, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * size + x) * 4;
    EXPECT_EQ(image[at], image[at + 1]);
    EXPECT_EQ(image[at], image[at + 2]);
    return {image[at], image[at + 3]};
}

std::uint32_t readLittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes.at(at + static_cast<std::size_t>(i));
    return value;
}

bool isBlack(Pixel p) { return p.alpha == 255 && p.grey == 0; }
bool isWhite(Pixel p) { return p.alpha == 255 && p.grey == 255; }

} // namespace

TEST(PredatorIcon, IsAWhiteCircleWithABlackOutlineAndAnH) {
    for (int size : predatorIconSizes) {
        const std::vector<std::uint8_t> image = predatorIconImage(size);
        ASSERT_EQ(image.size(), static_cast<std::size_t>(size * size * 4));
        const int middle = size / 2;
        const int pen = std::max(1, size / 16);
        const auto at = [&](int x, int y) { return pixelAt(image, size, x, y); };
        EXPECT_EQ(at(0, 0).alpha, 0) << size << ": a corner lies outside the circle";
        EXPECT_EQ(at(size - 1, size - 1).alpha, 0) << size;
        EXPECT_TRUE(isBlack(at(middle, pen / 2))) << size << ": the outline at the top";
        EXPECT_TRUE(isBlack(at(pen / 2, middle))) << size << ": the outline at the left";
        EXPECT_TRUE(isBlack(at(middle, middle))) << size << ": the H's cross bar";
        // Between the H and the outline, left of the middle.
        EXPECT_TRUE(isWhite(at(middle - size / 4 - 1, middle))) << size;
        EXPECT_TRUE(isWhite(at(middle, middle - size / 4 - 1))) << size << ": above the H";
    }
}

TEST(PredatorIcon, HasTheBoardsProportionsForTheH) {
    // The board's H is a fifth of its cell wide and the circle two thirds: the
    // H is three tenths of the circle across. At 128 pixels: 38 pixels between
    // the bars' centres, and a pen of 8.
    const int size = 128;
    const std::vector<std::uint8_t> image = predatorIconImage(size);
    int firstBlack = -1, lastBlack = -1;
    for (int x = 16; x < size - 16; ++x) {
        if (isBlack(pixelAt(image, size, x, size / 2))) {
            firstBlack = firstBlack < 0 ? x : firstBlack;
            lastBlack = x;
        }
    }
    EXPECT_NEAR(lastBlack - firstBlack + 1, 38 + 8, 2);
}

TEST(PredatorIcon, IsAnIcoFileWithOneThirtyTwoBitImageOfEachSize) {
    const std::vector<std::uint8_t> file = iconFile(predatorIconSizes);
    ASSERT_GE(file.size(), 6u);
    EXPECT_EQ(readLittleEndian(file, 0, 2), 0u);
    EXPECT_EQ(readLittleEndian(file, 2, 2), 1u) << "an icon, not a cursor";
    ASSERT_EQ(readLittleEndian(file, 4, 2), predatorIconSizes.size());
    std::size_t expectedOffset = 6 + 16 * predatorIconSizes.size();
    for (std::size_t i = 0; i < predatorIconSizes.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        const auto size = static_cast<std::uint32_t>(predatorIconSizes[i]);
        EXPECT_EQ(file[entry], size % 256);
        EXPECT_EQ(readLittleEndian(file, entry + 6, 2), 32u) << "bits per pixel";
        const std::uint32_t bytes = readLittleEndian(file, entry + 8, 4);
        const std::uint32_t offset = readLittleEndian(file, entry + 12, 4);
        EXPECT_EQ(offset, expectedOffset);
        // The image's own header: 40 bytes, the width, twice the height (the mask's rows too).
        EXPECT_EQ(readLittleEndian(file, offset, 4), 40u);
        EXPECT_EQ(readLittleEndian(file, offset + 4, 4), size);
        EXPECT_EQ(readLittleEndian(file, offset + 8, 4), 2 * size);
        EXPECT_EQ(bytes, 40 + size * size * 4 + (size + 31) / 32 * 4 * size);
        expectedOffset = offset + bytes;
    }
    EXPECT_EQ(file.size(), expectedOffset);
}

TEST(PredatorIcon, IsAPngFileOfTheSameImageInRgbaForOtherDesktops) {
    const int size = 48;
    const std::vector<std::uint8_t> image = predatorIconImage(size);
    const std::vector<std::uint8_t> png = pngFile(image, size);
    const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    // Chunks: IHDR (48 x 48, 8-bit RGBA), one IDAT, IEND; each with the CRC of its type and data.
    std::vector<std::string> types;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * (size * 4 + 1));
    for (std::size_t at = 8; at < png.size();) {
        const auto readBig = [&](std::size_t from) {
            return std::uint32_t{png.at(from)} << 24 | png.at(from + 1) << 16 |
                   png.at(from + 2) << 8 | png.at(from + 3);
        };
        const std::uint32_t length = readBig(at);
        types.emplace_back(png.begin() + at + 4, png.begin() + at + 8);
        EXPECT_EQ(readBig(at + 8 + length), crc32(0, png.data() + at + 4, length + 4));
        if (types.back() == "IHDR") {
            EXPECT_EQ(readBig(at + 8), 48u);
            EXPECT_EQ(readBig(at + 12), 48u);
            EXPECT_EQ(png[at + 16], 8);
            EXPECT_EQ(png[at + 17], 6);
        } else if (types.back() == "IDAT") {
            uLongf got = pixels.size();
            EXPECT_EQ(uncompress(pixels.data(), &got, png.data() + at + 8, length), Z_OK);
            EXPECT_EQ(got, pixels.size());
        }
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    // Every row: filter 0, then the icon's pixels as red, green, blue, alpha.
    for (int y = 0; y < size; ++y) {
        const std::uint8_t* row = pixels.data() + static_cast<std::size_t>(y) * (size * 4 + 1);
        EXPECT_EQ(row[0], 0);
        for (int x = 0; x < size; ++x) {
            const std::size_t from = (static_cast<std::size_t>(y) * size + x) * 4;
            EXPECT_EQ(row[1 + x * 4], image[from + 2]);
            EXPECT_EQ(row[1 + x * 4 + 1], image[from + 1]);
            EXPECT_EQ(row[1 + x * 4 + 2], image[from]);
            EXPECT_EQ(row[1 + x * 4 + 3], image[from + 3]);
        }
    }
}
