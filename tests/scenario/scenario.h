// Scenario tests: the real program runs on the process's main thread over the Qt backend
// (offscreen), while the test, on its own thread, gives input through Qt on the program's
// thread and reads back what a user would see on the widgets.
#pragma once

#include "expected_ui.h"
#include "platform/ids.h"
#include "platform/ui.h"
#include "unit/unit_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace dg::scenario {

// Known answers of RFC 1321.
inline const std::string AbcMd5 = "900150983cd24fb0d6963f7d28e17f72";
inline const std::string AbcMd5Upper = "900150983CD24FB0D6963F7D28E17F72";

inline const std::string WelcomeText =
    "Welcome to Digestorium.  Please select file or list directory to begin.";
inline const std::string CompletedText = "File processing has been completed.  1 file listed.";

using Rows = std::vector<std::vector<std::string>>;

inline constexpr std::chrono::seconds Patience{30};

// ---- On the program's thread ----

// Runs the action on the program's thread, between events or inside a dialog; false when no
// program runs.
bool OnGui(const std::function<void()>& action);
// Bounded polling; false when the condition did not come true in time.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& condition);

// ---- What a user sees ----
// Texts of fields and the bar's position come from the platform's own GetControlText and
// GetControlState, which may be called from the test's thread.

[[nodiscard]] std::string Status();
[[nodiscard]] bool Visible(int control);
[[nodiscard]] bool Enabled(int control);
// The field's background as a colour value.
[[nodiscard]] int Background(int control);
[[nodiscard]] Rows ListRows();
[[nodiscard]] bool MenuEnabled(int item);
[[nodiscard]] bool WindowOpen(int window);
// The window that has the keyboard, -1 when none of ours.
[[nodiscard]] int ActiveWindow();
[[nodiscard]] std::vector<int> ShortcutValues();

// ---- Input, as a user gives it ----
// Menu items, keys and close boxes return once the loop has taken what they raised; a click
// does not wait, as it may be given on the program's thread.

void Click(int button);
void Choose(int item);
void Key(int shortcut);
void CloseBox(int window);
// A click on the row; -1 clicks the empty area below the rows.
void ClickRow(int row);
// An event straight into the program's queue, as if it had arrived with the input before.
void Queue(EventKind kind, int object, int window, int type = 0);

// ---- Answers and records, since the test began ----

struct Records {
    // Message boxes as "title|text"; each is answered with OK.
    std::vector<std::string> messages;
    // File dialogs as "title|folder|filters".
    std::vector<std::string> dialogs;
    int liveWorkers = 0;
    // The milliseconds of each Delay.
    std::vector<int> delays;
    // The next StartThread calls that fail.
    int failingStarts = 0;
};
[[nodiscard]] Records Recorded();
[[nodiscard]] bool DialogOpen();
// Waits for the file dialog and answers it; "" cancels it.
void Answer(const std::string& path);
// The documents handed to the desktop's program, as it received them.
[[nodiscard]] std::vector<std::string> Launched();
// Makes the desktop's program fail to start, or start again.
void LaunchFails(bool fails);
void FailThreadStarts(int count);

// Each test gets a fresh working directory and home of its own, the program started in it,
// and, at the end, the program closed and every worker thread finished.
class ScenarioTest : public ::testing::Test {
public:
    // Waits, bounded, for the condition; a failure names what did not happen.
    static void WaitFor(const std::function<bool()>& condition, const std::string& what) {
        if (!WaitUntil(condition))
            FAIL() << "timed out waiting for: " << what << " (status: \"" << Status() << "\")";
    }
    // The loop has handled everything given to it so far, and no message box is open.
    static void Settle() { WaitFor(Idle, "the loop"); }

protected:
    void SetUp() override;
    void TearDown() override;
    // Runs in the working directory before the program starts.
    virtual void BeforeStart() {}

    [[nodiscard]] std::string Folder() const { return folder_.Path(); }
    // Writes a file under the working directory and returns its full path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const {
        return folder_.Write(name, bytes);
    }

    // The program has ended; returns its exit code.
    int WaitForExit();
    [[nodiscard]] bool Ended() const { return ended_; }

    // Chooses the file through BrowseButton and waits until the job and its animator ended.
    void ListFile(const std::string& path) {
        Click(BrowseButton);
        Answer(path);
        WaitForJobsToEnd();
        ASSERT_EQ(Status(), CompletedText);
    }
    // Waits for the loop to take what it was given and for every job it started to end.
    static void WaitForJobsToEnd() {
        Settle();
        WaitFor([] { return Recorded().liveWorkers == 0; }, "the jobs to end");
        Settle();
    }

private:
    static bool Idle();
    std::filesystem::path previousFolder_;
    test::TempFolder folder_;
    std::atomic<bool> ended_ = false;
    std::atomic<int> exitCode_ = -1;
};

// A file whose reader blocks until it is released: the test decides when hashing ends.
class BlockingFile {
public:
    BlockingFile(const std::string& folder, const std::string& name);
    ~BlockingFile();
    BlockingFile(const BlockingFile&) = delete;
    BlockingFile& operator=(const BlockingFile&) = delete;

    [[nodiscard]] const std::string& Path() const { return path_; }
    // Hands the bytes to the reader once it has opened the file, then ends the file.
    void Release(const std::string& bytes);

private:
    std::string path_;
};

// The window, active, with its title bar's buttons, and the texts and styles of the table's
// controls. Where they lie is the Win32 layout tests' business.
void ExpectWindow(int number, const char* title, std::span<const expected::Placed> table);

// The command states of MainWindow, as read back from the widgets. A command from the menus
// locks the buttons alone.
enum Lock { Unlocked, Locked, ButtonsLocked };
void ExpectCommands(Lock lock, bool manualPresent = false);
// Shortcut values in the order they are registered after RestoreCommands.
std::vector<int> RestoredShortcuts(bool manualPresent);

} // namespace dg::scenario
