// Controls on a real window: list cells, text field case styles, field colours, the clipboard;
// and events from real input and real notifications that only this backend has: shortcuts
// against a focused field, focus moves, buttons, menu commands and close requests.
#include "contract/contract.h"
#include "win32_test_support.h"

#include <algorithm>
#include <tuple>

namespace dg::test {
namespace {

class ControlsTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "Controls", 0));
        CreateList(MainWindow, ResultList, {15, 100, 528, 95});
        AddListColumn(ResultList, "File Name", 274);
        AddListColumn(ResultList, "MD5", 230);
    }
};

// Cells and titles are read whole however long; rows and columns that are not there, empty.
TEST_F(ControlsTest, ListCellsReadWholeOrEmpty) {
    const std::string name(1000, 'n'), hash(3000, 'h');
    AddListRow(ResultList, -1, name + "\n" + hash);
    const std::tuple<int, int, int, std::string> cells[] = {
        {ResultList, 0, 0, name}, {ResultList, 0, 1, hash}, {ResultList, -1, 1, "MD5"},
        {ResultList, 1, 0, ""},   {ResultList, -2, 0, ""},  {ResultList, 0, 2, ""},
        {ResultList, 0, -1, ""},  {FileField, 0, 0, ""}};
    for (const auto& [control, row, column, text] : cells)
        EXPECT_EQ(GetListCellText(control, row, column), text)
            << control << ": " << row << ", " << column;
    EXPECT_EQ(CountListRows(FileField), 0);
}

// The upper-case style is held to by the contract tests.
TEST_F(ControlsTest, LowerCaseStyleConvertsTheHeldText) {
    CreateTextField(MainWindow, FileHashLowerField, {250, 40, 223, 20},
                    FieldReadOnly | FieldLowerCase);
    SetControlText(FileHashLowerField, "D41D8CD98F00B204e9800998ECF8427E");
    EXPECT_EQ(GetControlText(FileHashLowerField), "d41d8cd98f00b204e9800998ecf8427e");
}

// In a burst of changes Wine's costly painting waits for a tick: each row and status text is
// there at once, and the list's scroll bar and the status bar catch up soon after.
TEST_F(ControlsTest, ChangesInABurstAreMadeAtOnceAndPaintedSoonAfter) {
    CreateStatusBar(MainWindow, 400);
    HWND list = ControlHandle(ResultList), status = win32::StatusBarHandle(MainWindow);
    for (int row = 0; row < 40; ++row) {
        SetStatusText(StatusBar, 0, "row " + std::to_string(row));
        AddListRow(ResultList, -1, "file" + std::to_string(row) + "\nhash");
        ASSERT_EQ(CountListRows(ResultList), row + 1);
        ASSERT_EQ(GetListCellText(ResultList, row, 0), "file" + std::to_string(row));
    }
    SCROLLINFO range{sizeof(range), SIF_RANGE, 0, 0, 0, 0, 0};
    const auto caughtUp = [&] {
        GetScrollInfo(list, SB_VERT, &range);
        return range.nMax == 39 && IsWindowVisible(status);
    };
    PumpEvents(5000, [&](const Seen&) { return caughtUp(); });
    EXPECT_TRUE(caughtUp()) << range.nMax;
}

// What the window procedure hands a read-only field when it is painted.
struct Paint {
    COLORREF brush, text, back;
    bool operator==(const Paint&) const = default;
};

Paint PaintColours(int control) {
    HWND field = ControlHandle(control);
    HDC dc = GetDC(field);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(field), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(field)));
    LOGBRUSH pattern{};
    GetObjectA(brush, sizeof(pattern), &pattern);
    Paint paint{pattern.lbColor, GetTextColor(dc), GetBkColor(dc)};
    ReleaseDC(field, dc);
    return paint;
}

TEST_F(ControlsTest, FieldColoursTheirResetAndTheDisabledField) {
    CreateTextField(MainWindow, VerdictField, {250, 70, 223, 20}, FieldReadOnly | FieldCentred);
    const Paint plain = PaintColours(VerdictField);
    const COLORREF green = RGB(0, 255, 0), untouched = RGB(1, 2, 3);
    SetControlColor(VerdictField, ColourBackground, 0xFF00);
    EXPECT_EQ(PaintColours(VerdictField), (Paint{green, untouched, green}));
    // A disabled field is painted in the default colours.
    DisableControl(VerdictField, true);
    EXPECT_EQ(PaintColours(VerdictField), plain);
    DisableControl(VerdictField, false);
    SetControlColor(VerdictField, ColourBackground, -1);
    EXPECT_EQ(PaintColours(VerdictField), plain);

    // A text colour alone goes on the highlight background.
    SetControlColor(VerdictField, ColourText, 0xFF);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(PaintColours(VerdictField), (Paint{highlight, RGB(255, 0, 0), highlight}));

    // The colour reaches the screen once the field has been painted.
    SetControlColor(VerdictField, ColourBackground, 0xFFFF);
    HWND field = ControlHandle(VerdictField);
    RECT inside{};
    GetClientRect(field, &inside);
    HDC dc = GetDC(field);
    const auto painted = [&] { return GetPixel(dc, 3, inside.bottom / 2) == RGB(255, 255, 0); };
    PumpEvents(3000, [&](const Seen&) { return painted(); });
    EXPECT_TRUE(painted());
    ReleaseDC(field, dc);
}

TEST_F(ControlsTest, ClipboardTextOnlyInPlainTextFormat) {
    PutOnClipboard("hello");
    EXPECT_EQ(GetClipboardText(), "hello");

    // Text without its terminating zero ends within its block (Wine terminates it itself).
    PutOnClipboard(std::string(40, 'A'), CF_TEXT, false);
    const std::string text = GetClipboardText();
    EXPECT_LE(text.size(), 40u);
    EXPECT_EQ(text, std::string(text.size(), 'A'));

    PutOnClipboard("not text", CF_DIB);
    EXPECT_EQ(GetClipboardText(), "");
}

// U+FFFD, as many times, in UTF-8.
std::string Unknown(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\xef\xbf\xbd";
    return text;
}

// The clipboard may hold any bytes. In UTF-8 each byte that is no character becomes U+FFFD,
// three bytes: the field shows the text as the code page converts it, the same every time.
TEST_F(ControlsTest, ChangingCaseGivesTheTextAsTheCodePageConvertsIt) {
    CreateTextField(MainWindow, CheckHashField, {250, 70, 223, 20}, FieldReadOnly | FieldUpperCase);
    std::string lowerE, upperE;
    for (int i = 0; i < 16; ++i) {
        lowerE += "\xc3\xa9";
        upperE += "\xc3\x89";
    }
    const std::pair<std::string, std::string> cases[] = {
        // Wine reads a sequence that the end of the text cuts short as one character.
        {std::string(32, '\xe9'), Unknown(31)},
        {std::string(32, '\xff'), Unknown(32)},
        {lowerE, upperE}};
    for (const auto& [bytes, shown] : cases) {
        PutOnClipboard(bytes);
        const std::string clipboard = GetClipboardText();
        EXPECT_EQ(clipboard, bytes);
        for (int round = 0; round < 2; ++round) {
            SetControlText(CheckHashField, UpperCase(clipboard));
            EXPECT_EQ(GetControlText(CheckHashField), shown) << round;
        }
    }
    EXPECT_EQ(LowerCase(std::string(32, '\xff')), Unknown(32));
}

class ShortcutsTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "Shortcuts", 0));
        CreateTextField(MainWindow, FileField, {15, 10, 458, 20}, FieldReadOnly);
        CreateButton(MainWindow, BrowseButton, {483, 10, 35, 20}, "---", false);
        CreateButton(MainWindow, CheckButton, {15, 205, 135, 20}, "MD5 Check", false);
        ASSERT_TRUE(BringToFront(MainWindow));
    }
};

TEST_F(ShortcutsTest, ShortcutComesBeforeTheFocusedField) {
    SetControlText(FileField, "field text");
    SetFocus(ControlHandle(FileField));
    SendMessageA(ControlHandle(FileField), EM_SETSEL, 0, -1);
    PutOnClipboard("before");
    AddShortcut(MainWindow, CtrlKey + 'C', MenuCheck);
    EXPECT_EQ(contract::MenuItemsFromKey(CtrlKey + 'C'), std::vector<int>{MenuCheck});
    EXPECT_EQ(GetClipboardText(), "before");

    // Without the shortcut the same key copies, so the check above can see a copy.
    RemoveShortcut(MainWindow, -1);
    PressKey('C', {VK_CONTROL});
    PumpEvents(3000, [](const Seen&) { return GetClipboardText() == "field text"; });
    EXPECT_EQ(GetClipboardText(), "field text");
}

TEST_F(ShortcutsTest, TabMovesTheFocusQuietly) {
    SetFocus(ControlHandle(BrowseButton));
    for (const auto& [modifiers, next] : {std::pair{std::vector<WORD>{}, CheckButton},
                                          std::pair{std::vector<WORD>{VK_SHIFT}, BrowseButton}}) {
        PressKey(VK_TAB, modifiers);
        const Seen seen =
            PumpEvents(3000, [&](const Seen&) { return GetFocus() == ControlHandle(next); });
        EXPECT_EQ(GetFocus(), ControlHandle(next));
        EXPECT_TRUE(std::none_of(seen.begin(), seen.end(),
                                 [](const SeenEvent& event) { return event.kind == EventMenu; }));
    }
}

// Equal close requests waiting together are one event; a closed window's are dropped.
TEST_F(ShortcutsTest, CloseRequestsButtonsAndMenuCommandsAreRecorded) {
    ASSERT_TRUE(OpenWindow(AboutWindow, 402, 183, "Closing", 0));
    HWND hwnd = win32::WindowHandle(MainWindow);
    PostMessageA(ControlHandle(CheckButton), BM_CLICK, 0, 0);
    PostMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(win32::MenuCommandBase + MenuHtmlReport), 0);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    SendMessageA(win32::WindowHandle(AboutWindow), WM_CLOSE, 0, 0);
    CloseWindow(AboutWindow);
    EXPECT_EQ(PumpEvents(3000, [](const Seen& got) { return got.size() >= 3; }),
              (Seen{{EventCloseWindow, MainWindow, MainWindow, 0},
                    {EventControl, CheckButton, MainWindow, ButtonClicked},
                    {EventMenu, MenuHtmlReport, MainWindow, 0}}));
    EXPECT_TRUE(IsWindow(hwnd));
}

} // namespace
} // namespace dg::test
