// Listing a directory: the chooser, the job with its counts, pauses and Cancel, and the rule
// that no two jobs run at once.
#include "scenario.h"

#include "actions/directory_listing_job.h"
#include "platform/qt/qt_backend.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "shell/job_state.h"

#include <QWidget>

#include <mutex>

namespace dg::scenario {
namespace {

namespace fs = std::filesystem;

const std::string Abc = AbcMd5Upper;

class Listing : public ScenarioTest {
protected:
    // A folder under the working directory, as the tree gives it: ending with a separator.
    std::string Directory(const std::string& name) const {
        fs::create_directories(fs::path(Folder()) / name);
        return Folder() + "/" + name + "/";
    }

    static void OpenChooser() {
        Click(ListDirectoryButton);
        WaitFor([] { return WindowOpen(DirectoryWindow); }, "the chooser");
    }

    // The tree's text, as the platform takes it, opens the tree down to the folder and selects it.
    static void PressOkOn(const std::string& directory) {
        OpenChooser();
        SetControlText(DirectoryTree, directory);
        Click(DirectoryOkButton);
    }

    // Lists the directory to its end, which leaves the commands and the job controls idle.
    static void List(const std::string& directory) {
        PressOkOn(directory);
        WaitForJobsToEnd();
        ExpectEnded();
    }

    static void ExpectEnded() {
        EXPECT_FALSE(WindowOpen(DirectoryWindow));
        for (int control : {CancelButton, ProgressBar, WorkingLabel})
            EXPECT_FALSE(Visible(control)) << control;
        EXPECT_TRUE(Enabled(CancelButton));
        EXPECT_EQ(GetControlState(ProgressBar), 0);
        ExpectCommands(Unlocked);
    }
};

// The listing job's pauses so far.
long Pauses() {
    return std::ranges::count(Recorded().delays, 22);
}

TEST_F(Listing, ChooserOpensAtTheDocumentsFolderAndGivesUpByItsCloseBox) {
    OpenChooser();
    Settle();
    EXPECT_EQ(Status(),
              "Please select directory or click on the OK button to list current directory.");
    ExpectCommands(Locked);
    ExpectWindow(DirectoryWindow, expected::DirectoryTitle, expected::DirectoryControls);
    EXPECT_EQ(GetControlText(DirectoryTree), DocumentsFolderWithSeparator());

    OnGui([] { qt::WindowWidget(MainWindow)->showMinimized(); });
    CloseBox(DirectoryWindow);
    EXPECT_EQ(Status(), "No directory selected.  Please select file or list directory.");
    OnGui([] { EXPECT_FALSE(qt::WindowWidget(MainWindow)->isMinimized()); });
    WaitFor([] { return ActiveWindow() == MainWindow; }, "MainWindow active");
    ExpectEnded();
    // The chooser has given up its claim: a file can be chosen.
    ListFile(WriteFile("abc.txt", "abc"));
}

TEST_F(Listing, ListsOnlyTheFilesEachOnceBelowEarlierRowsWithAPauseAfterEveryEntry) {
    ListFile(WriteFile("earlier.txt", "abc"));
    for (const char* name : {"three/a.txt", "three/b.txt", "three/c d.txt", "three/sub/inner.txt"})
        WriteFile(name, "abc");
    Directory("three/empty sub");
    const long before = Pauses();
    List(Directory("three"));
    EXPECT_EQ(Status(), "Directory listing operation has been completed - 3 files listed.");
    // The platform's enumeration has an order of its own.
    Rows rows = ListRows();
    std::sort(rows.begin() + 1, rows.end());
    EXPECT_EQ(rows, (Rows{{"earlier.txt", Abc}, {"a.txt", Abc}, {"b.txt", Abc}, {"c d.txt", Abc}}));
    // The folder itself, its parent, three files and two subfolders.
    EXPECT_EQ(Pauses() - before, 7);
}

TEST_F(Listing, SubfoldersOnlyGiveTheEmptyMessageAnUnlistableFolderNoRows) {
    WriteFile("folders/sub/inner.txt", "abc");
    Directory("folders/other");
    List(Directory("folders"));
    EXPECT_EQ(Status(), "Directory is empty or files cannot be listed - 0 files listed.  "
                        "Please select file or list directory.");
    EXPECT_TRUE(ListRows().empty());

    // Gone between its choice and OK.
    const std::string gone = Directory("gone");
    OpenChooser();
    SetControlText(DirectoryTree, gone);
    fs::remove(fs::path(Folder()) / "gone");
    Click(DirectoryOkButton);
    WaitForJobsToEnd();
    ExpectEnded();
    EXPECT_EQ(Status(), "Unable to list directory " + gone + " - Special system folder.");
    EXPECT_TRUE(ListRows().empty());

    // No folder selected: the working directory, by bare names.
    WriteFile("here.txt", "abc");
    List("");
    EXPECT_EQ(Status(), "Directory listing operation has been completed - 1 file listed.");
    EXPECT_EQ(ListRows(), (Rows{{"here.txt", Abc}}));
}

// Cancel before the listing's first file: the message names no file of an earlier listing,
// and the first file is still finished. The listing waits for the program's thread, which
// cancels before it serves the listing's first call.
TEST_F(Listing, CancelBeforeTheFirstFileNamesNoFileOfAnEarlierListing) {
    WriteFile("old/old.txt", "abc");
    List(Directory("old"));
    WriteFile("new/1.txt", "abc");
    WriteFile("new/2.txt", "abc");
    OnGui([&] {
        ChosenDirectory = Directory("new");
        StartDirectoryListing();
        CancelRequested = 1;
        CancelListingJob(0);
        EXPECT_EQ(Status(), "Finishing processing and cancelling.  Please wait...");
    });
    WaitForJobsToEnd();
    EXPECT_EQ(ListRows().size(), 2u);
    EXPECT_EQ(Status(), "Directory listing operation has been completed - 1 file listed.");
}

// The file blocks its reader until the test lets it go.
TEST_F(Listing, CancelWhileAFileIsHashedEndsAfterItsRow) {
    const std::string directory = Directory("one");
    BlockingFile file(directory, "slow");
    PressOkOn(directory);
    WaitFor([] { return Status() == "Processing file slow"; }, "the file's hashing");
    Click(CancelButton);
    WaitFor([] { return !Enabled(CancelButton); }, "CancelButton disabled");
    WaitFor(
        [] { return Status() == "Finishing processing of slow and cancelling.  Please wait..."; },
        "the cancelling message");
    const long cancelled = Pauses();
    file.Release("abc");
    WaitForJobsToEnd();
    EXPECT_EQ(ListRows(), (Rows{{"slow", Abc}}));
    EXPECT_EQ(Status(), "Directory listing operation has been completed - 1 file listed.");
    // The job stopped right after the row, with no pause.
    EXPECT_EQ(Pauses(), cancelled);
    ExpectEnded();
}

TEST_F(Listing, NeverTwoJobsAtOnce) {
    // The menu's chooser leaves the menus usable, but a file cannot be chosen meanwhile; the
    // chooser asked for again replaces the open one.
    WriteFile("two/1.txt", "abc");
    WriteFile("two/2.txt", "abc");
    Key(CtrlKey + 'D');
    WaitFor([] { return WindowOpen(DirectoryWindow); }, "the chooser");
    Settle();
    EXPECT_EQ(Status(), "Select directory or click on the OK button to list current directory.");
    ExpectCommands(ButtonsLocked);
    OnGui([] { qt::WindowWidget(MainWindow)->activateWindow(); });
    WaitFor([] { return ActiveWindow() == MainWindow; }, "MainWindow active");
    Key(CtrlKey + 'F');
    Choose(MenuSelectFile);
    Key(CtrlKey + 'D');
    EXPECT_TRUE(Recorded().dialogs.empty());
    EXPECT_TRUE(WindowOpen(DirectoryWindow));

    // Requests queued while the listing starts are refused, and it lists once.
    SetControlText(DirectoryTree, Directory("two"));
    OnGui([] {
        Click(DirectoryOkButton);
        Queue(EventMenu, MenuSelectFile, MainWindow);
        Queue(EventMenu, MenuListDirectory, MainWindow);
        Queue(EventControl, BrowseButton, MainWindow, ButtonClicked);
    });
    WaitForJobsToEnd();
    EXPECT_TRUE(Recorded().dialogs.empty());
    EXPECT_EQ(ListRows().size(), 2u);
    EXPECT_EQ(Status(), "Directory listing operation has been completed - 2 files listed.");
    ExpectEnded();
}

// Cancel's thread may come just as the listing ends: from the listing's ending on it shows
// nothing, though the listing's thread still runs.
TEST_F(Listing, CancelShowsNothingOnceTheListingIsEnding) {
    List(Directory("empty"));
    static std::mutex gate;
    std::unique_lock<std::mutex> hold(gate);
    ListingThread = StartThread(
        [](int) {
            const std::lock_guard<std::mutex> wait(gate);
            return 0;
        },
        0);
    const std::string before = Status();
    CancelListingJob(0);
    EXPECT_EQ(Status(), before);
    hold.unlock();
    WaitForJobsToEnd();
}

} // namespace
} // namespace dg::scenario
