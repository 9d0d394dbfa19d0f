// The shell's windows as built on the Win32 backend: sizes and control positions read back
// from the live windows.
#include "win32_test_support.h"

#include "shell/about_window.h"
#include "shell/main_window.h"

namespace dg::test {
namespace {

struct Placed {
    int control;
    ControlRect rect;
};

ControlRect LiveRect(int control) {
    HWND hwnd = ControlHandle(control);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void ExpectPlaced(const std::vector<Placed>& layout) {
    for (const Placed& placed : layout) {
        SCOPED_TRACE("control " + std::to_string(placed.control));
        ControlRect live = LiveRect(placed.control);
        EXPECT_EQ(live.x, placed.rect.x);
        EXPECT_EQ(live.y, placed.rect.y);
        EXPECT_EQ(live.width, placed.rect.width);
        EXPECT_EQ(live.height, placed.rect.height);
    }
}

SIZE ClientSize(int window) {
    RECT client{};
    GetClientRect(win32::WindowHandle(window), &client);
    return {client.right, client.bottom};
}

using LayoutTest = WindowTest;

TEST_F(LayoutTest, MainWindow) {
    ASSERT_TRUE(BuildMainWindow());
    ExpectPlaced({
        {FileField, {15, 10, 458, 20}},
        {FileHashField, {15, 40, 223, 20}},
        {CheckHashField, {15, 70, 223, 20}},
        {BrowseButton, {483, 10, 35, 20}},
        {FileHashLabel, {483, 40, 50, 20}},
        {CheckHashLabel, {483, 70, 60, 20}},
        {ResultList, {15, 100, 528, 95}},
        {FileHashLowerField, {250, 40, 223, 20}},
        {VerdictField, {250, 70, 223, 20}},
        {CheckButton, {15, 205, 135, 20}},
        {ProgressBar, {67, 230, 477, 10}},
        {ListDirectoryButton, {216, 205, 135, 20}},
        {TextReportButton, {409, 205, 135, 20}},
        {CancelButton, {216, 205, 135, 20}},
        {WorkingLabel, {15, 229, 50, 15}},
    });
    HWND hwnd = win32::WindowHandle(MainWindow);
    ASSERT_NE(GetMenu(hwnd), nullptr);
    SIZE client = ClientSize(MainWindow);
    EXPECT_EQ(client.cx, 560);
    EXPECT_EQ(client.cy, 295);

    // The status line lies inside the client area, along its bottom, below every control.
    RECT status{};
    GetWindowRect(win32::StatusBarHandle(MainWindow), &status);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&status), 2);
    EXPECT_EQ(status.bottom, 295);
    EXPECT_GE(status.top, 245);
    EXPECT_GE(status.bottom - status.top, 18);
    EXPECT_EQ(GetListCellText(ResultList, -1, 0), "File Name");
    EXPECT_EQ(GetListCellText(ResultList, -1, 1), "MD5");
}

TEST_F(LayoutTest, AboutWindow) {
    ASSERT_TRUE(OpenAboutWindow());
    ExpectPlaced({
        {AboutTextLine1, {5, 15, 390, 20}},
        {AboutTextLine2, {5, 35, 390, 20}},
        {AboutTextLine3, {4, 55, 390, 20}},
        {AboutTextLine4, {5, 75, 390, 20}},
        {AboutTextLine5, {5, 95, 390, 20}},
        {AboutOkButton, {150, 150, 95, 25}},
        {AboutNoticeLabel, {5, 116, 390, 20}},
    });
    SIZE client = ClientSize(AboutWindow);
    EXPECT_EQ(client.cx, 402);
    EXPECT_EQ(client.cy, 183);
    HWND hwnd = win32::WindowHandle(AboutWindow);
    EXPECT_NE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(GetWindowLongA(ControlHandle(AboutOkButton), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
}

} // namespace
} // namespace dg::test
