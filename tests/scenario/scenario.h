// Scenario tests: the real program runs on its own thread against the headless user
// interface, while the test clicks, chooses, types and reads back what a user would see.
#pragma once

#include "expected_ui.h"
#include "platform/headless/headless.h"
#include "platform/ids.h"

#include <gtest/gtest.h>

#include <atomic>
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
    void WaitFor(const std::function<bool()>& condition, const std::string& what);
    // The loop has handled everything given to it so far.
    void Settle();
    // Chooses the menu item and lets the loop handle it.
    void Choose(int item);
    // The program has ended; returns its exit code.
    int WaitForExit();
    [[nodiscard]] bool Ended() const { return ended_.load(); }

    // Chooses the file through BrowseButton and waits until the job and its animator ended.
    void ListFile(const std::string& path);
    // Waits for the loop to take what it was given and for every job it started to end.
    void WaitForJobsToEnd();

private:
    std::filesystem::path previousFolder_;
    std::filesystem::path folder_;
    std::thread program_;
    std::atomic<bool> ended_{false};
    std::atomic<int> exitCode_{-1};
};

// The same with the manual in the working directory at start-up.
class ScenarioWithManual : public ScenarioTest {
protected:
    void BeforeStart() override { WriteFile("digestorium_manual.pdf", "%PDF-1.4\n"); }
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

[[nodiscard]] Rows ListRows();
// The operations of that name, in their order.
[[nodiscard]] std::vector<hl::Operation> Ops(const std::string& name);
// Some operation showed exactly this text.
[[nodiscard]] bool Shown(const std::string& text);

// The expected text in the running code page.
[[nodiscard]] std::string InCodePage(std::string text);
// The window, active, and its controls where the table places them, in the order of the table.
void ExpectWindow(int number, const char* title, int width, int height,
                  std::span<const expected::Placed> table);

// The command states of MainWindow, as read back from the backend.
void ExpectIdle(bool manualPresent);
void ExpectLocked();
// Shortcut values in the order they are registered after RestoreCommands.
std::vector<int> RestoredShortcuts(bool manualPresent);
std::vector<int> ShortcutValues(int window);
[[nodiscard]] bool ShortcutFor(int value);

} // namespace dg::scenario
