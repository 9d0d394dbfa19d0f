// The shell: start-up, the main window, the command states, the selection handler, the
// About window, the manual and the exit.
#include "scenario.h"

#include "expected_ui.h"

#include "common/site.h"
#include "platform/system.h"

#include <algorithm>
#include <filesystem>
#include <span>

namespace dg::scenario {
namespace {

using StartUp = ScenarioTest;
using StartUpWithManual = ScenarioWithManual;
using Commands = ScenarioTest;
using CommandsWithManual = ScenarioWithManual;
using Selection = ScenarioTest;
using About = ScenarioTest;
using Exit = ScenarioTest;
using Manual = ScenarioWithManual;
using ManualAbsent = ScenarioTest;

// The expected text in the running code page: natively UTF-8, while the logic tests under Wine
// run without the program's manifest, in code page 1252.
std::string InCodePage(std::string text) {
    if (AnsiCodePageIsUtf8())
        return text;
    for (const auto& [utf8, ansi] :
         {std::pair{"\xE2\x80\x98", "\x91"}, std::pair{"\xE2\x80\x99", "\x92"},
          std::pair{"\xC2\xA9", "\xA9"}})
        for (auto at = text.find(utf8); at != std::string::npos; at = text.find(utf8))
            text.replace(at, std::string(utf8).size(), ansi);
    return text;
}

// The controls of a window where the table places them.
void ExpectPlaced(std::span<const expected::Placed> table) {
    for (const expected::Placed& placed : table) {
        SCOPED_TRACE("control " + std::to_string(placed.control));
        const hl::ControlState control = hl::Control(placed.control);
        EXPECT_EQ(control.rect.x, placed.x);
        EXPECT_EQ(control.rect.y, placed.y);
        EXPECT_EQ(control.rect.width, placed.width);
        EXPECT_EQ(control.rect.height, placed.height);
        if (placed.text) {
            EXPECT_EQ(control.text, InCodePage(placed.text));
        }
        EXPECT_EQ(control.style, placed.style);
        EXPECT_EQ(control.isDefault, placed.control == AboutOkButton);
    }
}

TEST_F(StartUp, ShowsMainWindowAsLaidOutWithTheJobControlsHidden) {
    const hl::WindowState window = hl::Window(MainWindow);
    EXPECT_EQ(window.title, expected::MainTitle);
    EXPECT_EQ(window.innerWidth, expected::MainWidth);
    EXPECT_EQ(window.innerHeight, expected::MainHeight);
    EXPECT_EQ(window.attributes, WindowMinimizeBox);
    EXPECT_EQ(window.statusFieldWidth, expected::MainWidth);
    ExpectPlaced(expected::MainControls);
    std::vector<int> created;
    for (const expected::Placed& placed : expected::MainControls) {
        created.push_back(placed.control);
        const bool jobControl = placed.control == CancelButton || placed.control == ProgressBar ||
                                placed.control == WorkingLabel;
        EXPECT_EQ(hl::Control(placed.control).visible, !jobControl) << placed.control;
    }
    EXPECT_EQ(window.controls, created);
    const auto columns = hl::Control(ResultList).columns;
    ASSERT_EQ(columns.size(), std::size(expected::ResultColumns));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].title, expected::ResultColumns[i].title);
        EXPECT_EQ(columns[i].width, expected::ResultColumns[i].width);
    }
    EXPECT_EQ(hl::StatusText(), WelcomeText);
    EXPECT_EQ(hl::ActiveWindow(), MainWindow);
    ExpectIdle(false);
    EXPECT_TRUE(ShortcutFor(AltKey + KeyF4));
}

TEST_F(StartUpWithManual, BuildsTheMenusWithTheirShortcuts) {
    const auto menus = hl::Menus();
    const auto shortcuts = hl::Shortcuts(MainWindow);
    std::vector<std::pair<std::string, hl::MenuItemState>> built;
    for (const hl::MenuState& menu : menus)
        for (const hl::MenuItemState& item : menu.items)
            built.emplace_back(menu.label, item);
    ASSERT_EQ(built.size(), std::size(expected::MainMenu));
    for (std::size_t i = 0; i < built.size(); ++i) {
        const expected::MenuEntry& entry = expected::MainMenu[i];
        EXPECT_EQ(built[i].first, entry.menu);
        EXPECT_EQ(built[i].second.item, entry.item);
        EXPECT_EQ(built[i].second.label, entry.label);
        const bool registered = std::any_of(shortcuts.begin(), shortcuts.end(), [&](auto& s) {
            return s.value == entry.shortcut && s.item == entry.item;
        });
        EXPECT_EQ(registered, entry.shortcut != 0) << entry.label;
    }
    ExpectIdle(true);
}

TEST_F(Commands, LockAndRestoreSwitchExactlyTheCommands) {
    ASSERT_TRUE(ShortcutFor(AltKey + KeyF4));
    hl::ChooseMenuItem(MenuAbout);
    WaitFor([] { return hl::Window(AboutWindow).open; }, "AboutWindow");
    Settle();
    ExpectLocked();
    EXPECT_FALSE(hl::MenuItem(MenuManual).enabled); // absent, and left alone by the lock

    hl::ClickButton(AboutOkButton);
    WaitFor([] { return !hl::Window(AboutWindow).open; }, "AboutWindow to close");
    Settle();
    ExpectIdle(false);
    // Alt+F4 is not registered again once the commands were locked.
    EXPECT_EQ(ShortcutValues(MainWindow), RestoredShortcuts(false));
}

TEST_F(CommandsWithManual, LockKeepsTheManualAndRestoreGivesF1Back) {
    hl::ChooseMenuItem(MenuAbout);
    WaitFor([] { return hl::Window(AboutWindow).open; }, "AboutWindow");
    Settle();
    ExpectLocked();
    EXPECT_TRUE(hl::MenuItem(MenuManual).enabled);
    EXPECT_FALSE(ShortcutFor(KeyF1));

    hl::PressCloseBox(AboutWindow);
    WaitFor([] { return !hl::Window(AboutWindow).open; }, "AboutWindow to close");
    Settle();
    ExpectIdle(true);
    EXPECT_EQ(ShortcutValues(MainWindow), RestoredShortcuts(true));
}

TEST_F(Commands, ManualPutInPlaceLaterIsOfferedAtTheNextRestore) {
    WriteFile("digestorium_manual.pdf", "%PDF");
    EXPECT_FALSE(hl::MenuItem(MenuManual).enabled);
    hl::ChooseMenuItem(MenuAbout);
    hl::ClickButton(AboutOkButton);
    Settle();
    ExpectIdle(true);
}

TEST_F(Commands, UnknownEventsAndNumbersAreIgnored) {
    // Commands that arrive with later work, and kinds the loop does not handle.
    hl::PostEvent(EventControl, CancelButton, MainWindow, ButtonClicked);
    hl::PostEvent(EventControl, DirectoryOkButton, DirectoryWindow, ButtonClicked);
    hl::PostEvent(EventMenu, 42, MainWindow, 0);
    hl::PostEvent(EventCloseWindow, DirectoryWindow, DirectoryWindow, 0);
    hl::PostEvent(5, BrowseButton, MainWindow, 0);
    hl::PostEvent(EventControl, ResultList, MainWindow, ListRightClick);
    Settle();
    EXPECT_EQ(hl::StatusText(), WelcomeText);
    EXPECT_TRUE(hl::FileDialogCalls().empty());
    ExpectIdle(false);
    EXPECT_FALSE(Ended());
}

const std::string NoSelectionText =
    "No file selected or list is empty.  Please select file or list directory.";

TEST_F(Selection, EmptyListReportsNoSelectionAndKeepsTheFields) {
    ListFile(WriteFile("abc.txt", "abc"));
    hl::ChooseMenuItem(MenuClearList);
    Settle();
    EXPECT_EQ(hl::StatusText(), "List cleared.  Please select file or list directory.");
    EXPECT_TRUE(hl::Control(ResultList).rows.empty());

    hl::ClickListRow(ResultList, -1);
    WaitFor([] { return hl::StatusText() == NoSelectionText; }, "the no-selection text");
    EXPECT_EQ(hl::Control(FileField).text, "abc.txt");
    EXPECT_EQ(hl::Control(FileHashField).text, Upper(AbcMd5));
    EXPECT_EQ(hl::Control(FileHashLowerField).text, AbcMd5);
}

TEST_F(Selection, SelectingARowFillsTheFieldsThenChecks) {
    ListFile(WriteFile("abc.txt", "abc"));
    ListFile(WriteFile("empty.bin", ""));
    hl::SetClipboardText(AbcMd5);

    hl::ClickListRow(ResultList, 0);
    WaitFor([] { return hl::StatusText() == "MD5 Match"; }, "the check after the selection");
    EXPECT_EQ(hl::Control(FileField).text, "abc.txt");
    EXPECT_EQ(hl::Control(FileHashField).text, Upper(AbcMd5));
    EXPECT_EQ(hl::Control(FileHashLowerField).text, AbcMd5);
    EXPECT_EQ(hl::Control(VerdictField).text, "MD5 MATCH");
    const auto operations = hl::Operations();
    EXPECT_TRUE(std::any_of(operations.begin(), operations.end(),
                            [](auto& op) { return op.text == "File abc.txt Selected."; }));

    // Moving the selection with the keys runs the same handler.
    hl::SelectListRowByKey(ResultList, 1);
    WaitFor([] { return hl::StatusText() == "MD5 Mismatch."; }, "the second row's check");
    EXPECT_EQ(hl::Control(FileField).text, "empty.bin");
    EXPECT_EQ(hl::Control(FileHashLowerField).text, EmptyMd5);

    hl::ClickListRow(ResultList, -1);
    WaitFor([] { return hl::StatusText() == NoSelectionText; }, "the deselection");
    EXPECT_EQ(hl::Control(FileField).text, "empty.bin");
}

TEST_F(About, ShowsItsTextsByteForByte) {
    hl::ChooseMenuItem(MenuAbout);
    WaitFor([] { return hl::Window(AboutWindow).open; }, "AboutWindow");
    Settle();
    const hl::WindowState window = hl::Window(AboutWindow);
    EXPECT_EQ(window.title, expected::AboutTitle);
    EXPECT_EQ(window.innerWidth, expected::AboutWidth);
    EXPECT_EQ(window.innerHeight, expected::AboutHeight);
    EXPECT_EQ(window.attributes & WindowMinimizeBox, 0);
    EXPECT_TRUE(window.keepOnTop);
    EXPECT_EQ(hl::ActiveWindow(), AboutWindow);
    EXPECT_EQ(window.controls.size(), std::size(expected::AboutControls));
    ExpectPlaced(expected::AboutControls);
    EXPECT_EQ(hl::Control(AboutNoticeLabel).text,
              InCodePage(expected::AboutNotice) + std::string(DistributionSite));
}

TEST_F(About, ClosingRestoresAndActivatesMainWindow) {
    hl::ChooseMenuItem(MenuAbout);
    WaitFor([] { return hl::Window(AboutWindow).open; }, "AboutWindow");
    hl::MinimizeWindow(MainWindow);
    WaitFor([] { return hl::Window(MainWindow).state == WindowMinimized; }, "the minimize");
    // Shortcuts do nothing while AboutWindow is the active window; Alt+F4 closes it.
    hl::ClickOnWindow(AboutWindow);
    hl::PressKey(AltKey + KeyF4);
    WaitFor([] { return !hl::Window(AboutWindow).open; }, "AboutWindow to close");
    Settle();
    EXPECT_EQ(hl::Window(MainWindow).state, WindowNormal);
    EXPECT_EQ(hl::ActiveWindow(), MainWindow);
    EXPECT_FALSE(Ended());
    ExpectIdle(false);
}

TEST_F(About, WindowThatCannotBeMadeLeavesTheCommandsAlone) {
    hl::FailWindowOpen(AboutWindow);
    hl::ChooseMenuItem(MenuAbout);
    Settle();
    EXPECT_FALSE(hl::Window(AboutWindow).open);
    ExpectIdle(false);
}

TEST_F(Exit, MenuExitEndsWithCodeZero) {
    hl::ChooseMenuItem(MenuExit);
    EXPECT_EQ(WaitForExit(), 0);
    EXPECT_FALSE(hl::Window(MainWindow).open);
}

TEST_F(Exit, CloseBoxEndsWithCodeZero) {
    hl::PressCloseBox(MainWindow);
    EXPECT_EQ(WaitForExit(), 0);
}

TEST_F(Exit, AltF4IsTheExitShortcutAtFirst) {
    hl::PressKey(AltKey + KeyF4);
    EXPECT_EQ(WaitForExit(), 0);
}

TEST_F(Exit, AltF4AfterTheFirstLockIsTheCloseGesture) {
    hl::ChooseMenuItem(MenuAbout);
    hl::ClickButton(AboutOkButton);
    Settle();
    ASSERT_FALSE(ShortcutFor(AltKey + KeyF4));
    hl::PressKey(AltKey + KeyF4);
    EXPECT_EQ(WaitForExit(), 0);
}

TEST_F(Exit, WithAboutOpenBothWindowsClose) {
    hl::ChooseMenuItem(MenuAbout);
    WaitFor([] { return hl::Window(AboutWindow).open; }, "AboutWindow");
    hl::ChooseMenuItem(MenuExit);
    EXPECT_EQ(WaitForExit(), 0);
    EXPECT_FALSE(hl::Window(AboutWindow).open);
    EXPECT_FALSE(hl::Window(MainWindow).open);
}

TEST_F(Exit, WhileAJobHashesTheProgramEndsWithoutIt) {
    BlockingFile file(Folder(), "slow.bin");
    hl::QueueFileDialogAnswer(file.Path());
    hl::ClickButton(BrowseButton);
    WaitFor([] { return hl::Control(ProgressBar).visible; }, "the job to hash");
    hl::PressCloseBox(MainWindow);
    EXPECT_EQ(WaitForExit(), 0);
    file.Release("abc");
}

TEST_F(Manual, CommandOpensTheManualOfTheWorkingDirectory) {
    hl::ChooseMenuItem(MenuManual);
    WaitFor([] { return !hl::LaunchCalls().empty(); }, "the launch");
    hl::PressKey(KeyF1);
    WaitFor([] { return hl::LaunchCalls().size() == 2; }, "the launch by F1");
    for (const hl::LaunchCall& call : hl::LaunchCalls()) {
        EXPECT_EQ(call.program, CurrentDirectory() + "digestorium_manual.pdf");
        EXPECT_EQ(call.parameters, "");
        EXPECT_EQ(call.workingDirectory, "");
        EXPECT_EQ(call.flags, 0);
    }
    EXPECT_TRUE(hl::MessageCalls().empty());
}

TEST_F(Manual, FailureToOpenItIsShownInAMessageBox) {
    hl::SetLaunchResult(0);
    hl::ChooseMenuItem(MenuManual);
    WaitFor([] { return !hl::MessageCalls().empty(); }, "the message box");
    Settle();
    const auto messages = hl::MessageCalls();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "MD5 File Error");
    EXPECT_EQ(messages[0].text, "Unable to open the Digestorium Manual.");
    EXPECT_EQ(messages[0].flags, 0);
    EXPECT_EQ(hl::StatusText(), WelcomeText);
    ExpectIdle(true);
}

TEST_F(Manual, GoneSinceStartUpDoesNothing) {
    std::filesystem::remove(std::filesystem::path(Folder()) / "digestorium_manual.pdf");
    hl::ChooseMenuItem(MenuManual);
    hl::PressKey(KeyF1);
    Settle();
    EXPECT_TRUE(hl::LaunchCalls().empty());
    EXPECT_TRUE(hl::MessageCalls().empty());
    EXPECT_EQ(hl::StatusText(), WelcomeText);
}

TEST_F(ManualAbsent, F1AndTheGreyedItemDoNothing) {
    EXPECT_FALSE(hl::MenuItem(MenuManual).enabled);
    EXPECT_FALSE(ShortcutFor(KeyF1));
    hl::ChooseMenuItem(MenuManual);
    hl::PressKey(KeyF1);
    Settle();
    EXPECT_TRUE(hl::LaunchCalls().empty());
    EXPECT_TRUE(hl::MessageCalls().empty());
}

class MainWindowFails : public ScenarioTest {
protected:
    void BeforeStart() override { hl::FailWindowOpen(MainWindow); }
};

TEST_F(MainWindowFails, ProgramEndsAtOnce) {
    EXPECT_EQ(WaitForExit(), 0);
    EXPECT_FALSE(hl::Window(MainWindow).open);
    EXPECT_TRUE(hl::Operations().empty());
}

} // namespace
} // namespace dg::scenario
