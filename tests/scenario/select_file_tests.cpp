// Choosing one file: the dialog, the hashing with its activity indicator, the results and
// the command states around them.
#include "scenario.h"

#include "common/text.h"

#include <algorithm>

namespace dg::scenario {
namespace {

using SelectFile = ScenarioTest;

const std::string CancelText = "No file selected.  Please select file or list directory";

std::vector<std::vector<std::string>> Rows() {
    return hl::Control(ResultList).rows;
}

// The position of the first operation matching, or -1.
long Find(const std::vector<hl::Operation>& operations, const std::string& name, int target,
          int value) {
    const auto found = std::find_if(operations.begin(), operations.end(), [&](auto& op) {
        return op.name == name && op.target == target && op.value == value;
    });
    return found == operations.end() ? -1 : found - operations.begin();
}

TEST_F(SelectFile, DialogAsksInTheDocumentsFolderAndCancelChangesNothing) {
    ListFile(WriteFile("abc.txt", "abc"));
    hl::ClickButton(BrowseButton);
    WaitFor([] { return hl::FileDialogOpen(); }, "the file dialog");
    EXPECT_EQ(hl::StatusText(), "Select file.");
    EXPECT_FALSE(hl::Control(BrowseButton).enabled);
    EXPECT_FALSE(hl::Control(ProgressBar).visible);
    EXPECT_FALSE(hl::Control(WorkingLabel).visible);
    // The selection fields were emptied before the job started.
    EXPECT_EQ(hl::Control(FileField).text, "");
    EXPECT_EQ(hl::Control(FileHashField).text, "");

    const hl::FileDialogCall dialog = hl::FileDialogCalls().back();
    EXPECT_EQ(dialog.title, "Digestorium - Select File");
    EXPECT_EQ(dialog.initialPath, DocumentsFolderWithBackslash());
    EXPECT_EQ(dialog.pattern, "All Files | *.*");
    EXPECT_EQ(dialog.patternIndex, 0);

    hl::QueueFileDialogAnswer("");
    WaitForJobsToEnd();
    EXPECT_EQ(hl::StatusText(), CancelText);
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"abc.txt", Upper(AbcMd5)}}));
    for (int field : {FileField, FileHashField, FileHashLowerField, CheckHashField, VerdictField})
        EXPECT_EQ(hl::Control(field).text, "") << "field " << field;
    ExpectIdle(false);
}

// Requests queued before the first job locked anything: only one job runs, and the fields
// show one file's name with that file's hash.
TEST_F(SelectFile, RequestsWhileAJobRunsAreRefused) {
    hl::PostEvent(EventMenu, MenuSelectFile, MainWindow, 0);
    hl::PostEvent(EventControl, BrowseButton, MainWindow, ButtonClicked);
    hl::PostEvent(EventMenu, MenuSelectFile, MainWindow, 0);
    WaitFor([] { return hl::FileDialogOpen(); }, "the file dialog");
    Settle();
    EXPECT_EQ(hl::FileDialogCalls().size(), 1u);
    hl::QueueFileDialogAnswer(WriteFile("abc.txt", "abc"));
    WaitForJobsToEnd();
    EXPECT_EQ(hl::Control(FileHashField).text, Upper(AbcMd5));
    // The slot is free again once the job has ended.
    ListFile(WriteFile("empty.bin", ""));
    EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(SelectFile, ChosenFileIsNamedHashedAndListedLastEachTime) {
    ListFile(WriteFile("empty.bin", ""));
    const std::string path = WriteFile("sub/report.txt", "abc");
    ListFile(path);
    ListFile(path);
    EXPECT_EQ(hl::Control(FileField).text, "report.txt");
    EXPECT_EQ(hl::Control(FileHashField).text, Upper(AbcMd5));
    EXPECT_EQ(hl::Control(FileHashLowerField).text, AbcMd5);
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"empty.bin", Upper(EmptyMd5)},
                                                             {"report.txt", Upper(AbcMd5)},
                                                             {"report.txt", Upper(AbcMd5)}}));
    const auto operations = hl::Operations();
    const bool processing = std::any_of(operations.begin(), operations.end(), [](auto& op) {
        return op.text ==
               "Processing file report.txt.  This may take a few moments.  Please wait...";
    });
    EXPECT_TRUE(processing);
    ExpectIdle(false);
}

TEST_F(SelectFile, UnreadableFileIsListedWithAnEmptyHash) {
    ListFile(Folder() + "/missing.txt");
    EXPECT_EQ(hl::Control(FileField).text, "missing.txt");
    EXPECT_EQ(hl::Control(FileHashField).text, "");
    EXPECT_EQ(hl::Control(FileHashLowerField).text, "");
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"missing.txt", ""}}));
    EXPECT_EQ(hl::StatusText(), CompletedText);

    // A directory cannot be read either.
    ListFile(Folder());
    EXPECT_EQ(Rows().back()[1], "");
}

TEST_F(SelectFile, ActivityIsShownOnlyWhileTheFileIsHashed) {
    BlockingFile file(Folder(), "slow.bin");
    hl::ClickButton(BrowseButton);
    WaitFor([] { return hl::FileDialogOpen(); }, "the file dialog");
    Settle();
    EXPECT_FALSE(hl::Control(ProgressBar).visible);
    EXPECT_FALSE(hl::Control(WorkingLabel).visible);

    hl::QueueFileDialogAnswer(file.Path());
    WaitFor([] { return hl::Control(ProgressBar).value >= 3; }, "the bar to move");
    EXPECT_TRUE(hl::Control(ProgressBar).visible);
    EXPECT_TRUE(hl::Control(WorkingLabel).visible);
    EXPECT_EQ(hl::Control(FileHashField).text, "");
    // While hashing the commands are locked.
    ExpectLocked();

    file.Release("abc");
    WaitForJobsToEnd();
    EXPECT_FALSE(hl::Control(ProgressBar).visible);
    EXPECT_FALSE(hl::Control(WorkingLabel).visible);
    EXPECT_EQ(hl::Control(ProgressBar).value, 0);
#ifndef _WIN32
    EXPECT_EQ(hl::Control(FileHashLowerField).text, AbcMd5);
#endif

    // Shown only after the dialog closed; the bar goes back to 0 last.
    const auto operations = hl::Operations();
    const long closed = Find(operations, "FileDialogClosed", MainWindow, 0);
    const long shown = Find(operations, "HideControl", ProgressBar, 0);
    ASSERT_GE(closed, 0);
    EXPECT_GT(shown, closed);
    const hl::Operation& last = operations.back();
    EXPECT_EQ(last.name, "SetControlState");
    EXPECT_EQ(last.value, 0);
}

TEST_F(SelectFile, ButtonLocksAtOnceAndTheMenuOnlyAfterTheDialog) {
    hl::ClickButton(BrowseButton);
    WaitFor([] { return hl::FileDialogOpen(); }, "the file dialog");
    Settle();
    ExpectLocked();
    hl::QueueFileDialogAnswer("");
    WaitForJobsToEnd();
    ExpectIdle(false);

    BlockingFile file(Folder(), "slow.bin");
    hl::PressKey(CtrlKey + 'F');
    WaitFor([] { return hl::FileDialogOpen(); }, "the file dialog");
    Settle();
    // Three buttons from the menu command, BrowseButton from the job; the menu stays usable.
    for (int control : {ListDirectoryButton, TextReportButton, CheckButton, BrowseButton})
        EXPECT_FALSE(hl::Control(control).enabled) << "control " << control;
    EXPECT_TRUE(hl::Control(ResultList).enabled);
    for (int item = 0; item < MenuItemCount; ++item)
        EXPECT_EQ(hl::MenuItem(item).enabled, item != MenuManual) << "menu item " << item;
    EXPECT_EQ(ShortcutValues(MainWindow), RestoredShortcuts(false));
    // The dialog is modal: MainWindow takes no input while it is open.
    EXPECT_FALSE(hl::Window(MainWindow).enabled);

    hl::QueueFileDialogAnswer(file.Path());
    WaitFor([] { return hl::Control(ProgressBar).visible; }, "the hashing");
    ExpectLocked();
    file.Release("");
    WaitForJobsToEnd();
    ExpectIdle(false);
    EXPECT_TRUE(hl::Window(MainWindow).enabled);
}

TEST_F(SelectFile, ThreadThatCannotStartGivesTheCommandsBack) {
    const std::string failed = "Unable to start the job.  Please select file or list directory.";
    hl::FailThreadStarts(1);
    hl::ClickButton(BrowseButton);
    WaitFor([&] { return hl::StatusText() == failed; }, "the failure text");
    Settle();
    ExpectIdle(false);
    EXPECT_TRUE(hl::FileDialogCalls().empty());

    hl::FailThreadStarts(1);
    hl::ChooseMenuItem(MenuSelectFile);
    WaitFor([&] { return hl::Operations().back().text == failed; }, "the failure text again");
    Settle();
    ExpectIdle(false);

    // The job itself starts, but its animator cannot: the file is still hashed and listed.
    hl::ClickButton(BrowseButton);
    WaitFor([] { return hl::FileDialogOpen(); }, "the dialog");
    hl::FailThreadStarts(1);
    hl::QueueFileDialogAnswer(WriteFile("abc.txt", "abc"));
    WaitForJobsToEnd();
    EXPECT_EQ(hl::StatusText(), CompletedText);
    EXPECT_EQ(Rows().size(), 1u);
    ExpectIdle(false);
}

} // namespace
} // namespace dg::scenario
