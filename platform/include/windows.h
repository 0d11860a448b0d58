#pragma once
// Lurkfield's own Win32 subset, for systems that have no Win32 (Linux and the
// like). It stands on the include path only there; on Windows the system's own
// <windows.h> is used and this folder is not seen. The calls below work on a
// software framebuffer and one message queue (platform/*.cpp); a system back
// end gives them real windows and input (platform/SystemBackEnd.h): SDL2 on
// desktops (platform/sdl/), the page's canvas in the web build (platform/browser/),
// framebuffers alone for pictures painted without a screen (platform/offscreen/).
//
// Provided, and what of each is honoured:
//  Entry and windows
//  [x] WinMain             called by the program's entry (platform/Win32Entry.cpp, the same on every
//                          back end) with an instance, the command line and SW_SHOWDEFAULT.
//  [x] LoadCursorW         IDC_ARROW only (the system's own arrow); other cursors give null.
//  [x] RegisterClassExW    cbSize must be sizeof(WNDCLASSEXW); procedure, class name and a
//                          COLOR_WINDOW + 1 or solid background brush are honoured. Every resize
//                          repaints the whole client area, as CS_HREDRAW | CS_VREDRAW ask; other
//                          styles, icons, menu name and extra bytes are ignored. A class name
//                          registered twice fails, as on Windows.
//  [x] CreateWindowExW     one system window per call; the title's ASCII characters are shown
//                          (others as '?'); WS_THICKFRAME (part of WS_OVERLAPPEDWINDOW) makes it
//                          resizable. The size given is the client area; CW_USEDEFAULT lets the
//                          system choose (SDL: 3/4 of the usable display, or 800 x 600; browser:
//                          always the canvas's size, one window at a time). The position is
//                          always the system's choice. No WM_CREATE is sent. Parent, menu and
//                          creation parameter are not supported and must be null.
//  [x] ShowWindow          shows the window, whatever the command; returns whether it was visible.
//  [x] UpdateWindow        sends WM_PAINT straight to the window procedure when an update is pending.
//  [x] DestroyWindow       sends WM_DESTROY, closes the system window, drops the window's queued
//                          messages.
//  [x] DefWindowProcW      WM_CLOSE destroys the window; WM_ERASEBKGND fills the area being painted
//                          with the class brush; WM_PAINT validates; everything else returns 0.
//  [x] SetWindowPos        the size given is the new client area, as for CreateWindowExW; the
//                          system may keep another (browser: the canvas keeps the page's layout).
//                          A new size repaints the whole client area; the same size does nothing.
//                          The position is always the system's choice. Only a null insert-after
//                          window and the flags SWP_NOZORDER and SWP_NOACTIVATE are supported:
//                          others fail (FALSE). No WM_SIZE or WM_WINDOWPOSCHANGED is sent.
//  [x] GetClientRect       left and top 0, right and bottom the client size.
//  [x] MessageBoxA         always written to standard error as "caption: text", then shown by the
//                          back end until dismissed (SDL: its simple box, unless the video driver
//                          is dummy or offscreen; browser: a modal <dialog>). MB_OK only; returns
//                          IDOK (1). The owner window is ignored.
//  Messages
//  [x] GetMessageW         queued messages first, then WM_QUIT if posted, then one WM_PAINT per window
//                          with a pending update, else it waits for the system's next event (the
//                          browser runs the page meanwhile: Asyncify). Only the unfiltered form
//                          (no window, range 0, 0) is supported; a filter is ignored. A message's
//                          time and pt are 0.
//  [x] TranslateMessage    accepted; keys already arrive as WM_CHAR. No WM_KEYDOWN / WM_KEYUP is
//                          delivered.
//  [x] DispatchMessageW    calls the procedure of the message's window; window-less messages go nowhere.
//  [x] PostMessageW        queues at the end; a WM_QUIT makes GetMessageW return 0 when it is reached.
//  [x] PostQuitMessage     WM_QUIT with the exit code, once the queue is empty.
//      Not delivered: WM_DPICHANGED. No back end reports a change of a display's scale; the
//      constant is here for the window procedure, which handles it on Windows.
//      Input delivered: WM_CHAR for typed ASCII characters (space included) and for Escape, Return,
//      Backspace and Tab (SDL only: in the browser Tab moves the focus); WM_LBUTTONDOWN (client
//      coordinates, wParam MK_LBUTTON); the close button as WM_CLOSE (browser: the page's
//      Module.closeWindow()). Other characters, buttons, mouse moves and key-up are not delivered.
//  Painting (GDI's pixel rules on a 32-bit framebuffer, presented to the window at EndPaint)
//  [x] InvalidateRect      marks the rectangle (or the whole client area for null) for repainting; the
//                          update is the bounding box of all marked rectangles. Erase flag honoured.
//  [x] BeginPaint          erases through WM_ERASEBKGND when asked, clips to the update rectangle,
//                          selects the black 1-pixel pen and the white brush, validates the window.
//  [x] EndPaint            presents the framebuffer; the DC's selections return to their defaults.
//  [x] MoveToEx, LineTo    1-pixel Bresenham lines, end point left out; a line with a coordinate
//                          beyond +-134217727 (GDI's own limit) is not drawn.
//  [x] Ellipse             inscribed in the box, right and bottom edges excluded; outlined with the pen,
//                          filled with the brush. A box given right to left or bottom to top draws
//                          nothing.
//  [x] FillRect            left <= x < right, top <= y < bottom, clipped; the brush is not selected.
//  [x] CreatePen           PS_SOLID only; every width is drawn as 1 pixel.
//  [x] CreateSolidBrush    any colour.
//  [x] SelectObject        pens and brushes; returns the one selected before.
//  [x] DeleteObject        fails (FALSE) while the object is selected into a device context.
//      Not supported: other GDI objects, regions, text, other system colours than COLOR_WINDOW,
//      mapping modes, ROP2 modes. Sizes are client pixels; there is one thread only.
#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define TRUE 1
#define FALSE 0

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
// 32 bits wide, as on Windows, so pixel arithmetic overflows where it would there.
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef unsigned int UINT;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t INT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;
typedef wchar_t WCHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef void* HGDIOBJ;

// Handles are pointers to structures only the layer knows.
struct HWND__;
struct HDC__;
struct HINSTANCE__;
struct HMENU__;
struct HICON__;
struct HPEN__;
struct HBRUSH__;
typedef HWND__* HWND;
typedef HDC__* HDC;
typedef HINSTANCE__* HINSTANCE;
typedef HMENU__* HMENU;
typedef HICON__* HICON;
typedef HICON HCURSOR;
typedef HPEN__* HPEN;
typedef HBRUSH__* HBRUSH;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *LPPOINT;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagWNDCLASSEXW {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
    HICON hIconSm;
} WNDCLASSEXW;

#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xffff))
#define RGB(r, g, b)                                                                              \
    (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                           (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(static_cast<WORD>(i))))
// The wide form only: the app is a UNICODE program.
#define IDC_ARROW MAKEINTRESOURCEW(32512)

#define WM_DESTROY 0x0002
#define WM_PAINT 0x000F
#define WM_QUIT 0x0012
#define WM_CHAR 0x0102
#define WM_COMMAND 0x0111
#define WM_LBUTTONDOWN 0x0201
#define WM_DPICHANGED 0x02E0

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define COLOR_WINDOW 5
#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define CW_USEDEFAULT (-0x7FFFFFFF - 1)
#define MB_OK 0x00000000L
#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010
#define PS_SOLID 0

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName);
ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* windowClass);
HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName,
                            DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                            HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow);
BOOL WINAPI UpdateWindow(HWND hWnd);
BOOL WINAPI DestroyWindow(HWND hWnd);
LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                         UINT uFlags);
BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect);
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL WINAPI TranslateMessage(const MSG* lpMsg);
LRESULT WINAPI DispatchMessageW(const MSG* lpMsg);
BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
void WINAPI PostQuitMessage(int nExitCode);

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL WINAPI LineTo(HDC hdc, int x, int y);
BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom);
int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color);
HBRUSH WINAPI CreateSolidBrush(COLORREF color);
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h);
BOOL WINAPI DeleteObject(HGDIOBJ ho);
