// Contract tests: one source, linked into the Qt and the Win32 backend tests, so both backends
// are held to the same events and calls. Each backend's driver gives real input (Qt's test
// input offscreen, or SendInput on real windows) and runs WaitEvent
// on the test's thread until the input has been handled.
#pragma once

#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dg::contract {

// One event of the kinds the logic acts on, as WaitEvent gave it.
struct Event {
    EventKind kind;
    int object, window, type;
    bool operator==(const Event&) const = default;
};
using Events = std::vector<Event>;

// Sets up the platform for one test suite, as the backend is driven; ReleasePlatform ends it.
void StartPlatform();
// Brings the window to the front; it takes the keyboard from then on.
bool Activate(int window);
// The events raised until now.
Events EventsNow();
// Input, each giving the events it raised. ClickRow left-clicks a row of ResultList; -1 clicks
// below the rows, each time at another point, so that two clicks make no double click.
Events ClickRow(int row);
// The down-arrow key, ResultList having the focus.
Events ArrowDown();
// A key press given as a shortcut value, to the window that has the keyboard.
Events PressKey(int shortcut);
// Input whose events are read with EventsNow.
void ClickButton(int control);
void PressCloseBox(int window);
[[nodiscard]] bool WindowShown(int window);
// The field takes the focus with its text selected.
void FocusAndSelectAll(int field);
void PutOnClipboard(const std::string& text);
// The colours a text field is drawn in, as it is now.
struct Paint {
    int text, background;
    bool operator==(const Paint&) const = default;
};
Paint FieldPaint(int field);
// Runs the procedure on a worker thread while this thread serves its calls in WaitEvent.
bool ServeWorker(ThreadProcedure procedure);

// Each test starts with the platform set up and ends with every window closed.
class PlatformTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartPlatform(); }
    static void TearDownTestSuite() { ReleasePlatform(); }
    void TearDown() override {
        for (int window = 0; window < WindowCount; ++window)
            CloseWindow(window);
        EventsNow();
    }
};

// The main window in front, with the result list and its two columns.
class ListWindowTest : public PlatformTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "Contract", WindowMinimizeBox));
        CreateList(MainWindow, ResultList, {15, 100, 528, 95});
        AddListColumn(ResultList, "File Name", 274);
        AddListColumn(ResultList, "MD5", 230);
        ASSERT_TRUE(Activate(MainWindow));
    }
};

} // namespace dg::contract
