// The shell: start-up, the main window, the command states, the selection handler, the
// About window, the manual and the exit.
#include "scenario.h"

#include "common/site.h"
#include "platform/system.h"

#include <algorithm>
#include <filesystem>

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

int CountOperations(const std::string& name, int target) {
    const auto operations = hl::Operations();
    return static_cast<int>(std::count_if(operations.begin(), operations.end(), [&](auto& op) {
        return op.name == name && op.target == target;
    }));
}

TEST_F(StartUp, ShowsTheWelcomeWithTheJobControlsHidden) {
    EXPECT_EQ(hl::StatusText(), WelcomeText);
    for (int control : {CancelButton, ProgressBar, WorkingLabel})
        EXPECT_FALSE(hl::Control(control).visible) << "control " << control;
    for (int control : {FileField, BrowseButton, ResultList, CheckButton, ListDirectoryButton})
        EXPECT_TRUE(hl::Control(control).visible) << "control " << control;
    EXPECT_EQ(hl::ActiveWindow(), MainWindow);
    ExpectIdle(false);
    EXPECT_EQ(ShortcutValues(MainWindow).back(), AltKey + KeyF4);

    // Start-up ends by hiding the job controls in this order, then greeting.
    const auto operations = hl::Operations();
    ASSERT_GE(operations.size(), 4u);
    std::vector<std::string> last;
    for (auto op = operations.end() - 4; op != operations.end(); ++op)
        last.push_back(op->name + " " + std::to_string(op->target));
    EXPECT_EQ(last, (std::vector<std::string>{"HideControl 15", "HideControl 10", "HideControl 16",
                                              "SetStatusText 0"}));
    EXPECT_FALSE(ShortcutFor(KeyF1));
}

TEST_F(StartUpWithManual, OffersTheManualAndF1) {
    ExpectIdle(true);
    EXPECT_EQ(ShortcutValues(MainWindow).back(), KeyF1);
}

TEST_F(StartUp, BuildsMainWindowAsLaidOut) {
    const hl::WindowState window = hl::Window(MainWindow);
    EXPECT_EQ(window.title, "Digestorium V4.0.0");
    EXPECT_EQ(window.innerWidth, 560);
    EXPECT_EQ(window.innerHeight, 295);
    EXPECT_EQ(window.attributes, WindowMinimizeBox);
    EXPECT_EQ(window.statusFieldWidth, 560);
    EXPECT_EQ(window.controls,
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16}));

    using K = ControlKind;
    struct Expected {
        int control;
        K kind;
        ControlRect rect;
        const char* text;
        int style;
    };
    const int upper = FieldReadOnly | FieldUpperCase;
    const Expected layout[] = {
        {FileField, K::TextField, {15, 10, 458, 20}, "", FieldReadOnly},
        {FileHashField, K::TextField, {15, 40, 223, 20}, "", upper},
        {CheckHashField, K::TextField, {15, 70, 223, 20}, "", upper},
        {BrowseButton, K::Button, {483, 10, 35, 20}, "---", 0},
        {FileHashLabel, K::Label, {483, 40, 50, 20}, "File MD5", 0},
        {CheckHashLabel, K::Label, {483, 70, 60, 20}, "Check MD5", 0},
        {ResultList, K::List, {15, 100, 528, 95}, "", 0},
        {FileHashLowerField, K::TextField, {250, 40, 223, 20}, "", FieldReadOnly | FieldLowerCase},
        {VerdictField, K::TextField, {250, 70, 223, 20}, "", upper | FieldCentred},
        {CheckButton, K::Button, {15, 205, 135, 20}, "MD5 Check", 0},
        {ProgressBar, K::Bar, {67, 230, 477, 10}, "", 0},
        {ListDirectoryButton, K::Button, {216, 205, 135, 20}, "List Directory", 0},
        {TextReportButton, K::Button, {409, 205, 135, 20}, "List to Text File", 0},
        {CancelButton, K::Button, {216, 205, 135, 20}, "Cancel", 0},
        {WorkingLabel, K::Label, {15, 229, 50, 15}, "Working...", 0},
    };
    for (const Expected& expected : layout) {
        const hl::ControlState control = hl::Control(expected.control);
        SCOPED_TRACE("control " + std::to_string(expected.control));
        EXPECT_EQ(control.kind, expected.kind);
        EXPECT_EQ(control.rect.x, expected.rect.x);
        EXPECT_EQ(control.rect.y, expected.rect.y);
        EXPECT_EQ(control.rect.width, expected.rect.width);
        EXPECT_EQ(control.rect.height, expected.rect.height);
        EXPECT_EQ(control.text, expected.text);
        EXPECT_EQ(control.style, expected.style);
        EXPECT_FALSE(control.isDefault);
    }
    const auto columns = hl::Control(ResultList).columns;
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].title, "File Name");
    EXPECT_EQ(columns[0].width, 274);
    EXPECT_EQ(columns[1].title, "MD5");
    EXPECT_EQ(columns[1].width, 230);
    EXPECT_EQ(hl::Control(ProgressBar).value, 0);
}

TEST_F(StartUpWithManual, BuildsTheMenusWithEachShortcutBesideItsItem) {
    const auto menus = hl::Menus();
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].label, "&File");
    EXPECT_EQ(menus[1].label, "&Help");
    const std::vector<std::pair<int, std::string>> file = {
        {MenuSelectFile, "Select &File\tCtrl+F"},
        {MenuListDirectory, "List &Directory\tCtrl+D"},
        {MenuCheck, "MD5 &Check\tCtrl+C"},
        {MenuTextReport, "List to &Text File\tCtrl+T"},
        {MenuCsvReport, "List to CS&V File\tCtrl+V"},
        {MenuHtmlReport, "List to HTML File\tCtrl+H"},
        {MenuClearList, "Clear List\tCtrl+L"},
        {MenuExit, "E&xit\tAlt+F4"},
    };
    ASSERT_EQ(menus[0].items.size(), file.size());
    for (std::size_t i = 0; i < file.size(); ++i) {
        EXPECT_EQ(menus[0].items[i].item, file[i].first);
        EXPECT_EQ(menus[0].items[i].label, file[i].second);
    }
    ASSERT_EQ(menus[1].items.size(), 2u);
    EXPECT_EQ(menus[1].items[0].item, MenuManual);
    EXPECT_EQ(menus[1].items[0].label, "Digestorium Manual (PDF)\tF1");
    EXPECT_EQ(menus[1].items[1].item, MenuAbout);
    EXPECT_EQ(menus[1].items[1].label, "&About");

    // Each shortcut is registered right after its item is appended.
    const std::vector<std::pair<int, int>> pairs = {
        {MenuSelectFile, CtrlKey + 'F'},
        {MenuListDirectory, CtrlKey + 'D'},
        {MenuCheck, CtrlKey + 'C'},
        {MenuTextReport, CtrlKey + 'T'},
        {MenuCsvReport, CtrlKey + 'V'},
        {MenuHtmlReport, CtrlKey + 'H'},
        {MenuClearList, CtrlKey + 'L'},
        {MenuExit, AltKey + KeyF4},
        {MenuManual, KeyF1},
    };
    std::vector<std::pair<int, int>> seen;
    int lastItem = -1;
    for (const hl::Operation& op : hl::Operations()) {
        if (op.name == "AddMenuItem")
            lastItem = op.target;
        else if (op.name == "AddShortcut")
            seen.emplace_back(lastItem, op.target);
    }
    EXPECT_EQ(seen, pairs);
    for (const auto& [item, value] : pairs) {
        const auto shortcuts = hl::Shortcuts(MainWindow);
        EXPECT_TRUE(
            std::any_of(shortcuts.begin(), shortcuts.end(),
                        [&](const hl::Shortcut& s) { return s.value == value && s.item == item; }))
            << "shortcut " << value;
    }
}

TEST_F(Commands, LockAndRestoreSwitchExactlyTheCommands) {
    ASSERT_TRUE(ShortcutFor(AltKey + KeyF4));
    hl::ChooseMenuItem(MenuAbout);
    WaitFor([] { return hl::Window(AboutWindow).open; }, "AboutWindow");
    Settle();
    ExpectLocked();
    EXPECT_FALSE(hl::MenuItem(MenuManual).enabled); // absent, and left alone by the lock

    const auto before = hl::Operations().size();
    hl::ClickButton(AboutOkButton);
    WaitFor([] { return !hl::Window(AboutWindow).open; }, "AboutWindow to close");
    Settle();
    ExpectIdle(false);
    // Alt+F4 is not registered again once the commands were locked.
    EXPECT_EQ(ShortcutValues(MainWindow), RestoredShortcuts(false));

    // Menu items, then controls, then the manual rule greys the absent manual again.
    std::vector<int> targets;
    const auto operations = hl::Operations();
    for (auto op = operations.begin() + static_cast<long>(before); op != operations.end(); ++op)
        if (op->name == "DisableMenuItem" || op->name == "DisableControl")
            targets.push_back(op->target);
    EXPECT_EQ(targets, (std::vector<int>{2, 1, 0, 3, 4, 5, 6, 8, 9, 11, 12, 9, 3, 6, 8}));
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

TEST_F(Commands, ShortcutsActOnlyWhileMainWindowIsActive) {
    hl::PressKey(CtrlKey + 'L');
    WaitFor(
        [] { return hl::StatusText() == "List cleared.  Please select file or list directory."; },
        "Ctrl+L to clear the list");

    hl::MinimizeWindow(MainWindow);
    hl::PressKey(CtrlKey + 'L');
    Settle();
    EXPECT_EQ(hl::Window(MainWindow).state, WindowMinimized);
    EXPECT_EQ(hl::ActiveWindow(), -1);
    EXPECT_EQ(CountOperations("ClearList", ResultList), 1);
}

TEST_F(Commands, UnknownEventsAndNumbersAreIgnored) {
    // Commands that arrive with later work, and kinds the loop does not handle.
    hl::PostEvent(EventControl, CancelButton, MainWindow, ButtonClicked);
    hl::PostEvent(EventControl, DirectoryOkButton, DirectoryWindow, ButtonClicked);
    hl::PostEvent(EventMenu, 42, MainWindow, 0);
    hl::PostEvent(EventCloseWindow, DirectoryWindow, DirectoryWindow, 0);
    hl::PostEvent(5, BrowseButton, MainWindow, 0);
    hl::PostEvent(EventControl, ResultList, MainWindow, ListRightClick);
    const auto before = hl::Operations().size();
    Settle();
    EXPECT_EQ(hl::Operations().size(), before);
    EXPECT_EQ(hl::StatusText(), WelcomeText);
    EXPECT_FALSE(Ended());
}

TEST_F(Selection, EmptyListReportsNoSelectionAndKeepsTheFields) {
    ListFile(WriteFile("abc.txt", "abc"));
    hl::ChooseMenuItem(MenuClearList);
    Settle();
    EXPECT_EQ(hl::StatusText(), "List cleared.  Please select file or list directory.");
    EXPECT_TRUE(hl::Control(ResultList).rows.empty());
    EXPECT_EQ(hl::Control(FileField).text, "abc.txt");

    hl::ClickListRow(ResultList, -1);
    WaitFor([] { return hl::StatusText().rfind("No file selected or list", 0) == 0; },
            "the no-selection text");
    Settle();
    EXPECT_EQ(hl::StatusText(),
              "No file selected or list is empty.  Please select file or list directory.");
    EXPECT_EQ(hl::Control(FileField).text, "abc.txt");
    EXPECT_EQ(hl::Control(FileHashField).text, Upper(AbcMd5));
    EXPECT_EQ(hl::Control(FileHashLowerField).text, AbcMd5);
}

TEST_F(Selection, ClickingARowFillsTheFieldsThenChecks) {
    ListFile(WriteFile("abc.txt", "abc"));
    ListFile(WriteFile("empty.bin", ""));
    hl::SetClipboardText(AbcMd5);
    const auto before = hl::Operations().size();

    hl::ClickListRow(ResultList, 0);
    WaitFor([] { return hl::StatusText() == "MD5 Match"; }, "the check after the selection");
    Settle();
    EXPECT_EQ(hl::Control(FileField).text, "abc.txt");
    EXPECT_EQ(hl::Control(FileHashField).text, Upper(AbcMd5));
    EXPECT_EQ(hl::Control(FileHashLowerField).text, AbcMd5);
    EXPECT_EQ(hl::Control(VerdictField).text, "MD5 MATCH");

    std::vector<std::string> statuses;
    const auto operations = hl::Operations();
    for (auto op = operations.begin() + static_cast<long>(before); op != operations.end(); ++op)
        if (op->name == "SetStatusText")
            statuses.push_back(op->text);
    // A click that selects a row raises a selection change and a click: the handler runs twice.
    EXPECT_EQ(statuses, (std::vector<std::string>{"File abc.txt Selected.", "MD5 Match",
                                                  "File abc.txt Selected.", "MD5 Match"}));

    // Moving the selection with the keys runs the same handler.
    hl::SelectListRowByKey(ResultList, 1);
    WaitFor([] { return hl::Control(FileField).text == "empty.bin"; }, "the second row");
    WaitFor([] { return hl::StatusText() == "MD5 Mismatch."; }, "its check");
    EXPECT_EQ(hl::Control(FileHashLowerField).text, EmptyMd5);

    // Clicking below the last row deselects: one selection change, then the click.
    const auto selected = hl::Operations().size();
    hl::ClickListRow(ResultList, -1);
    Settle();
    const auto after = hl::Operations();
    const auto noSelection = std::count_if(
        after.begin() + static_cast<long>(selected), after.end(), [](const hl::Operation& op) {
            return op.text ==
                   "No file selected or list is empty.  Please select file or list directory.";
        });
    EXPECT_EQ(noSelection, 2);
    EXPECT_EQ(hl::Control(FileField).text, "empty.bin");
}

TEST_F(About, ShowsItsTextsByteForByte) {
    hl::ChooseMenuItem(MenuAbout);
    WaitFor([] { return hl::Window(AboutWindow).open; }, "AboutWindow");
    Settle();
    const hl::WindowState window = hl::Window(AboutWindow);
    EXPECT_EQ(window.title, "Digestorium About");
    EXPECT_EQ(window.innerWidth, 402);
    EXPECT_EQ(window.innerHeight, 183);
    EXPECT_EQ(window.attributes & WindowMinimizeBox, 0);
    EXPECT_TRUE(window.keepOnTop);
    EXPECT_EQ(hl::ActiveWindow(), AboutWindow);
    EXPECT_EQ(window.controls, (std::vector<int>{17, 18, 19, 20, 21, 22, 23}));

    EXPECT_EQ(hl::Control(AboutTextLine1).text,
              "Digestorium is a utility program to generate and check file MD5 Hashes.  This");
    // Natively the code page is UTF-8; the logic tests under Wine run without the manifest.
    const std::string quoted = AnsiCodePageIsUtf8() ? "\xE2\x80\x98"
                                                      "as is\xE2\x80\x99"
                                                    : "\x91"
                                                      "as is\x92";
    EXPECT_EQ(hl::Control(AboutTextLine2).text, "software is provided as Freeware on an " + quoted +
                                                    " basis, without any express or implied ");
    EXPECT_EQ(hl::Control(AboutTextLine3).text,
              "warranty.  In no event shall the author be liable for any claim, damages or other ");
    EXPECT_EQ(hl::Control(AboutTextLine4).text,
              "liability, arising from, out of, or in connection with the software or the use or ");
    EXPECT_EQ(hl::Control(AboutTextLine5).text, "dealings in the software.");
    const hl::ControlState ok = hl::Control(AboutOkButton);
    EXPECT_EQ(ok.text, "OK");
    EXPECT_TRUE(ok.isDefault);

    const hl::ControlState notice = hl::Control(AboutNoticeLabel);
    for (const std::string part : {"\xA9", "2026", "The Digestorium developers", "Website"})
        EXPECT_NE(notice.text.find(part), std::string::npos) << part;
    EXPECT_NE(notice.text.find(std::string(DistributionSite)), std::string::npos);
    EXPECT_EQ(notice.text.find("http"), std::string::npos);
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
