// Controls on a real window, beyond the contract: list cells read whole, painting held back in a
// burst, field colours on the screen, the clipboard in the code page, and focus moves.
#include "win32_test_support.h"

#include <utility>

namespace dg::test {
namespace {

using ControlsTest = contract::ListWindowTest;

// Cells and titles are read whole however long.
TEST_F(ControlsTest, ListCellsAndTitlesReadWhole) {
    const std::string hash(3000, 'h');
    AddListRow(ResultList, -1, "name\n" + hash);
    EXPECT_EQ(GetListCellText(ResultList, 0, 1), hash);
    EXPECT_EQ(GetListCellText(ResultList, -1, 1), "MD5");
}

// In a burst of changes Wine's costly painting waits for a tick (the changes themselves are
// made at once, as the contract holds): the list's scroll bar and the status bar catch up soon
// after.
TEST_F(ControlsTest, ChangesInABurstAreMadeAtOnceAndPaintedSoonAfter) {
    CreateStatusBar(MainWindow, 400);
    HWND list = ControlHandle(ResultList), status = win32::StatusBarHandle(MainWindow);
    for (int row = 0; row < 40; ++row) {
        SetStatusText(StatusBar, 0, "row " + std::to_string(row));
        AddListRow(ResultList, -1, "file" + std::to_string(row) + "\nhash");
    }
    EXPECT_FALSE(IsWindowVisible(status)) << "painted within the burst";
    SCROLLINFO range{sizeof(range), SIF_RANGE, 0, 0, 0, 0, 0};
    const auto caughtUp = [&] {
        GetScrollInfo(list, SB_VERT, &range);
        return range.nMax == 39 && IsWindowVisible(status);
    };
    PumpEvents(5000, [&](const Seen&) { return caughtUp(); });
    EXPECT_TRUE(caughtUp()) << range.nMax;
}

DWORD WINAPI AddRowLate(void*) {
    AddListRow(ResultList, -1, "late\nrow");
    return 0;
}

// A worker's call to a window that closes before serving it is dropped, and the worker goes on.
TEST_F(ControlsTest, AWorkersCallToAWindowClosedMeanwhileReturns) {
    HANDLE worker = CreateThread(nullptr, 0, AddRowLate, nullptr, 0, nullptr);
    ASSERT_NE(worker, nullptr);
    // The call waits in the window's queue, not served.
    MSG call{};
    for (int wait = 0; wait < 500; ++wait) {
        if (PeekMessageA(&call, win32::WindowHandle(MainWindow), WM_APP, 0xBFFF, PM_NOREMOVE))
            break;
        Sleep(10);
    }
    CloseWindow(MainWindow);
    EXPECT_EQ(WaitForSingleObject(worker, 5000), WAIT_OBJECT_0);
    CloseHandle(worker);
}

// A text colour alone goes on the highlight background; a colour changed on a field already
// painted reaches the screen.
TEST_F(ControlsTest, FieldColoursOnTheHighlightAndOnTheScreen) {
    CreateTextField(MainWindow, VerdictField, {250, 70, 223, 20}, FieldReadOnly | FieldCentred);
    SetControlColor(VerdictField, ColourText, 0xFF);
    const auto highlight = static_cast<int>(GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(contract::FieldPaint(VerdictField), (contract::Paint{0xFF, highlight}));

    HWND field = ControlHandle(VerdictField);
    UpdateWindow(field);
    SetControlColor(VerdictField, ColourBackground, 0xFFFF);
    RECT inside{};
    GetClientRect(field, &inside);
    HDC dc = GetDC(field);
    const auto painted = [&] { return GetPixel(dc, 3, inside.bottom / 2) == RGB(255, 255, 0); };
    PumpEvents(3000, [&](const Seen&) { return painted(); });
    EXPECT_TRUE(painted());
    ReleaseDC(field, dc);
}

std::string Repeated(const std::string& text, int count) {
    std::string repeated;
    for (int i = 0; i < count; ++i)
        repeated += text;
    return repeated;
}

// The clipboard may hold any bytes. In UTF-8 each byte that is no character becomes U+FFFD,
// three bytes: the field shows the text as the code page converts it, the same every time.
TEST_F(ControlsTest, ChangingCaseGivesTheTextAsTheCodePageConvertsIt) {
    CreateTextField(MainWindow, CheckHashField, {250, 70, 223, 20}, FieldReadOnly | FieldUpperCase);
    const std::string unknown = "\xef\xbf\xbd";
    const std::pair<std::string, std::string> cases[] = {
        // Wine reads a sequence that the end of the text cuts short as one character.
        {std::string(32, '\xe9'), Repeated(unknown, 31)},
        {std::string(32, '\xff'), Repeated(unknown, 32)},
        {Repeated("\xc3\xa9", 16), Repeated("\xc3\x89", 16)}};
    for (const auto& [bytes, shown] : cases) {
        contract::PutOnClipboard(bytes);
        const std::string clipboard = GetClipboardText();
        EXPECT_EQ(clipboard, bytes);
        for (int round = 0; round < 2; ++round) {
            SetControlText(CheckHashField, UpperCase(clipboard));
            EXPECT_EQ(GetControlText(CheckHashField), shown) << round;
        }
    }
    EXPECT_EQ(LowerCase(std::string(32, '\xff')), Repeated(unknown, 32));
}

TEST_F(ControlsTest, TabMovesTheFocusQuietly) {
    CreateButton(MainWindow, BrowseButton, {483, 10, 35, 20}, "---", false);
    CreateButton(MainWindow, CheckButton, {15, 205, 135, 20}, "MD5 Check", false);
    SetFocus(ControlHandle(BrowseButton));
    for (const auto& [key, next] :
         {std::pair{VK_TAB, CheckButton}, std::pair{ShiftKey + VK_TAB, BrowseButton}}) {
        const Seen seen = contract::PressKey(key);
        PumpEvents(3000, [next](const Seen&) { return GetFocus() == ControlHandle(next); });
        EXPECT_EQ(GetFocus(), ControlHandle(next));
        EXPECT_EQ(seen, contract::Events{});
    }
}

} // namespace
} // namespace dg::test
