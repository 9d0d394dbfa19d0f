// Events from real input and real notifications that only this backend has: shortcuts against
// a focused field, focus moves, buttons, menu commands and close requests.
#include "contract/contract.h"
#include "win32_test_support.h"

#include <algorithm>

namespace dg::test {
namespace {

class ShortcutsTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_NE(OpenWindow(MainWindow, 560, 295, "Shortcuts", 0), 0);
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

TEST_F(ShortcutsTest, ButtonsAndMenuCommandsAreRecorded) {
    PostMessageA(ControlHandle(CheckButton), BM_CLICK, 0, 0);
    PostMessageA(win32::WindowHandle(MainWindow), WM_COMMAND,
                 static_cast<WPARAM>(win32::MenuCommandBase + MenuHtmlReport), 0);
    Seen seen = PumpEvents(3000, [](const Seen& got) { return got.size() >= 2; });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (SeenEvent{EventControl, CheckButton, MainWindow, ButtonClicked}));
    EXPECT_EQ(seen[1].kind, EventMenu);
    EXPECT_EQ(seen[1].object, MenuHtmlReport);
}

// Equal close requests waiting together are one event; a closed window's are dropped.
TEST_F(ShortcutsTest, CloseRequestsCollapseAndAClosedWindowsAreDropped) {
    ASSERT_NE(OpenWindow(AboutWindow, 402, 183, "Closing", 0), 0);
    HWND hwnd = win32::WindowHandle(MainWindow);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    SendMessageA(win32::WindowHandle(AboutWindow), WM_CLOSE, 0, 0);
    CloseWindow(AboutWindow);
    EXPECT_EQ(PumpEvents(300), (Seen{{EventCloseWindow, MainWindow, MainWindow, 0}}));
    EXPECT_TRUE(IsWindow(hwnd));
}

} // namespace
} // namespace dg::test
