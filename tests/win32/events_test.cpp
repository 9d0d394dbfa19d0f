// Events from real input and real notifications: list clicks and keys, shortcuts, buttons,
// menu commands and close requests.
#include "win32_test_support.h"

namespace dg::test {
namespace {

const std::vector<int> SelectionThenClick{ListSelectionChanged, ListLeftClick};

class ListEventsTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenWindowWithList("List events"));
        ASSERT_TRUE(BringToFront(MainWindow));
    }

    static void AddRows(int count) {
        for (int row = 0; row < count; ++row) {
            AddListRow(ResultList, -1, "file" + std::to_string(row) + "\nHASH");
        }
    }

    static POINT RowPoint(int row) {
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        SendMessageA(ControlHandle(ResultList), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&rect));
        return {rect.left + 40, (rect.top + rect.bottom) / 2};
    }

    // Two points below the rows, far enough apart that two clicks make no double click.
    static POINT BelowRows() { return {100, 80}; }
    static POINT ElsewhereBelowRows() { return {300, 80}; }

    // The list's event types from one click: until the click is reported, and a little after.
    static std::vector<int> Click(POINT point) {
        ClickAt(ControlHandle(ResultList), point);
        std::vector<int> types =
            TypesOf(PumpEvents(3000,
                               [](const Seen& seen) {
                                   std::vector<int> got = TypesOf(seen, ResultList);
                                   return !got.empty() && got.back() == ListLeftClick;
                               }),
                    ResultList);
        for (int type : TypesOf(PumpEvents(150), ResultList)) {
            types.push_back(type);
        }
        return types;
    }
};

TEST_F(ListEventsTest, ClickOnAnotherRowReportsTheChangeThenTheClick) {
    AddRows(3);
    Click(RowPoint(0));
    ASSERT_EQ(GetControlState(ResultList), 0);
    EXPECT_EQ(Click(RowPoint(2)), SelectionThenClick);
    EXPECT_EQ(GetControlState(ResultList), 2);
}

TEST_F(ListEventsTest, ClickBelowTheRowsDeselectsOnce) {
    AddRows(2);
    Click(RowPoint(1));
    ASSERT_EQ(GetControlState(ResultList), 1);
    EXPECT_EQ(Click(BelowRows()), SelectionThenClick);
    EXPECT_EQ(GetControlState(ResultList), -1);
    EXPECT_EQ(Click(ElsewhereBelowRows()), std::vector<int>{ListLeftClick});
}

TEST_F(ListEventsTest, OnlyTheFirstClickIntoAnEmptyListReportsAChange) {
    EXPECT_EQ(Click(BelowRows()), SelectionThenClick);
    EXPECT_EQ(Click(ElsewhereBelowRows()), std::vector<int>{ListLeftClick});
}

TEST_F(ListEventsTest, ArrowKeyChangesTheSelectionWithoutAClick) {
    AddRows(3);
    Click(RowPoint(0));
    PressKey(VK_DOWN);
    std::vector<int> types = TypesOf(
        PumpEvents(3000, [](const Seen& seen) { return !TypesOf(seen, ResultList).empty(); }),
        ResultList);
    for (int type : TypesOf(PumpEvents(150), ResultList)) {
        types.push_back(type);
    }
    EXPECT_EQ(types, std::vector<int>{ListSelectionChanged});
    EXPECT_EQ(GetControlState(ResultList), 1);
}

// Clearing the list after a selection raises no event, so the logic's own status text stays.
TEST_F(ListEventsTest, ClearingTheListRaisesNoEvent) {
    AddRows(2);
    Click(RowPoint(1));
    ClearList(ResultList);
    EXPECT_EQ(TypesOf(PumpEvents(150), ResultList), std::vector<int>{});
}

class ShortcutsTest : public WindowTest {
protected:
    static constexpr int CtrlD = CtrlKey + 'D';

    void SetUp() override {
        ASSERT_NE(OpenWindow(MainWindow, 560, 295, "Shortcuts", 0), 0);
        CreateTextField(MainWindow, FileField, {15, 10, 458, 20}, FieldReadOnly);
        CreateButton(MainWindow, BrowseButton, {483, 10, 35, 20}, "---", false);
        CreateButton(MainWindow, CheckButton, {15, 205, 135, 20}, "MD5 Check", false);
        ASSERT_TRUE(BringToFront(MainWindow));
    }

    // The menu items chosen by one key press.
    static std::vector<int> MenuItemsFromKey(WORD key, const std::vector<WORD>& modifiers) {
        PressKey(key, modifiers);
        std::vector<int> items;
        for (const SeenEvent& event : PumpEvents(400)) {
            if (event.kind == EventMenu) {
                EXPECT_EQ(event.window, MainWindow);
                items.push_back(event.object);
            }
        }
        return items;
    }
};

TEST_F(ShortcutsTest, RegisteringAgainMovesTheShortcut) {
    AddShortcut(MainWindow, CtrlD, MenuListDirectory);
    EXPECT_EQ(MenuItemsFromKey('D', {VK_CONTROL}), std::vector<int>{MenuListDirectory});
    AddShortcut(MainWindow, CtrlD, MenuClearList);
    EXPECT_EQ(MenuItemsFromKey('D', {VK_CONTROL}), std::vector<int>{MenuClearList});
    EXPECT_TRUE(MenuItemsFromKey('D', {}).empty());
    AddShortcut(MainWindow, AltKey + KeyF4, MenuExit);
    EXPECT_EQ(MenuItemsFromKey(VK_F4, {VK_MENU}), std::vector<int>{MenuExit});
}

TEST_F(ShortcutsTest, RemovingOneOrAll) {
    AddShortcut(MainWindow, CtrlD, MenuListDirectory);
    AddShortcut(MainWindow, KeyF1, MenuManual);
    RemoveShortcut(MainWindow, KeyF1);
    EXPECT_TRUE(MenuItemsFromKey(VK_F1, {}).empty());
    EXPECT_EQ(MenuItemsFromKey('D', {VK_CONTROL}), std::vector<int>{MenuListDirectory});
    RemoveShortcut(MainWindow, -1);
    EXPECT_TRUE(MenuItemsFromKey('D', {VK_CONTROL}).empty());
}

TEST_F(ShortcutsTest, OnlyWhileTheWindowIsActive) {
    AddShortcut(MainWindow, CtrlD, MenuListDirectory);
    ASSERT_NE(OpenWindow(AboutWindow, 402, 183, "Other", 0), 0);
    ASSERT_TRUE(BringToFront(AboutWindow));
    EXPECT_TRUE(MenuItemsFromKey('D', {VK_CONTROL}).empty());
    ASSERT_TRUE(BringToFront(MainWindow));
    EXPECT_EQ(MenuItemsFromKey('D', {VK_CONTROL}), std::vector<int>{MenuListDirectory});
}

void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

TEST_F(ShortcutsTest, ShortcutComesBeforeTheFocusedField) {
    SetControlText(FileField, "field text");
    SetFocus(ControlHandle(FileField));
    SendMessageA(ControlHandle(FileField), EM_SETSEL, 0, -1);
    PutOnClipboard("before");
    AddShortcut(MainWindow, CtrlKey + 'C', MenuCheck);
    EXPECT_EQ(MenuItemsFromKey('C', {VK_CONTROL}), std::vector<int>{MenuCheck});
    EXPECT_EQ(GetClipboardText(), "before");

    // Without the shortcut the same key copies, so the check above can see a copy.
    RemoveShortcut(MainWindow, -1);
    PressKey('C', {VK_CONTROL});
    PumpEvents(3000, [](const Seen&) { return GetClipboardText() == "field text"; });
    EXPECT_EQ(GetClipboardText(), "field text");
}

TEST_F(ShortcutsTest, TabMovesTheFocusQuietly) {
    SetFocus(ControlHandle(BrowseButton));
    PressKey(VK_TAB);
    Seen seen =
        PumpEvents(3000, [](const Seen&) { return GetFocus() == ControlHandle(CheckButton); });
    EXPECT_EQ(GetFocus(), ControlHandle(CheckButton));
    PressKey(VK_TAB, {VK_SHIFT});
    PumpEvents(3000, [](const Seen&) { return GetFocus() == ControlHandle(BrowseButton); });
    EXPECT_EQ(GetFocus(), ControlHandle(BrowseButton));
    for (const SeenEvent& event : seen) {
        EXPECT_NE(event.kind, EventMenu);
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

TEST_F(ShortcutsTest, EqualCloseRequestsCollapseAndLeaveTheWindowOpen) {
    HWND hwnd = win32::WindowHandle(MainWindow);
    const SeenEvent close{EventCloseWindow, MainWindow, MainWindow, 0};
    // Both arrive before the loop looks: one event.
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(PumpEvents(300), Seen{close});
    // Each is fetched before the next arrives: two events.
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(PumpEvents(300), (Seen{close, close}));
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(ShortcutsTest, AClosedWindowSendsNoMoreEvents) {
    ASSERT_NE(OpenWindow(AboutWindow, 402, 183, "Closing", 0), 0);
    SendMessageA(win32::WindowHandle(AboutWindow), WM_CLOSE, 0, 0);
    SendMessageA(win32::WindowHandle(MainWindow), WM_CLOSE, 0, 0);
    CloseWindow(AboutWindow);
    EXPECT_EQ(PumpEvents(300), (Seen{{EventCloseWindow, MainWindow, MainWindow, 0}}));
}

} // namespace
} // namespace dg::test
