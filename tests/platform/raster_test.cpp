// The software raster follows GDI's pixel rules: lines leave out their end point,
// ellipses stay inside their box without its right and bottom edges, fills cover
// left <= x < right and top <= y < bottom, and nothing lands outside the clip.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

#include "platform/Raster.h"

using win32layer::Framebuffer;
using win32layer::Pixel;
using win32layer::PixelBox;
using win32layer::Raster;

namespace {

constexpr Pixel paper = 0xFFFFFF;
constexpr Pixel ink = 0x000000;
constexpr Pixel paint = 0xFFFF80;

using Points = std::set<std::pair<int, int>>;

class Sheet {
public:
    Sheet(int width, int height) {
        framebuffer.resize(width, height);
        raster().fill(framebuffer.bounds(), paper);
    }
    Raster raster() { return Raster(framebuffer, framebuffer.bounds()); }
    Raster clipped(const PixelBox& clip) { return Raster(framebuffer, clip); }
    Points pixelsOf(Pixel colour) const {
        Points found;
        for (int y = 0; y < framebuffer.height(); ++y) {
            for (int x = 0; x < framebuffer.width(); ++x) {
                if (framebuffer.pixel(x, y) == colour)
                    found.insert({x, y});
            }
        }
        return found;
    }
    Pixel at(int x, int y) const { return framebuffer.pixel(x, y); }

private:
    Framebuffer framebuffer;
};

} // namespace

TEST(Lines, LeaveOutTheirEndPointInEveryDirection) {
    Sheet sheet(10, 10);
    sheet.raster().line(2, 1, 5, 1, ink);
    sheet.raster().line(5, 3, 2, 3, ink);
    sheet.raster().line(8, 2, 8, 5, ink);
    EXPECT_EQ(sheet.pixelsOf(ink),
              (Points{{2, 1}, {3, 1}, {4, 1}, {5, 3}, {4, 3}, {3, 3}, {8, 2}, {8, 3}, {8, 4}}));
}

TEST(Lines, OfNoLengthDrawNothing) {
    Sheet sheet(5, 5);
    sheet.raster().line(2, 2, 2, 2, ink);
    EXPECT_TRUE(sheet.pixelsOf(ink).empty());
}

TEST(Lines, OnAnExactDiagonalTakeOnePixelPerStep) {
    Sheet sheet(10, 10);
    sheet.raster().line(1, 7, 5, 3, ink);
    EXPECT_EQ(sheet.pixelsOf(ink), (Points{{1, 7}, {2, 6}, {3, 5}, {4, 4}}));
}

TEST(Lines, OnAShallowSlopeStepAlongTheLongerAxisAndRoundTheOther) {
    Sheet sheet(12, 5);
    sheet.raster().line(0, 0, 10, 3, ink);
    EXPECT_EQ(sheet.pixelsOf(ink), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2},
                                           {6, 2}, {7, 2}, {8, 2}, {9, 3}}));
}

TEST(Lines, OnASteepSlopeStepDownTheRows) {
    Sheet sheet(5, 8);
    sheet.raster().line(3, 6, 1, 0, ink);
    EXPECT_EQ(sheet.pixelsOf(ink).size(), 6u);
    EXPECT_EQ(sheet.at(3, 6), ink);
    EXPECT_EQ(sheet.at(1, 0), paper);
}

TEST(Lines, AreCutAtTheClipBox) {
    Sheet sheet(10, 10);
    sheet.clipped({2, 2, 6, 6}).line(0, 4, 9, 4, ink);
    sheet.clipped({2, 2, 6, 6}).line(0, 0, 9, 9, ink);
    EXPECT_EQ(sheet.pixelsOf(ink),
              (Points{{2, 4}, {3, 4}, {4, 4}, {5, 4}, {2, 2}, {3, 3}, {5, 5}}));
}

TEST(Lines, FromFarOutsideDrawOnlyTheirVisiblePart) {
    Sheet sheet(8, 8);
    sheet.raster().line(-Raster::coordinateLimit, 3, Raster::coordinateLimit, 3, ink);
    sheet.raster().line(5, Raster::coordinateLimit, 5, -Raster::coordinateLimit, ink);
    sheet.raster().line(-100000000, -100000000, 100000000, 100000000, ink);
    EXPECT_EQ(sheet.pixelsOf(ink).size(), 8u + 8u + 8u - 3u);
}

TEST(Lines, BeyondGdisCoordinateLimitAreNotDrawn) {
    Sheet sheet(8, 8);
    sheet.raster().line(INT_MIN, 3, INT_MAX, 3, ink);
    sheet.raster().line(0, 0, Raster::coordinateLimit + 1, 1, ink);
    EXPECT_TRUE(sheet.pixelsOf(ink).empty());
}

TEST(Ellipses, StayInsideTheirBoxWithoutItsRightAndBottomEdges) {
    Sheet sheet(40, 40);
    sheet.raster().ellipse({7, 7, 33, 33}, ink, paint);
    const Points outline = sheet.pixelsOf(ink);
    const auto [left, right] = std::minmax_element(
        outline.begin(), outline.end(), [](auto a, auto b) { return a.first < b.first; });
    const auto [top, bottom] = std::minmax_element(
        outline.begin(), outline.end(), [](auto a, auto b) { return a.second < b.second; });
    EXPECT_EQ(left->first, 7);
    EXPECT_EQ(right->first, 32);
    EXPECT_EQ(top->second, 7);
    EXPECT_EQ(bottom->second, 32);
}

TEST(Ellipses, AreOutlinedWithOnePixelAndFilledInside) {
    Sheet sheet(40, 40);
    sheet.raster().ellipse({7, 7, 33, 33}, ink, paint);
    EXPECT_EQ(sheet.at(19, 7), ink);
    EXPECT_EQ(sheet.at(19, 8), paint);
    EXPECT_EQ(sheet.at(7, 20), ink);
    EXPECT_EQ(sheet.at(8, 20), paint);
    EXPECT_EQ(sheet.at(20, 20), paint);
    EXPECT_EQ(sheet.at(8, 8), paper); // the box's corner lies outside the circle
    EXPECT_EQ(sheet.at(6, 20), paper);
    EXPECT_EQ(sheet.at(33, 20), paper);
}

TEST(Ellipses, AreSymmetricAcrossBothAxes) {
    Sheet sheet(40, 30);
    sheet.raster().ellipse({3, 4, 30, 21}, ink, paint);
    for (const auto& [x, y] : sheet.pixelsOf(ink)) {
        EXPECT_EQ(sheet.at(3 + 29 - x, y), ink) << x << "," << y;
        EXPECT_EQ(sheet.at(x, 4 + 20 - y), ink) << x << "," << y;
    }
}

TEST(Ellipses, OfEmptyBoxesDrawNothing) {
    Sheet sheet(10, 10);
    sheet.raster().ellipse({5, 5, 5, 9}, ink, paint);
    sheet.raster().ellipse({5, 5, 9, 5}, ink, paint);
    EXPECT_TRUE(sheet.pixelsOf(ink).empty());
}

TEST(Ellipses, AreCutAtTheClipBox) {
    Sheet sheet(40, 40);
    sheet.clipped({0, 0, 20, 40}).ellipse({7, 7, 33, 33}, ink, paint);
    for (const auto& point : sheet.pixelsOf(ink))
        EXPECT_LT(point.first, 20);
    EXPECT_EQ(sheet.at(20, 7), paper);
}

TEST(Fills, CoverLeftToRightAndTopToBottomWithoutTheFarEdges) {
    Sheet sheet(10, 10);
    sheet.raster().fill({2, 3, 5, 5}, paint);
    EXPECT_EQ(sheet.pixelsOf(paint), (Points{{2, 3}, {3, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}}));
}

TEST(Fills, OfInvertedOrEmptyBoxesFillNothing) {
    Sheet sheet(10, 10);
    sheet.raster().fill({5, 5, 2, 8}, paint);
    sheet.raster().fill({2, 2, 2, 8}, paint);
    EXPECT_TRUE(sheet.pixelsOf(paint).empty());
}

TEST(Fills, AreCutAtTheClipBoxAndTheFramebuffer) {
    Sheet sheet(10, 10);
    sheet.clipped({-5, -5, 3, 100}).fill({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, paint);
    EXPECT_EQ(sheet.pixelsOf(paint).size(), 30u);
}
