// Choosing one file: the dialog, the hashing with its activity indicator, the results and
// the command states around them.
#include "scenario.h"

#include "platform/system.h"

namespace dg::scenario {
namespace {

using SelectFile = ScenarioTest;

void ExpectActivityShown(bool shown) {
    EXPECT_EQ(Visible(ProgressBar), shown);
    EXPECT_EQ(Visible(WorkingLabel), shown);
}

TEST_F(SelectFile, ButtonLocksAtOnceAndACancelledDialogChangesNothing) {
    ListFile(WriteFile("abc.txt", "abc"));
    Click(BrowseButton);
    WaitFor(DialogOpen, "the file dialog");
    EXPECT_EQ(Status(), "Select file.");
    ExpectCommands(Locked);
    ExpectActivityShown(false);
    EXPECT_EQ(Recorded().dialogs.back(),
              "Digestorium - Select File|" + DocumentsFolderPath() + "|All Files (*)");

    Answer("");
    WaitForJobsToEnd();
    EXPECT_EQ(Status(), "No file selected.  Please select file or list directory");
    EXPECT_EQ(ListRows(), (Rows{{"abc.txt", AbcMd5Upper}}));
    for (int field : {FileField, FileHashField, FileHashLowerField, CheckHashField, VerdictField})
        EXPECT_EQ(GetControlText(field), "") << "field " << field;
    ExpectCommands(Unlocked);
}

// Chosen through the menu, the menus stay usable until the dialog has given a file; its job
// then locks the rest.
TEST_F(SelectFile, ActivityIsShownOnlyWhileTheFileIsHashed) {
    BlockingFile file(Folder(), "slow.bin");
    Key(CtrlKey + 'F');
    WaitFor(DialogOpen, "the file dialog");
    ExpectCommands(ButtonsLocked);

    Answer(file.Path());
    WaitFor([] { return GetControlState(ProgressBar) >= 3; }, "the bar to move");
    ExpectActivityShown(true);
    EXPECT_EQ(GetControlText(FileHashField), "");
    ExpectCommands(Locked);
    file.Release("abc");
    // The animator hides the activity at the end, as the listing tests see.
    WaitForJobsToEnd();
    EXPECT_EQ(GetControlText(FileHashLowerField), AbcMd5);
}

// Requests queued before the first job locked anything: only one job runs.
TEST_F(SelectFile, RequestsWhileAJobRunsAreRefused) {
    OnGui([] {
        Queue(EventMenu, MenuSelectFile, MainWindow);
        Queue(EventControl, BrowseButton, MainWindow, ButtonClicked);
        Queue(EventMenu, MenuSelectFile, MainWindow);
    });
    Answer(WriteFile("abc.txt", "abc"));
    WaitForJobsToEnd();
    EXPECT_EQ(Recorded().dialogs.size(), 1u);
    EXPECT_EQ(GetControlText(FileField), "abc.txt");
    EXPECT_EQ(GetControlText(FileHashField), AbcMd5Upper);
}

TEST_F(SelectFile, ThreadThatCannotStartGivesTheCommandsBack) {
    for (const bool button : {true, false}) {
        FailThreadStarts(1);
        button ? Click(BrowseButton) : Choose(MenuSelectFile);
        Settle();
        EXPECT_EQ(Status(), "Unable to start the job.  Please select file or list directory.");
        ExpectCommands(Unlocked);
    }
    EXPECT_TRUE(Recorded().dialogs.empty());
}

} // namespace
} // namespace dg::scenario
