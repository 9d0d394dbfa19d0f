// The shell's windows on real windows: the backend puts controls where it is asked, inside a
// client area of the asked size that menus and the status line do not shrink.
#include "win32_test_support.h"

#include "expected_ui.h"
#include "shell/about_window.h"
#include "shell/main_window.h"

namespace dg::test {
namespace {

void ExpectPlaced(const expected::Placed& placed) {
    HWND hwnd = ControlHandle(placed.control);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, placed.x) << placed.control;
    EXPECT_EQ(rect.top, placed.y) << placed.control;
    EXPECT_EQ(rect.right - rect.left, placed.width) << placed.control;
    EXPECT_EQ(rect.bottom - rect.top, placed.height) << placed.control;
}

void ExpectClientSize(int window, int width, int height) {
    RECT client{};
    GetClientRect(win32::WindowHandle(window), &client);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);
}

using LayoutTest = WindowTest;

TEST_F(LayoutTest, MainWindowWithMenusAndStatusLine) {
    ASSERT_TRUE(BuildMainWindow());
    ExpectPlaced(expected::MainControls[0]);
    ExpectPlaced(expected::MainControls[std::size(expected::MainControls) - 1]);
    HWND hwnd = win32::WindowHandle(MainWindow);
    ASSERT_NE(GetMenu(hwnd), nullptr);
    ExpectClientSize(MainWindow, expected::MainWidth, expected::MainHeight);

    // The status line lies inside the client area, along its bottom, below every control.
    RECT status{};
    GetWindowRect(win32::StatusBarHandle(MainWindow), &status);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&status), 2);
    EXPECT_EQ(status.bottom, expected::MainHeight);
    EXPECT_GE(status.top, 245);
    EXPECT_GE(status.bottom - status.top, 18);

    // Centred on the screen, of a fixed size.
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
}

TEST_F(LayoutTest, AboutWindowOnTopWithItsDefaultButton) {
    ASSERT_TRUE(OpenAboutWindow());
    ExpectPlaced(expected::AboutControls[2]);
    ExpectClientSize(AboutWindow, expected::AboutWidth, expected::AboutHeight);
    HWND hwnd = win32::WindowHandle(AboutWindow);
    EXPECT_NE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(GetWindowLongA(ControlHandle(AboutOkButton), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
}

TEST_F(LayoutTest, AboutLineStaysOnOneLine) {
    ASSERT_TRUE(OpenAboutWindow());
    // The longest line ends with a blank at the label's edge: once its text is painted, below
    // the first line of text the label shows only its background.
    HWND label = ControlHandle(AboutTextLine2);
    RECT inside{};
    GetClientRect(label, &inside);
    HDC dc = GetDC(label);
    const auto inked = [&](int top, int bottom) {
        const COLORREF back = GetPixel(dc, inside.right - 1, inside.bottom - 1);
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < inside.right; ++x)
                if (GetPixel(dc, x, y) != back)
                    return true;
        return false;
    };
    PumpEvents(5000, [&](const Seen&) { return inked(0, 14); });
    EXPECT_TRUE(inked(0, 14));
    EXPECT_FALSE(inked(14, inside.bottom));
    ReleaseDC(label, dc);
}

// The test program carries digestorium.exe's manifest, so what it asks for holds here too:
// the About texts depend on it.
TEST(Manifest, AnsiCodePageIsUtf8) {
    EXPECT_TRUE(AnsiCodePageIsUtf8());
}

} // namespace
} // namespace dg::test
