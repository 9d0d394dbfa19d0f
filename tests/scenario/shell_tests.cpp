// The shell: start-up, the main window, the command states, the selection handler, the
// About window, the manual and the exit.
#include "scenario.h"

#include "common/site.h"
#include "platform/system.h"

#include <set>

namespace dg::scenario {
namespace {

using Commands = ScenarioTest;
using Selection = ScenarioTest;
using About = ScenarioTest;

// The manual in the working directory at start-up.
class Manual : public ScenarioTest {
protected:
    void BeforeStart() override { WriteFile("digestorium_manual.pdf", "%PDF-1.4\n"); }
};

TEST_F(Manual, StartUpShowsMainWindowWithItsMenusAndTheJobControlsHidden) {
    ExpectWindow(MainWindow, expected::MainTitle, expected::MainWidth, expected::MainHeight,
                 expected::MainControls);
    EXPECT_EQ(hl::Window(MainWindow).attributes, WindowMinimizeBox);
    EXPECT_EQ(hl::Window(MainWindow).statusFieldWidth, expected::MainWidth);
    EXPECT_EQ(hl::StatusText(), WelcomeText);
    for (int control : {CancelButton, ProgressBar, WorkingLabel, FileField})
        EXPECT_EQ(hl::Control(control).visible, control == FileField) << control;
    std::vector<std::string> built, wanted;
    for (const hl::ListColumn& column : hl::Control(ResultList).columns)
        built.push_back(column.title + std::to_string(column.width));
    for (const hl::MenuState& menu : hl::Menus())
        for (const hl::MenuItemState& item : menu.items)
            built.push_back(menu.label + std::to_string(item.item) + item.label);
    for (const expected::Column& column : expected::ResultColumns)
        wanted.push_back(column.title + std::to_string(column.width));
    std::set<std::pair<int, int>> registered, shortcuts;
    for (const expected::MenuEntry& entry : expected::MainMenu) {
        wanted.push_back(entry.menu + std::to_string(entry.item) + entry.label);
        if (entry.shortcut != 0)
            shortcuts.insert({entry.shortcut, entry.item});
    }
    EXPECT_EQ(built, wanted);
    for (const hl::Shortcut& shortcut : hl::Window(MainWindow).shortcuts)
        registered.insert({shortcut.value, shortcut.item});
    EXPECT_EQ(registered, shortcuts);
    ExpectCommands(Idle, true);
}

// Without the manual at start-up its item is greyed and F1 unknown; once it is in place, the
// next restore offers both. Alt+F4 is not registered again after the first lock.
TEST_F(Commands, LockAndRestoreSwitchExactlyTheCommands) {
    ExpectCommands(Idle);
    hl::Give(Input::Menu, MenuManual);
    hl::Give(Input::Key, KeyF1);
    Choose(MenuAbout);
    ExpectCommands(Locked);
    EXPECT_FALSE(hl::MenuItem(MenuManual).enabled);
    hl::Give(Input::Click, AboutOkButton);
    Settle();
    EXPECT_EQ(ShortcutValues(MainWindow), RestoredShortcuts(false));
    ExpectCommands(Idle);
    EXPECT_TRUE(Ops("LaunchProgram").empty());

    WriteFile("digestorium_manual.pdf", "%PDF");
    Choose(MenuAbout);
    hl::Give(Input::CloseBox, AboutWindow);
    Settle();
    ExpectCommands(Idle, true);
    // The lock leaves the manual's item alone.
    Choose(MenuAbout);
    ExpectCommands(Locked);
    EXPECT_TRUE(hl::MenuItem(MenuManual).enabled);
    hl::Give(Input::Click, AboutOkButton);
    Settle();
    EXPECT_EQ(ShortcutValues(MainWindow), RestoredShortcuts(true));
}

TEST_F(Commands, UnknownEventsAndNumbersAreIgnored) {
    // Commands that arrive with later work, and kinds the loop does not handle.
    hl::PostEvent(EventControl, CancelButton, MainWindow, ButtonClicked);
    hl::PostEvent(EventControl, DirectoryOkButton, DirectoryWindow, ButtonClicked);
    hl::PostEvent(EventMenu, 42, MainWindow, 0);
    hl::PostEvent(EventCloseWindow, DirectoryWindow, DirectoryWindow, 0);
    hl::PostEvent(static_cast<EventKind>(5), BrowseButton, MainWindow, 0);
    hl::PostEvent(EventControl, ResultList, MainWindow, ListRightClick);
    Settle();
    EXPECT_EQ(hl::StatusText(), WelcomeText);
    EXPECT_TRUE(Ops("FileDialogOpened").empty());
    ExpectCommands(Idle);
    EXPECT_FALSE(Ended());
}

TEST_F(Selection, SelectingARowFillsTheFieldsAndChecksAnEmptyOneKeepsThem) {
    const std::string noSelection =
        "No file selected or list is empty.  Please select file or list directory.";
    ListFile(WriteFile("abc.txt", "abc"));
    ListFile(WriteFile("empty.bin", ""));
    hl::Arrange([&](hl::Script& s) { s.clipboard = AbcMd5; });
    hl::Give(Input::ListClick, ResultList, 0);
    WaitFor([] { return hl::StatusText() == "MD5 Match"; }, "the check after the selection");
    EXPECT_EQ(hl::Control(FileField).text, "abc.txt");
    EXPECT_EQ(hl::Control(FileHashField).text, AbcMd5Upper);
    EXPECT_EQ(hl::Control(FileHashLowerField).text, AbcMd5);
    EXPECT_TRUE(Shown("File abc.txt Selected."));

    // Moving the selection with the keys runs the same handler.
    hl::Give(Input::ListKey, ResultList, 1);
    WaitFor([] { return hl::StatusText() == "MD5 Mismatch."; }, "the second row's check");
    EXPECT_EQ(hl::Control(FileHashLowerField).text, EmptyMd5);

    hl::Give(Input::ListClick, ResultList, -1);
    WaitFor([&] { return hl::StatusText() == noSelection; }, "the deselection");
    EXPECT_EQ(hl::Control(FileField).text, "empty.bin");
    EXPECT_EQ(hl::Control(FileHashLowerField).text, EmptyMd5);
    Choose(MenuClearList);
    EXPECT_EQ(hl::StatusText(), "List cleared.  Please select file or list directory.");
    EXPECT_TRUE(ListRows().empty());
}

TEST_F(About, ShowsItsTextsAndClosingRestoresMainWindow) {
    Choose(MenuAbout);
    ExpectWindow(AboutWindow, expected::AboutTitle, expected::AboutWidth, expected::AboutHeight,
                 expected::AboutControls);
    EXPECT_EQ(hl::Window(AboutWindow).attributes & WindowMinimizeBox, 0);
    EXPECT_TRUE(hl::Window(AboutWindow).keepOnTop);
    EXPECT_EQ(hl::Control(AboutNoticeLabel).text,
              InCodePage(expected::AboutNotice) + std::string(DistributionSite));

    hl::Give(Input::Minimize, MainWindow);
    // Shortcuts do nothing while AboutWindow is the active window; Alt+F4 closes it.
    hl::Give(Input::Activate, AboutWindow);
    hl::Give(Input::Key, AltKey + KeyF4);
    Settle();
    EXPECT_FALSE(hl::Window(AboutWindow).open);
    EXPECT_EQ(hl::Window(MainWindow).state, WindowNormal);
    EXPECT_EQ(hl::ActiveWindow(), MainWindow);
    EXPECT_FALSE(Ended());
    ExpectCommands(Idle);

    // A window that cannot be made leaves the commands alone.
    hl::Arrange([](hl::Script& s) { s.failingWindows.insert(AboutWindow); });
    Choose(MenuAbout);
    EXPECT_FALSE(hl::Window(AboutWindow).open);
    ExpectCommands(Idle);
}

// Each way out ends the program with code 0, whatever is open or running.
class Exit : public ScenarioTest, public ::testing::WithParamInterface<int> {};

TEST_P(Exit, EndsWithCodeZero) {
    BlockingFile file(Folder(), "slow.bin");
    const int way = GetParam();
    if (way == 2)
        Choose(MenuAbout);
    if (way == 3) {
        hl::Arrange([&](hl::Script& s) { s.dialogAnswers.push_back(file.Path()); });
        hl::Give(Input::Click, BrowseButton);
        WaitFor([] { return hl::Control(ProgressBar).visible; }, "the job to hash");
    }
    // Odd ways close MainWindow by its close box, even ones choose Exit.
    hl::Give(way % 2 ? Input::CloseBox : Input::Menu, way % 2 ? MainWindow : MenuExit);
    EXPECT_EQ(WaitForExit(), 0);
    // The job may not have opened its file yet: wait for it, or it would wait for ever.
    if (way == 3)
        file.Release("abc");
}

INSTANTIATE_TEST_SUITE_P(Shell, Exit, ::testing::Range(0, 4));

TEST_F(Manual, MenuAndF1OpenTheManualOfTheWorkingDirectory) {
    hl::Give(Input::Menu, MenuManual);
    hl::Give(Input::Key, KeyF1);
    Settle();
    const std::string launch = CurrentDirectory() + "digestorium_manual.pdf||";
    for (const hl::Operation& op : Ops("LaunchProgram"))
        EXPECT_EQ(op.text + std::to_string(op.target), launch + "0");
    EXPECT_EQ(Ops("LaunchProgram").size(), 2u);
    EXPECT_TRUE(Ops("ShowMessage").empty());

    hl::Arrange([](hl::Script& s) { s.launchResult = false; });
    Choose(MenuManual);
    ASSERT_EQ(Ops("ShowMessage").size(), 1u);
    EXPECT_EQ(Ops("ShowMessage")[0].text, "MD5 File Error|Unable to open the Digestorium Manual.");
    EXPECT_EQ(Ops("ShowMessage")[0].target, 0);
    EXPECT_EQ(hl::StatusText(), WelcomeText);
    ExpectCommands(Idle, true);

    // Gone since start-up: nothing happens.
    std::filesystem::remove(std::filesystem::path(Folder()) / "digestorium_manual.pdf");
    hl::Give(Input::Menu, MenuManual);
    hl::Give(Input::Key, KeyF1);
    Settle();
    EXPECT_EQ(Ops("LaunchProgram").size(), 3u);
    EXPECT_EQ(Ops("ShowMessage").size(), 1u);
}

class MainWindowFails : public ScenarioTest {
protected:
    void BeforeStart() override {
        hl::Arrange([](hl::Script& s) { s.failingWindows.insert(MainWindow); });
    }
};

TEST_F(MainWindowFails, ProgramEndsAtOnce) {
    EXPECT_EQ(WaitForExit(), 0);
    EXPECT_TRUE(hl::Recorded().operations.empty());
}

} // namespace
} // namespace dg::scenario
