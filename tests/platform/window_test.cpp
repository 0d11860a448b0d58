// Window classes, windows and the message box of the layer.
#include "LayerTest.h"

#include <string>

namespace {

LRESULT CALLBACK plainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

WNDCLASSEXW plainClass(LPCWSTR name) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.lpfnWndProc = plainWindow;
    windowClass.lpszClassName = name;
    return windowClass;
}

using Windows = LayerTest;

} // namespace

TEST_F(Windows, RegisterAClassOnceOnly) {
    const WNDCLASSEXW windowClass = plainClass(L"once");
    EXPECT_NE(RegisterClassExW(&windowClass), 0);
    EXPECT_EQ(RegisterClassExW(&windowClass), 0);
}

TEST_F(Windows, RefuseAClassRecordOfTheWrongSize) {
    WNDCLASSEXW windowClass = plainClass(L"sized");
    windowClass.cbSize = 48 + sizeof(WNDCLASSEXW);
    EXPECT_EQ(RegisterClassExW(&windowClass), 0);
}

TEST_F(Windows, AreNotCreatedForAnUnknownClass) {
    EXPECT_EQ(CreateWindowExW(0, L"unknown", L"x", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                              CW_USEDEFAULT, 0, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(Windows, GetThreeQuartersOfTheDisplayWhenTheSystemChoosesTheSize) {
    const WNDCLASSEXW windowClass = plainClass(L"sized");
    RegisterClassExW(&windowClass);
    HWND window = CreateWindowExW(0, L"sized", L"x", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                  CW_USEDEFAULT, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SDL_Rect usable;
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
    RECT client;
    EXPECT_EQ(GetClientRect(window, &client), TRUE);
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, usable.w * 3 / 4);
    EXPECT_EQ(client.bottom, usable.h * 3 / 4);
}

TEST_F(Windows, TakeTheGivenSizeAsTheirClientArea) {
    const WNDCLASSEXW windowClass = plainClass(L"sized");
    RegisterClassExW(&windowClass);
    HWND window = CreateWindowExW(0, L"sized", L"x", WS_OVERLAPPEDWINDOW, 0, 0, 321, 123,
                                  nullptr, nullptr, nullptr, nullptr);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 321);
    EXPECT_EQ(client.bottom, 123);
}

TEST_F(Windows, ShowTheArrowCursorOnly) {
    EXPECT_NE(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)), nullptr);
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)), nullptr);
}

TEST(MessageBox, WritesItsCaptionAndTextToStandardErrorAndReturnsOk) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    testing::internal::CaptureStderr();
    const int answer = MessageBoxA(nullptr, "Something went wrong.", "Error", MB_OK);
    const std::string written = testing::internal::GetCapturedStderr();
    win32layer::testing::reset();
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(written, "Error: Something went wrong.\n");
}
