// The message queue: input arrives as Win32 messages in the order it happened;
// GetMessageW returns queued messages first, then WM_QUIT, then one WM_PAINT,
// and only then waits; the close button ends in WM_DESTROY through DefWindowProcW.
#include "LayerTest.h"

#include <vector>

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Received&) const = default;
};

std::vector<Received> received;

LRESULT CALLBACK recordingWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back({message, wParam, lParam});
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

class MessageQueue : public LayerTest {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        received.clear();
        window = openWindow(L"queue-test", recordingWindow, 100, 80);
    }

    // Fetches and dispatches messages until GetMessageW would wait; returns what was fetched.
    std::vector<UINT> drain() {
        win32layer::testing::whenIdle([] {
            PostQuitMessage(0);
            SDL_Event wake{};
            wake.type = SDL_USEREVENT;
            SDL_PushEvent(&wake);
        });
        std::vector<UINT> fetched;
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0)) {
            fetched.push_back(message.message);
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        win32layer::testing::whenIdle({});
        return fetched;
    }

    HWND window = nullptr;
};

} // namespace

TEST_F(MessageQueue, DeliversTheFirstPaintOfANewWindowUnasked) {
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_PAINT}));
}

TEST_F(MessageQueue, FollowsSeveralInputsWithASinglePaint) {
    drain();
    pushText(window, " ");
    pushText(window, " ");
    pushClick(window, 3, 4);
    std::vector<UINT> fetched;
    win32layer::testing::whenIdle(
        [&] { ADD_FAILURE() << "waited before the inputs were handled"; });
    for (int i = 0; i < 3; ++i) {
        MSG message;
        GetMessageW(&message, nullptr, 0, 0);
        fetched.push_back(message.message);
        InvalidateRect(window, nullptr, TRUE); // every input asks for a repaint
    }
    EXPECT_EQ(fetched, (std::vector<UINT>{WM_CHAR, WM_CHAR, WM_LBUTTONDOWN}));
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_PAINT}));
}

TEST_F(MessageQueue, ReturnsQueuedMessagesBeforeTheQuitAndTheQuitBeforeThePaint) {
    PostQuitMessage(7);
    PostMessageW(window, WM_COMMAND, 100, 0);
    MSG message;
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), FALSE);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_PAINT));
}

TEST_F(MessageQueue, EndsTheLoopAtAPostedQuitInItsTurn) {
    PostMessageW(window, WM_QUIT, 0, 0);
    PostMessageW(window, WM_CHAR, 'a', 0);
    MSG message;
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), FALSE);
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.wParam, static_cast<WPARAM>('a'));
}

TEST_F(MessageQueue, TurnsTheCloseButtonIntoWmCloseAndThenWmDestroy) {
    drain();
    received.clear();
    pushCloseButton(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0))
        DispatchMessageW(&message);
    EXPECT_EQ(received, (std::vector<Received>{{0x0010, 0, 0}, {WM_DESTROY, 0, 0}}));
    EXPECT_EQ(win32layer::testing::newestWindow(), nullptr);
}

TEST_F(MessageQueue, TakesTypedAsciiFromTextInputAndControlKeysFromKeyPresses) {
    drain();
    received.clear();
    pushKey(window, SDLK_SPACE); // comes with the text input below; must not count twice
    pushText(window, " ");
    pushText(window, "a\xC3\xA9"); // a, then an e acute, which no handler reads
    pushKey(window, SDLK_ESCAPE);
    pushKey(window, SDLK_RETURN);
    pushKey(window, SDLK_BACKSPACE);
    pushKey(window, SDLK_TAB);
    pushKey(window, SDLK_a); // its character comes as text input, if at all
    drain();
    EXPECT_EQ(received, (std::vector<Received>{{WM_CHAR, 32, 1},
                                               {WM_CHAR, 'a', 1},
                                               {WM_CHAR, 27, 1},
                                               {WM_CHAR, 13, 1},
                                               {WM_CHAR, 8, 1},
                                               {WM_CHAR, 9, 1}}));
}

TEST_F(MessageQueue, GivesClicksInClientCoordinates) {
    drain();
    received.clear();
    pushClick(window, 95, 41);
    drain();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(LOWORD(received[0].lParam), 95);
    EXPECT_EQ(HIWORD(received[0].lParam), 41);
}

TEST_F(MessageQueue, RepaintsTheWholeClientAreaAfterAResize) {
    drain();
    pushResize(window, 150, 90);
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_PAINT}));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 150);
    EXPECT_EQ(client.bottom, 90);
    EXPECT_EQ(win32layer::testing::pixelAt(window, 149, 89), white);
}

TEST_F(MessageQueue, PaintsAtOnceOnUpdateWindowOnlyWhenSomethingWaitsToBePainted) {
    UpdateWindow(window);
    UpdateWindow(window);
    EXPECT_EQ(received, (std::vector<Received>{{WM_PAINT, 0, 0}, {0x0014, received[1].wParam, 0}}));
    EXPECT_TRUE(drain().empty());
}

TEST_F(MessageQueue, DropsTheMessagesOfADestroyedWindow) {
    PostMessageW(window, WM_CHAR, 'a', 0);
    DestroyWindow(window);
    received.clear();
    MSG message;
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), FALSE); // the quit from WM_DESTROY
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(PostMessageW(window, WM_CHAR, 'b', 0), FALSE);
}

TEST_F(MessageQueue, RepaintsTheWholeClientAreaOnceAfterSetWindowPosGivesANewSize) {
    drain();
    EXPECT_EQ(SetWindowPos(window, nullptr, 7, 9, 150, 90, SWP_NOZORDER | SWP_NOACTIVATE), TRUE);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 150);
    EXPECT_EQ(client.bottom, 90);
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_PAINT}));
    EXPECT_EQ(win32layer::testing::pixelAt(window, 149, 89), white);
    SetWindowPos(window, nullptr, 0, 0, 150, 90, SWP_NOZORDER);
    EXPECT_TRUE(drain().empty()) << "the same size repaints nothing";
}

TEST_F(MessageQueue, RefusesToPlaceAWindowInTheZOrderOrWithOtherFlags) {
    EXPECT_EQ(SetWindowPos(window, window, 0, 0, 150, 90, 0), FALSE);
    EXPECT_EQ(SetWindowPos(window, nullptr, 0, 0, 150, 90, 0x0001 /* SWP_NOSIZE */), FALSE);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 100);
}
