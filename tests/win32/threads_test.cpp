// Thread numbers and the hand-over of worker threads' user-interface calls to the main thread.
#include "win32_test_support.h"

#include <atomic>

namespace dg::test {
namespace {

int Nothing(int) {
    return 0;
}

// Started before any test runs, so it is the first thread of the process.
const int firstThreadNumber = StartThread(Nothing, 0);

std::atomic<bool> releaseWorker{false};
// What the workers of one test saw.
std::atomic<int> failures{0};
std::atomic<bool> finished{false};

int WaitForRelease(int) {
    while (!releaseWorker) {
        Sleep(1);
    }
    return 0;
}

bool Eventually(const std::function<bool()>& condition) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > 5000) {
            return false;
        }
        Sleep(5);
    }
    return true;
}

TEST(ThreadsTest, NumbersStartAtOneAndAreNeverReused) {
    EXPECT_EQ(firstThreadNumber, 1);
    int second = StartThread(Nothing, 0);
    int third = StartThread(Nothing, 0);
    EXPECT_GE(second, 2);
    EXPECT_EQ(third, second + 1);
    ASSERT_TRUE(Eventually([&] { return IsThreadRunning(third) == 0; }));
    // The ended threads' entries are cleaned up here; their numbers stay used.
    EXPECT_EQ(StartThread(Nothing, 0), third + 1);
}

TEST(ThreadsTest, RunningOnlyWhileTheProcedureRuns) {
    EXPECT_EQ(IsThreadRunning(0), 0);
    EXPECT_EQ(IsThreadRunning(1000000), 0);
    EXPECT_EQ(IsThreadRunning(-1), 0);
    releaseWorker = false;
    int worker = StartThread(WaitForRelease, 0);
    ASSERT_NE(worker, 0);
    EXPECT_EQ(IsThreadRunning(worker), 1);
    EXPECT_EQ(IsThreadRunning(worker + 1), 0);
    releaseWorker = true;
    EXPECT_TRUE(Eventually([&] { return IsThreadRunning(worker) == 0; }));
}

class WorkerCallsTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenWindowWithList("Workers"));
        CreateStatusBar(MainWindow, 560);
        CreateTextField(MainWindow, FileHashField, {15, 40, 223, 20},
                        FieldReadOnly | FieldUpperCase);
        CreateProgressBar(MainWindow, ProgressBar, {67, 230, 477, 10});
        failures = 0;
        finished = false;
    }

    // Runs the procedure on a worker while this thread serves it through WaitEvent.
    static void RunWorker(ThreadProcedure procedure) {
        ASSERT_NE(StartThread(procedure, 0), 0);
        PumpEvents(20000, [](const Seen&) { return finished.load(); });
        ASSERT_TRUE(finished);
    }

    static std::string StatusText() {
        char text[256] = {};
        SendMessageA(win32::StatusBarHandle(MainWindow), SB_GETTEXTA, 0,
                     reinterpret_cast<LPARAM>(text));
        return text;
    }
};

// Each change is visible when the call returns, before the worker's next step.
int StepByStep(int) {
    for (int step = 0; step < 40; ++step) {
        // std::string on the left: GCC 12 warns wrongly about "literal" + std::string.
        const std::string number = std::to_string(step);
        const std::string text = std::string("Processing file ") + number;
        SetStatusText(StatusBar, 0, text);
        char shown[256] = {};
        SendMessageA(win32::StatusBarHandle(MainWindow), SB_GETTEXTA, 0,
                     reinterpret_cast<LPARAM>(shown));
        if (text != shown) {
            ++failures;
        }
        SetControlText(FileHashField, std::string("hash") + number);
        if (GetControlText(FileHashField) != std::string("HASH") + number) {
            ++failures;
        }
        AddListRow(ResultList, -1, std::string("file") + number + "\nH" + number);
        if (CountListRows(ResultList) != step + 1 ||
            GetListCellText(ResultList, step, 1) != std::string("H") + number) {
            ++failures;
        }
        SetControlState(ProgressBar, step);
        if (GetControlState(ProgressBar) != step) {
            ++failures;
        }
    }
    HideControl(ProgressBar, 1);
    DisableControl(FileHashField, 1);
    finished = true;
    return 0;
}

TEST_F(WorkerCallsTest, EachChangeIsMadeBeforeTheCallReturns) {
    RunWorker(StepByStep);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(StatusText(), "Processing file 39");
    EXPECT_EQ(CountListRows(ResultList), 40);
    EXPECT_EQ(GetListCellText(ResultList, 39, 0), "file39");
    EXPECT_FALSE(IsWindowVisible(ControlHandle(ProgressBar)));
    EXPECT_FALSE(IsWindowEnabled(ControlHandle(FileHashField)));
}

// Menu items and shortcuts change from workers too, without the main thread's help.
int LockFromWorker(int) {
    DisableMenuItem(MenuBar, MenuCheck, 1);
    AddShortcut(MainWindow, CtrlKey + 'D', MenuListDirectory);
    RemoveShortcut(MainWindow, -1);
    AddShortcut(MainWindow, CtrlKey + 'L', MenuClearList);
    finished = true;
    return 0;
}

TEST_F(WorkerCallsTest, MenuItemsAndShortcutsFromAWorker) {
    ASSERT_NE(CreateMenuBar(MainWindow), 0);
    AddMenu("&File");
    AddMenuItem(MenuCheck, "MD5 &Check\tCtrl+C");
    RunWorker(LockFromWorker);
    HMENU bar = GetMenu(win32::WindowHandle(MainWindow));
    EXPECT_NE(GetMenuState(bar, win32::MenuCommandBase + MenuCheck, MF_BYCOMMAND) & MF_GRAYED, 0u);
    ASSERT_TRUE(BringToFront(MainWindow));
    PressKey('L', {VK_CONTROL});
    Seen seen = PumpEvents(3000, [](const Seen& got) { return !got.empty(); });
    EXPECT_EQ(seen, (Seen{{EventMenu, MenuClearList, MainWindow, 0}}));
}

} // namespace
} // namespace dg::test
