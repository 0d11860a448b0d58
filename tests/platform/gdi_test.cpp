// Device contexts, pens and brushes: a paint starts with the black pen and the
// white brush, SelectObject hands back what was selected before, and every pen
// and brush made is counted until it is deleted.
#include "LayerTest.h"

namespace {

HDC lastDc = nullptr;

LRESULT CALLBACK plainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

class DeviceContexts : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        window = openWindow(L"gdi-test", plainWindow, 60, 40);
        InvalidateRect(window, nullptr, TRUE);
        dc = BeginPaint(window, &paint);
        lastDc = dc;
    }
    void TearDown() override {
        EndPaint(window, &paint);
        LayerTest::TearDown();
    }
    COLORREF pixel(int x, int y) { return win32layer::testing::pixelAt(window, x, y); }

    HWND window = nullptr;
    PAINTSTRUCT paint{};
    HDC dc = nullptr;
};

} // namespace

TEST_F(DeviceContexts, BeginWithTheBackgroundErasedToTheWindowColour) {
    EXPECT_EQ(paint.fErase, FALSE);
    EXPECT_EQ(paint.rcPaint.right, 60);
    EXPECT_EQ(paint.rcPaint.bottom, 40);
    EXPECT_EQ(pixel(0, 0), white);
    EXPECT_EQ(pixel(59, 39), white);
}

TEST_F(DeviceContexts, DrawLinesWithABlackPenAndFillEllipsesWithAWhiteBrush) {
    const RECT all{0, 0, 60, 40};
    HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
    FillRect(dc, &all, grey);
    MoveToEx(dc, 0, 1, nullptr);
    LineTo(dc, 10, 1);
    Ellipse(dc, 20, 0, 40, 20);
    EXPECT_EQ(pixel(5, 1), black);
    EXPECT_EQ(pixel(10, 1), RGB(128, 128, 128));
    EXPECT_EQ(pixel(29, 0), black);
    EXPECT_EQ(pixel(29, 10), white);
    DeleteObject(grey);
}

TEST_F(DeviceContexts, SelectAPenAndHandBackTheOneBefore) {
    HPEN green = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
    HGDIOBJ previous = SelectObject(dc, green);
    ASSERT_NE(previous, nullptr);
    MoveToEx(dc, 0, 5, nullptr);
    LineTo(dc, 5, 5);
    EXPECT_EQ(SelectObject(dc, previous), green);
    MoveToEx(dc, 0, 6, nullptr);
    LineTo(dc, 5, 6);
    EXPECT_EQ(pixel(2, 5), RGB(0, 255, 0));
    EXPECT_EQ(pixel(2, 6), black);
    EXPECT_EQ(DeleteObject(green), TRUE);
}

TEST_F(DeviceContexts, FillWithABrushWithoutSelectingIt) {
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 128));
    const RECT box{4, 4, 8, 8};
    EXPECT_NE(FillRect(dc, &box, yellow), 0);
    EXPECT_EQ(pixel(4, 4), RGB(255, 255, 128));
    EXPECT_EQ(pixel(8, 4), white);
    Ellipse(dc, 20, 0, 40, 20);
    EXPECT_EQ(pixel(29, 10), white);
    DeleteObject(yellow);
}

TEST_F(DeviceContexts, CountEveryPenAndBrushUntilItIsDeleted) {
    const int before = win32layer::testing::liveDrawingObjects();
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_EQ(win32layer::testing::liveDrawingObjects(), before + 2);
    EXPECT_EQ(DeleteObject(pen), TRUE);
    EXPECT_EQ(DeleteObject(brush), TRUE);
    EXPECT_EQ(win32layer::testing::liveDrawingObjects(), before);
    EXPECT_EQ(DeleteObject(pen), FALSE);
}

TEST_F(DeviceContexts, RefuseToDeleteAPenStillSelected) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ previous = SelectObject(dc, pen);
    EXPECT_EQ(DeleteObject(pen), FALSE);
    SelectObject(dc, previous);
    EXPECT_EQ(DeleteObject(pen), TRUE);
}

TEST_F(DeviceContexts, LeaveNothingSelectedAfterEndPaint) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    SelectObject(dc, pen);
    EndPaint(window, &paint);
    EXPECT_EQ(DeleteObject(pen), TRUE);
    EXPECT_EQ(LineTo(lastDc, 3, 3), FALSE); // no drawing outside a paint
    dc = BeginPaint(window, &paint);
}

TEST_F(DeviceContexts, MakeOnlySolidPens) {
    EXPECT_EQ(CreatePen(5, 1, RGB(0, 0, 0)), nullptr);
    EXPECT_EQ(win32layer::testing::liveDrawingObjects(), 0);
}
