// The rules that both backends keep: list events, shortcuts, the calls of worker threads and
// thread numbers.
#include "contract/contract.h"

#include "platform/ids.h"
#include "platform/ui.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>

namespace dg::contract {
namespace {

const std::vector<int> SelectionThenClick{ListSelectionChanged, ListLeftClick};
const std::vector<int> ClickAlone{ListLeftClick};
const std::vector<int> Nothing;

class Contract : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartPlatform(); }
    static void TearDownTestSuite() { EndPlatform(); }
    void SetUp() override {
        ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "Contract", WindowMinimizeBox));
        CreateList(MainWindow, ResultList, {15, 100, 528, 95});
        AddListColumn(ResultList, "File Name", 274);
        AddListColumn(ResultList, "MD5", 230);
        ASSERT_TRUE(Activate(MainWindow));
    }
    void TearDown() override {
        for (int window = 0; window < WindowCount; ++window)
            CloseWindow(window);
        ListEventsNow();
    }
    static void AddRows(int count) {
        for (int row = 0; row < count; ++row)
            AddListRow(ResultList, -1, "file" + std::to_string(row) + "\nHASH");
    }
};

TEST_F(Contract, ListEventsOfClicksKeysAndClearing) {
    // Only the first click into the empty list reports a change.
    EXPECT_EQ(ClickRow(-1), SelectionThenClick);
    EXPECT_EQ(ClickRow(-1), ClickAlone);
    AddRows(3);
    ClickRow(0);
    ASSERT_EQ(GetControlState(ResultList), 0);
    EXPECT_EQ(ClickRow(1), SelectionThenClick);
    EXPECT_EQ(ArrowDown(), std::vector<int>{ListSelectionChanged});
    EXPECT_EQ(GetControlState(ResultList), 2);
    // Below the rows: the selection goes, reported once before the click.
    EXPECT_EQ(ClickRow(-1), SelectionThenClick);
    EXPECT_EQ(GetControlState(ResultList), -1);
    EXPECT_EQ(ClickRow(-1), ClickAlone);
    // Clearing raises no event, so the logic's own status text stays.
    ClickRow(1);
    ClearList(ResultList);
    EXPECT_EQ(ListEventsNow(), Nothing);
    EXPECT_EQ(GetControlState(ResultList), -1);
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
}

TEST_F(Contract, ShortcutsActOnlyWhileTheirWindowIsActive) {
    AddShortcut(MainWindow, CtrlKey + 'D', MenuListDirectory);
    ASSERT_TRUE(OpenWindow(AboutWindow, 402, 183, "Other", 0));
    ASSERT_TRUE(Activate(AboutWindow));
    EXPECT_EQ(MenuItemsFromKey(CtrlKey + 'D'), Nothing);
    ASSERT_TRUE(Activate(MainWindow));
    EXPECT_EQ(MenuItemsFromKey(CtrlKey + 'D'), std::vector<int>{MenuListDirectory});
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
    AddShortcut(MainWindow, CtrlKey + 'L', MenuClearList);
    return 0;
}

TEST_F(Contract, MenuItemsAndShortcutsFromAWorker) {
    ASSERT_TRUE(CreateMenuBar(MainWindow));
    AddMenu("&File");
    AddMenuItem(MenuCheck, "MD5 &Check\tCtrl+C");
    ASSERT_TRUE(ServeWorker(LockFromWorker));
    EXPECT_TRUE(MenuItemGreyed(MenuCheck));
    ASSERT_TRUE(Activate(MainWindow));
    EXPECT_EQ(MenuItemsFromKey(CtrlKey + 'D'), Nothing);
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
