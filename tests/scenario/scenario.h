// Scenario tests: the real program runs on its own thread against the headless user
// interface, while the test clicks, chooses, types and reads back what a user would see.
#pragma once

#include "expected_ui.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace dg::scenario {

namespace hl = dg::headless;
using Input = hl::Input;

// Known answers of RFC 1321.
inline const std::string EmptyMd5 = "d41d8cd98f00b204e9800998ecf8427e";
inline const std::string AbcMd5 = "900150983cd24fb0d6963f7d28e17f72";
inline const std::string AbcMd5Upper = "900150983CD24FB0D6963F7D28E17F72";

inline const std::string WelcomeText =
    "Welcome to Digestorium.  Please select file or list directory to begin.";
inline const std::string CompletedText = "File processing has been completed.  1 file listed.";

using Rows = std::vector<std::vector<std::string>>;

inline constexpr std::chrono::seconds Patience{30};

// Each test gets a fresh working directory of its own, the program started in it, and, at
// the end, the program closed and every worker thread finished.
class ScenarioTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs in the working directory before the program starts.
    virtual void BeforeStart() {}

    [[nodiscard]] std::string Folder() const { return folder_.string(); }
    // Writes a file under the working directory and returns its full path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;

    // Waits, bounded, for the condition; a failure names what did not happen.
    void WaitFor(const std::function<bool()>& condition, const std::string& what) {
        if (!hl::WaitUntil(condition, Patience))
            FAIL() << "timed out waiting for: " << what << " (status: \"" << hl::StatusText()
                   << "\")";
    }
    // The loop has handled everything given to it so far.
    void Settle() {
        if (!hl::WaitIdle(Patience))
            FAIL() << "the event loop did not settle";
    }
    // Chooses the menu item and lets the loop handle it.
    void Choose(int item) {
        hl::Give(Input::Menu, item);
        Settle();
    }
    // The program has ended; returns its exit code.
    int WaitForExit();
    [[nodiscard]] bool Ended() const { return ended_.load(); }

    // Chooses the file through BrowseButton and waits until the job and its animator ended.
    void ListFile(const std::string& path) {
        hl::Arrange([&](hl::Script& s) { s.dialogAnswers.push_back(path); });
        hl::Give(Input::Click, BrowseButton);
        WaitForJobsToEnd();
        ASSERT_EQ(hl::StatusText(), CompletedText);
    }
    // Waits for the loop to take what it was given and for every job it started to end.
    void WaitForJobsToEnd() {
        // Once the loop has taken the command, its job is counted until it ends.
        Settle();
        WaitFor([] { return hl::LiveWorkerThreads() == 0; }, "the jobs to end");
        Settle();
    }

private:
    std::filesystem::path previousFolder_;
    std::filesystem::path folder_;
    std::thread program_;
    std::atomic<bool> ended_{false};
    std::atomic<int> exitCode_{-1};
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
    bool released_ = false;
#ifdef _WIN32
    void* pipe_ = nullptr;
#endif
};

[[nodiscard]] inline Rows ListRows() {
    return hl::Control(ResultList).rows;
}
// The operations of that name, in their order.
[[nodiscard]] inline std::vector<hl::Operation> Ops(const std::string& name) {
    std::vector<hl::Operation> found;
    for (const hl::Operation& op : hl::Recorded().operations)
        if (op.name == name)
            found.push_back(op);
    return found;
}
// Some operation showed exactly this text.
[[nodiscard]] inline bool Shown(const std::string& text) {
    const auto operations = hl::Recorded().operations;
    return std::any_of(operations.begin(), operations.end(),
                       [&](const hl::Operation& op) { return op.text == text; });
}

// The expected text in the running code page.
[[nodiscard]] std::string InCodePage(std::string text);
// The window, active, and its controls where the table places them, in the order of the table.
void ExpectWindow(int number, const char* title, int width, int height,
                  std::span<const expected::Placed> table);

// The command states of MainWindow, as read back from the backend.
constexpr bool Idle = true;
constexpr bool Locked = false;
void ExpectCommands(bool idle, bool manualPresent = false);
// Shortcut values in the order they are registered after RestoreCommands.
std::vector<int> RestoredShortcuts(bool manualPresent);
inline std::vector<int> ShortcutValues(int window) {
    std::vector<int> values;
    for (const hl::Shortcut& shortcut : hl::Window(window).shortcuts)
        values.push_back(shortcut.value);
    return values;
}

} // namespace dg::scenario
