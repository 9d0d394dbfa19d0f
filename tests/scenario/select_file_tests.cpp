// Choosing one file: the dialog, the hashing with its activity indicator, the results and
// the command states around them.
#include "scenario.h"

#include "platform/system.h"

namespace dg::scenario {
namespace {

using SelectFile = ScenarioTest;

void ExpectActivityShown(bool shown) {
    EXPECT_EQ(hl::Control(ProgressBar).visible, shown);
    EXPECT_EQ(hl::Control(WorkingLabel).visible, shown);
}

// The button locks everything at once; the menu leaves the menus usable until the dialog
// has given a file, and its job then locks the rest.
TEST_F(SelectFile, ButtonLocksAtOnceAndTheMenuOnlyAfterTheDialog) {
    ListFile(WriteFile("abc.txt", "abc"));
    hl::Give(Input::Click, BrowseButton);
    WaitFor([] { return hl::Recorded().dialogsOpen > 0; }, "the file dialog");
    Settle();
    EXPECT_EQ(hl::StatusText(), "Select file.");
    ExpectCommands(Locked);
    ExpectActivityShown(false);
    EXPECT_EQ(Ops("FileDialogOpened").back().text,
              "Digestorium - Select File|" + DocumentsFolderWithSeparator() + "|All Files | *.*");
    EXPECT_EQ(Ops("FileDialogOpened").back().value, 0);

    hl::Arrange([&](hl::Script& s) { s.dialogAnswers.push_back(""); });
    WaitForJobsToEnd();
    EXPECT_EQ(hl::StatusText(), "No file selected.  Please select file or list directory");
    EXPECT_EQ(ListRows(), (Rows{{"abc.txt", AbcMd5Upper}}));
    for (int field : {FileField, FileHashField, FileHashLowerField, CheckHashField, VerdictField})
        EXPECT_EQ(hl::Control(field).text, "") << "field " << field;
    ExpectCommands(Idle);

    BlockingFile file(Folder(), "slow.bin");
    hl::Give(Input::Key, CtrlKey + 'F');
    WaitFor([] { return hl::Recorded().dialogsOpen > 0; }, "the file dialog");
    Settle();
    for (int control : {ListDirectoryButton, TextReportButton, CheckButton, BrowseButton})
        EXPECT_FALSE(hl::Control(control).enabled) << "control " << control;
    EXPECT_TRUE(hl::Control(ResultList).enabled);
    EXPECT_EQ(ShortcutValues(MainWindow), RestoredShortcuts(false));
    // The dialog is modal: MainWindow takes no input while it is open.
    EXPECT_FALSE(hl::Window(MainWindow).enabled);

    hl::Arrange([&](hl::Script& s) { s.dialogAnswers.push_back(file.Path()); });
    WaitFor([] { return hl::Control(ProgressBar).visible; }, "the hashing");
    ExpectCommands(Locked);
    file.Release("");
    WaitForJobsToEnd();
    ExpectCommands(Idle);
    EXPECT_TRUE(hl::Window(MainWindow).enabled);
}

// Requests queued before the first job locked anything: only one job runs, and the fields
// show one file's name with that file's hash.
TEST_F(SelectFile, RequestsWhileAJobRunsAreRefused) {
    hl::PostEvent(EventMenu, MenuSelectFile, MainWindow, 0);
    hl::PostEvent(EventControl, BrowseButton, MainWindow, ButtonClicked);
    hl::PostEvent(EventMenu, MenuSelectFile, MainWindow, 0);
    WaitFor([] { return hl::Recorded().dialogsOpen > 0; }, "the file dialog");
    Settle();
    EXPECT_EQ(Ops("FileDialogOpened").size(), 1u);
    hl::Arrange([&](hl::Script& s) { s.dialogAnswers.push_back(WriteFile("abc.txt", "abc")); });
    WaitForJobsToEnd();
    EXPECT_EQ(hl::Control(FileHashField).text, AbcMd5Upper);
    // The slot is free again once the job has ended.
    ListFile(WriteFile("empty.bin", ""));
    EXPECT_EQ(ListRows().size(), 2u);
}

TEST_F(SelectFile, ChosenFileIsNamedHashedAndListedLastAnUnreadableOneWithoutAHash) {
    const std::string path = WriteFile("sub/report.txt", "abc");
    ListFile(path);
    ListFile(path);
    EXPECT_EQ(hl::Control(FileField).text, "report.txt");
    EXPECT_EQ(hl::Control(FileHashField).text, AbcMd5Upper);
    EXPECT_EQ(hl::Control(FileHashLowerField).text, AbcMd5);
    EXPECT_TRUE(Shown("Processing file report.txt.  This may take a few moments.  Please wait..."));
    ListFile(Folder() + "/missing.txt");
    EXPECT_EQ(hl::Control(FileField).text, "missing.txt");
    EXPECT_EQ(hl::Control(FileHashField).text + hl::Control(FileHashLowerField).text, "");
    // A directory cannot be read either.
    ListFile(Folder());
    EXPECT_EQ(ListRows(), (Rows{{"report.txt", AbcMd5Upper},
                                {"report.txt", AbcMd5Upper},
                                {"missing.txt", ""},
                                {std::filesystem::path(Folder()).filename().string(), ""}}));
    ExpectCommands(Idle);
}

TEST_F(SelectFile, ActivityIsShownOnlyWhileTheFileIsHashed) {
    BlockingFile file(Folder(), "slow.bin");
    hl::Arrange([&](hl::Script& s) { s.dialogAnswers.push_back(file.Path()); });
    hl::Give(Input::Click, BrowseButton);
    WaitFor([] { return hl::Control(ProgressBar).value >= 3; }, "the bar to move");
    ExpectActivityShown(true);
    EXPECT_EQ(hl::Control(FileHashField).text, "");
    ExpectCommands(Locked);

    file.Release("abc");
    WaitForJobsToEnd();
    ExpectActivityShown(false);
#ifndef _WIN32
    EXPECT_EQ(hl::Control(FileHashLowerField).text, AbcMd5);
#endif
    // Shown only after the dialog closed; the bar goes back to 0 last.
    const auto operations = hl::Recorded().operations;
    const auto at = [&](const std::string& name, int target, int value) {
        return std::find_if(operations.begin(), operations.end(), [&](auto& op) {
            return op.name == name && op.target == target && op.value == value;
        });
    };
    EXPECT_LT(at("FileDialogClosed", MainWindow, 0), at("HideControl", ProgressBar, 0));
    EXPECT_EQ(operations.back().name + std::to_string(operations.back().value), "SetControlState0");
}

TEST_F(SelectFile, ThreadThatCannotStartGivesTheCommandsBack) {
    const std::string failed = "Unable to start the job.  Please select file or list directory.";
    for (const Input input : {Input::Click, Input::Menu}) {
        hl::Arrange([](hl::Script& s) { s.failingThreadStarts = 1; });
        hl::Give(input, input == Input::Click ? BrowseButton : MenuSelectFile);
        Settle();
        EXPECT_EQ(Ops("SetStatusText").back().text, failed);
        ExpectCommands(Idle);
    }
    EXPECT_TRUE(Ops("FileDialogOpened").empty());

    // The job itself starts, but its animator cannot: the file is still hashed and listed.
    hl::Give(Input::Click, BrowseButton);
    WaitFor([] { return hl::Recorded().dialogsOpen > 0; }, "the dialog");
    hl::Arrange([](hl::Script& s) { s.failingThreadStarts = 1; });
    hl::Arrange([&](hl::Script& s) { s.dialogAnswers.push_back(WriteFile("abc.txt", "abc")); });
    WaitForJobsToEnd();
    EXPECT_EQ(hl::StatusText(), CompletedText);
    EXPECT_EQ(ListRows().size(), 1u);
    ExpectCommands(Idle);
}

} // namespace
} // namespace dg::scenario
