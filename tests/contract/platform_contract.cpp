// The rules that both backends keep: list events, field styles and colours, commands from
// buttons, close boxes and shortcuts, the calls of worker threads and thread numbers.
#include "contract/contract.h"

#include <atomic>
#include <chrono>
#include <string>

namespace dg::contract {
namespace {

std::vector<int> ListTypes(const Events& events) {
    std::vector<int> types;
    for (const Event& event : events)
        if (event.kind == EventControl && event.object == ResultList)
            types.push_back(event.type);
    return types;
}

std::vector<int> MenuItemsFromKey(int shortcut) {
    std::vector<int> items;
    for (const Event& event : PressKey(shortcut))
        if (event.kind == EventMenu)
            items.push_back(event.object);
    return items;
}

const std::vector<int> SelectionThenClick{ListSelectionChanged, ListLeftClick};
const std::vector<int> ClickAlone{ListLeftClick};
const std::vector<int> Nothing;
const Event MainWindowClose{EventCloseWindow, MainWindow, MainWindow, 0};

using Contract = ListWindowTest;

TEST_F(Contract, ListEventsOfClicksKeysAndClearing) {
    // Only the first click into the empty list reports a change.
    EXPECT_EQ(ListTypes(ClickRow(-1)), SelectionThenClick);
    EXPECT_EQ(ListTypes(ClickRow(-1)), ClickAlone);
    for (int row = 0; row < 3; ++row)
        AddListRow(ResultList, -1, "file" + std::to_string(row) + "\nHASH");
    ClickRow(0);
    ASSERT_EQ(GetControlState(ResultList), 0);
    EXPECT_EQ(ListTypes(ClickRow(1)), SelectionThenClick);
    EXPECT_EQ(ListTypes(ArrowDown()), std::vector<int>{ListSelectionChanged});
    EXPECT_EQ(GetControlState(ResultList), 2);
    // Below the rows: the selection goes, reported once before the click.
    EXPECT_EQ(ListTypes(ClickRow(-1)), SelectionThenClick);
    EXPECT_EQ(GetControlState(ResultList), -1);
    EXPECT_EQ(ListTypes(ClickRow(-1)), ClickAlone);
    // Clearing raises no event, so the logic's own status text stays.
    ClickRow(1);
    ClearList(ResultList);
    EXPECT_EQ(ListTypes(EventsNow()), Nothing);
    EXPECT_EQ(GetControlState(ResultList), -1);
}

TEST_F(Contract, FieldsConvertCaseAndTakeColours) {
    CreateTextField(MainWindow, VerdictField, {250, 70, 223, 20}, FieldReadOnly | FieldLowerCase);
    SetControlText(VerdictField, "D41D8CD98F00B204e9800998ECF8427E");
    EXPECT_EQ(GetControlText(VerdictField), "d41d8cd98f00b204e9800998ecf8427e");
    // Unknown numbers are silent.
    SetControlText(ControlCount, "x");
    EXPECT_EQ(GetControlText(ControlCount), "");

    const Paint plain = FieldPaint(VerdictField);
    DisableControl(VerdictField, true);
    const Paint disabled = FieldPaint(VerdictField);
    SetControlColor(VerdictField, ColourBackground, 0xFF8040);
    // A disabled field is drawn in the default colours.
    EXPECT_EQ(FieldPaint(VerdictField), disabled);
    DisableControl(VerdictField, false);
    EXPECT_EQ(FieldPaint(VerdictField), (Paint{plain.text, 0xFF8040}));
    SetControlColor(VerdictField, ColourBackground, -1);
    EXPECT_EQ(FieldPaint(VerdictField), plain);
    SetControlColor(VerdictField, ColourText, 0xFF);
    EXPECT_EQ(FieldPaint(VerdictField).text, 0xFF);
}

// Two clicks are two commands, however soon the second comes. Equal close requests waiting
// together are one, a closed window's are dropped, and a window stays until the logic closes it.
TEST_F(Contract, ButtonClicksAndCloseBoxesBecomeEvents) {
    CreateButton(MainWindow, CheckButton, {15, 205, 135, 20}, "MD5 Check", false);
    ASSERT_TRUE(OpenWindow(AboutWindow, 402, 183, "Other", 0));
    ClickButton(CheckButton);
    ClickButton(CheckButton);
    const Event click{EventControl, CheckButton, MainWindow, ButtonClicked};
    EXPECT_EQ(EventsNow(), (Events{click, click}));
    PressCloseBox(MainWindow);
    PressCloseBox(MainWindow);
    PressCloseBox(AboutWindow);
    CloseWindow(AboutWindow);
    EXPECT_EQ(EventsNow(), Events{MainWindowClose});
    EXPECT_TRUE(WindowShown(MainWindow));
}

TEST_F(Contract, ShortcutsRegisteredMovedAndRemoved) {
    const int ctrlD = CtrlKey + 'D';
    AddShortcut(MainWindow, ctrlD, MenuListDirectory);
    EXPECT_EQ(MenuItemsFromKey(ctrlD), std::vector<int>{MenuListDirectory});
    AddShortcut(MainWindow, ctrlD, MenuClearList);
    EXPECT_EQ(MenuItemsFromKey(ctrlD), std::vector<int>{MenuClearList});
    EXPECT_EQ(MenuItemsFromKey('D'), Nothing);
    AddShortcut(MainWindow, AltKey + KeyF4, MenuExit);
    EXPECT_EQ(MenuItemsFromKey(AltKey + KeyF4), std::vector<int>{MenuExit});
    AddShortcut(MainWindow, KeyF1, MenuManual);
    RemoveShortcut(MainWindow, KeyF1);
    EXPECT_EQ(MenuItemsFromKey(KeyF1), Nothing);
    EXPECT_EQ(MenuItemsFromKey(ctrlD), std::vector<int>{MenuClearList});
    RemoveShortcut(MainWindow, -1);
    EXPECT_EQ(MenuItemsFromKey(ctrlD), Nothing);
    // Alt+F4 without a shortcut of its own asks to close the window.
    EXPECT_EQ(PressKey(AltKey + KeyF4), Events{MainWindowClose});
    // Shortcuts act only while their window is active.
    AddShortcut(MainWindow, ctrlD, MenuListDirectory);
    ASSERT_TRUE(OpenWindow(AboutWindow, 402, 183, "Other", 0));
    ASSERT_TRUE(Activate(AboutWindow));
    EXPECT_EQ(MenuItemsFromKey(ctrlD), Nothing);
    ASSERT_TRUE(Activate(MainWindow));
    EXPECT_EQ(MenuItemsFromKey(ctrlD), std::vector<int>{MenuListDirectory});
}

TEST_F(Contract, ShortcutsReachPastAFocusedReadOnlyField) {
    CreateTextField(MainWindow, FileField, {15, 10, 458, 20}, FieldReadOnly);
    SetControlText(FileField, "field text");
    FocusAndSelectAll(FileField);
    PutOnClipboard("before");
    AddShortcut(MainWindow, CtrlKey + 'C', MenuCheck);
    EXPECT_EQ(MenuItemsFromKey(CtrlKey + 'C'), std::vector<int>{MenuCheck});
    EXPECT_EQ(GetClipboardText(), "before");
    // Without the shortcut the same key copies, so the check above can see a copy.
    RemoveShortcut(MainWindow, -1);
    PressKey(CtrlKey + 'C');
    EXPECT_EQ(GetClipboardText(), "field text");
}

std::atomic<int> failures{0};

// Each change is made before the call returns, so the worker reads back what it just set.
int StepByStep(int) {
    for (int step = 0; step < 40; ++step) {
        const std::string number = std::to_string(step);
        SetControlText(FileHashField, "hash" + number);
        AddListRow(ResultList, -1, "file" + number + "\nH" + number);
        SetControlState(ProgressBar, step);
        if (GetControlText(FileHashField) != "HASH" + number ||
            CountListRows(ResultList) != step + 1 ||
            GetListCellText(ResultList, step, 1) != "H" + number ||
            GetControlState(ProgressBar) != step)
            ++failures;
    }
    return 0;
}

TEST_F(Contract, WorkerChangesAreMadeBeforeTheCallReturns) {
    CreateTextField(MainWindow, FileHashField, {15, 40, 223, 20}, FieldReadOnly | FieldUpperCase);
    CreateProgressBar(MainWindow, ProgressBar, {67, 230, 477, 10});
    failures = 0;
    ASSERT_TRUE(ServeWorker(StepByStep));
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(CountListRows(ResultList), 40);
    EXPECT_EQ(GetListCellText(ResultList, 39, 0), "file39");
}

// Menu items and shortcuts change from workers too, without the main thread's help.
int LockFromWorker(int) {
    DisableMenuItem(MenuBar, MenuCheck, true);
    AddShortcut(MainWindow, CtrlKey + 'D', MenuListDirectory);
    RemoveShortcut(MainWindow, -1);
    AddShortcut(MainWindow, CtrlKey + 'C', MenuCheck);
    AddShortcut(MainWindow, CtrlKey + 'L', MenuClearList);
    return 0;
}

TEST_F(Contract, MenuItemsAndShortcutsFromAWorker) {
    ASSERT_TRUE(CreateMenuBar(MainWindow));
    AddMenu("&File");
    AddMenuItem(MenuCheck, "MD5 &Check\tCtrl+C");
    ASSERT_TRUE(ServeWorker(LockFromWorker));
    ASSERT_TRUE(Activate(MainWindow));
    EXPECT_EQ(MenuItemsFromKey(CtrlKey + 'D'), Nothing);
    // A greyed item's shortcut does nothing.
    EXPECT_EQ(MenuItemsFromKey(CtrlKey + 'C'), Nothing);
    EXPECT_EQ(MenuItemsFromKey(CtrlKey + 'L'), std::vector<int>{MenuClearList});
}

int Idle(int) {
    return 0;
}

// Started before any test runs, so it is the first thread of the process.
const int firstThreadNumber = StartThread(Idle, 0);

TEST(ThreadsContract, NumbersStartAtOneAndAreNeverReused) {
    EXPECT_EQ(firstThreadNumber, 1);
    const int second = StartThread(Idle, 0);
    const int third = StartThread(Idle, 0);
    EXPECT_GE(second, 2);
    EXPECT_EQ(third, second + 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (IsThreadRunning(third) && std::chrono::steady_clock::now() < deadline)
        Delay(5);
    ASSERT_FALSE(IsThreadRunning(third));
    // The ended threads' entries are cleaned up here; their numbers stay used.
    EXPECT_EQ(StartThread(Idle, 0), third + 1);
}

} // namespace
} // namespace dg::contract
