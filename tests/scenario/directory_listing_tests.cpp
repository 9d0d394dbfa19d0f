// Listing a directory: the chooser, the job with its counts, pauses and Cancel, and the rule
// that no two jobs run at once.
#include "scenario.h"

#include "actions/directory_listing_job.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "shell/job_state.h"

#include <mutex>

namespace dg::scenario {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string Abc = AbcMd5Upper;

class Listing : public ScenarioTest {
protected:
    // A folder under the working directory, as the tree gives it: ending with a separator.
    std::string Directory(const std::string& name) const {
        const fs::path path = fs::path(Folder()) / name;
        fs::create_directories(path);
        return path.string() + static_cast<char>(fs::path::preferred_separator);
    }

    void OpenChooser() {
        hl::Give(Input::Click, ListDirectoryButton);
        Settle();
    }

    void PressOkOn(const std::string& directory) {
        OpenChooser();
        hl::Give(Input::TreeClick, DirectoryTree, 0, directory);
        hl::Give(Input::Click, DirectoryOkButton);
    }

    // Lists the directory to its end, which leaves the commands and the job controls idle.
    void List(const std::string& directory) {
        PressOkOn(directory);
        WaitForJobsToEnd();
        ExpectEnded();
    }

    static void ExpectEnded() {
        EXPECT_FALSE(hl::Window(DirectoryWindow).open);
        for (int control : {CancelButton, ProgressBar, WorkingLabel})
            EXPECT_FALSE(hl::Control(control).visible) << control;
        EXPECT_TRUE(hl::Control(CancelButton).enabled);
        EXPECT_EQ(hl::Control(ProgressBar).value, 0);
        ExpectCommands(Idle);
    }
};

// The listing job's pauses so far.
long Pauses() {
    return std::ranges::count(Ops("Delay"), 22, &hl::Operation::value);
}

TEST_F(Listing, ChooserOpensAtTheDocumentsFolderAndGivesUpByItsCloseBoxOrFailure) {
    OpenChooser();
    EXPECT_EQ(hl::StatusText(),
              "Please select directory or click on the OK button to list current directory.");
    ExpectCommands(Locked);
    ExpectWindow(DirectoryWindow, expected::DirectoryTitle, expected::DirectoryWidth,
                 expected::DirectoryHeight, expected::DirectoryControls);
    EXPECT_EQ(hl::Window(DirectoryWindow).attributes & WindowMinimizeBox, 0);
    EXPECT_TRUE(hl::Window(DirectoryWindow).keepOnTop);
    // The tree names folders as the system does, ending with a separator.
    EXPECT_EQ(fs::path(hl::Control(DirectoryTree).text) / "", fs::path(DocumentsFolderPath()) / "");

    hl::Give(Input::Minimize, MainWindow);
    hl::Give(Input::CloseBox, DirectoryWindow);
    Settle();
    EXPECT_EQ(hl::StatusText(), "No directory selected.  Please select file or list directory.");
    EXPECT_EQ(hl::Window(MainWindow).state, WindowNormal);
    EXPECT_EQ(hl::ActiveWindow(), MainWindow);
    EXPECT_TRUE(ListRows().empty());
    ExpectEnded();
    // The chooser has given up its claim: a file can be chosen.
    ListFile(WriteFile("abc.txt", "abc"));

    hl::Arrange([](hl::Script& s) { s.failingWindows.insert(DirectoryWindow); });
    OpenChooser();
    EXPECT_EQ(hl::StatusText(),
              "Unable to open the directory window.  Please select file or list directory.");
    ExpectCommands(Idle);
    ListFile(WriteFile("abc.txt", "abc"));
}

TEST_F(Listing, ListsOnlyTheFilesEachOnceBelowEarlierRowsWithAPauseAfterEveryEntry) {
    ListFile(WriteFile("earlier.txt", "abc"));
    for (const char* name : {"three/a.txt", "three/b.txt", "three/c d.txt", "three/sub/inner.txt"})
        WriteFile(name, "abc");
    Directory("three/empty sub");
    const std::string three = Directory("three");
    const long before = Pauses();
    List(three);
    EXPECT_EQ(hl::StatusText(), "Directory listing operation has been completed - 3 files listed.");
    // The platform's enumeration has an order of its own.
    Rows rows = ListRows();
    std::sort(rows.begin() + 1, rows.end());
    EXPECT_EQ(rows, (Rows{{"earlier.txt", Abc}, {"a.txt", Abc}, {"b.txt", Abc}, {"c d.txt", Abc}}));
    EXPECT_TRUE(Shown("Processing file c d.txt"));
    // The folder itself, its parent, three files and two subfolders.
    EXPECT_EQ(Pauses() - before, 7);
}

TEST_F(Listing, SubfoldersOnlyGiveTheEmptyMessageAnUnlistableFolderNoRows) {
    WriteFile("folders/sub/inner.txt", "abc");
    Directory("folders/other");
    List(Directory("folders"));
    EXPECT_EQ(hl::StatusText(), "Directory is empty or files cannot be listed - 0 files listed.  "
                                "Please select file or list directory.");
    EXPECT_TRUE(ListRows().empty());

    // Gone between its choice and OK.
    const std::string gone = Directory("gone");
    OpenChooser();
    hl::Give(Input::TreeClick, DirectoryTree, 0, gone);
    Settle();
    fs::remove(fs::path(Folder()) / "gone");
    hl::Give(Input::Click, DirectoryOkButton);
    WaitForJobsToEnd();
    ExpectEnded();
    EXPECT_EQ(hl::StatusText(), "Unable to list directory " + gone + " - Special system folder.");
    EXPECT_TRUE(ListRows().empty());

    // No folder selected: the working directory, by bare names.
    WriteFile("here.txt", "abc");
    List("");
    EXPECT_EQ(hl::StatusText(), "Directory listing operation has been completed - 1 file listed.");
    EXPECT_EQ(ListRows(), (Rows{{"here.txt", Abc}}));
}

TEST_F(Listing, CancelBeforeTheFirstFileNamesNoFileOfAnEarlierListing) {
    WriteFile("old/old.txt", "abc");
    List(Directory("old"));
    for (const char* name : {"new/1.txt", "new/2.txt", "new/3.txt"})
        WriteFile(name, "abc");
    // The listing and its animator get no further than their first call before Cancel.
    hl::Arrange([](hl::Script& s) { s.callsHeld = true; });
    PressOkOn(Directory("new"));
    WaitFor([] { return hl::WaitingWorkerCalls() == 2; }, "the listing's first calls");
    hl::Give(Input::Click, CancelButton);
    WaitFor([] { return hl::WaitingWorkerCalls() == 3; }, "the cancelling message");
    hl::Arrange([](hl::Script& s) { s.callsHeld = false; });
    WaitForJobsToEnd();

    EXPECT_TRUE(Shown("Finishing processing and cancelling.  Please wait..."));
    EXPECT_FALSE(Shown("Finishing processing of old.txt and cancelling.  Please wait..."));
    // The first file is still finished, and the count is the last message.
    EXPECT_EQ(ListRows().size(), 2u);
    EXPECT_EQ(hl::StatusText(), "Directory listing operation has been completed - 1 file listed.");
    ExpectEnded();
}

#ifndef _WIN32
// A backslash is a letter of a name here: the folder is chosen and listed by its own path, the
// file named whole with its hash.
TEST_F(Listing, NamesHoldingABackslashAreWhole) {
    WriteFile("back\\slash/a\\b.txt", "abc");
    List(Directory("back\\slash"));
    EXPECT_EQ(ListRows(), (Rows{{"a\\b.txt", Abc}}));
    EXPECT_TRUE(Shown("Processing file a\\b.txt"));
}

// The file blocks its reader until the test lets it go.
TEST_F(Listing, CancelWhileAFileIsHashedEndsAfterItsRow) {
    const std::string directory = Directory("one");
    BlockingFile file(directory, "slow");
    PressOkOn(directory);
    WaitFor([] { return hl::StatusText() == "Processing file slow"; }, "the file's hashing");
    hl::Give(Input::Click, CancelButton);
    WaitFor([] { return !hl::Control(CancelButton).enabled; }, "CancelButton disabled");
    EXPECT_EQ(hl::StatusText(), "Finishing processing of slow and cancelling.  Please wait...");
    const long cancelled = Pauses();
    file.Release("abc");
    WaitForJobsToEnd();
    EXPECT_EQ(ListRows(), (Rows{{"slow", Abc}}));
    EXPECT_EQ(hl::StatusText(), "Directory listing operation has been completed - 1 file listed.");
    // The job stopped right after the row, with no pause.
    EXPECT_EQ(Pauses(), cancelled);
    ExpectEnded();
}
#endif

TEST_F(Listing, NeverTwoJobsAtOnce) {
    // The menu's chooser leaves the menus usable, but a file cannot be chosen meanwhile; the
    // chooser asked for again replaces the open one.
    WriteFile("two/1.txt", "abc");
    WriteFile("two/2.txt", "abc");
    hl::Give(Input::Key, CtrlKey + 'D');
    WaitFor([] { return hl::Window(DirectoryWindow).open; }, "the chooser");
    Settle();
    EXPECT_EQ(hl::StatusText(),
              "Select directory or click on the OK button to list current directory.");
    for (int control : {ListDirectoryButton, TextReportButton, CheckButton, BrowseButton})
        EXPECT_FALSE(hl::Control(control).enabled) << "control " << control;
    EXPECT_TRUE(hl::MenuItem(MenuSelectFile).enabled);
    EXPECT_EQ(std::ranges::count(ShortcutValues(MainWindow), CtrlKey + 'F'), 1);
    hl::Give(Input::Activate, MainWindow);
    hl::Give(Input::Key, CtrlKey + 'F');
    hl::Give(Input::Menu, MenuSelectFile);
    hl::Give(Input::Key, CtrlKey + 'D');
    Settle();
    EXPECT_TRUE(Ops("FileDialogOpened").empty());
    EXPECT_EQ(Ops("OpenWindow").size(), 3u); // MainWindow and the chooser twice
    EXPECT_TRUE(hl::Window(DirectoryWindow).open);

    // Requests queued while the listing starts are refused, and it lists once.
    hl::Give(Input::TreeClick, DirectoryTree, 0, Directory("two"));
    hl::Arrange([](hl::Script& s) { s.callsHeld = true; });
    hl::Give(Input::Click, DirectoryOkButton);
    hl::PostEvent(EventMenu, MenuSelectFile, MainWindow, 0);
    hl::PostEvent(EventMenu, MenuListDirectory, MainWindow, 0);
    hl::PostEvent(EventControl, BrowseButton, MainWindow, ButtonClicked);
    Settle();
    hl::Arrange([](hl::Script& s) { s.callsHeld = false; });
    WaitForJobsToEnd();
    EXPECT_TRUE(Ops("FileDialogOpened").empty());
    EXPECT_EQ(ListRows().size(), 2u);
    EXPECT_EQ(hl::StatusText(), "Directory listing operation has been completed - 2 files listed.");
    ExpectEnded();
}

// Cancel's thread may come just as the listing ends: from the listing's ending on it shows
// nothing, though the listing's thread still runs. No program: the backend acts at once.
TEST(CancelListingJobAlone, ShowsNothingOnceTheListingIsEnding) {
    ASSERT_TRUE(hl::WaitUntil([] { return hl::LiveWorkerThreads() == 0; }, 30s));
    hl::ResetWorld();
    ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "test", 0));
    CreateStatusBar(MainWindow, 560);
    CreateButton(MainWindow, CancelButton, {216, 205, 135, 20}, "Cancel", false);
    static std::mutex gate;
    std::unique_lock<std::mutex> hold(gate);
    ListingThread = StartThread(
        [](int) {
            const std::lock_guard<std::mutex> wait(gate);
            return 0;
        },
        0);
    const std::size_t before = hl::Recorded().operations.size();
    CancelListingJob(0);
    EXPECT_EQ(hl::Recorded().operations.size(), before);
    hold.unlock();
    EXPECT_TRUE(hl::WaitUntil([] { return !IsThreadRunning(ListingThread); }, 30s));
    ListingThread = 0;
    hl::ResetWorld();
}

} // namespace
} // namespace dg::scenario
