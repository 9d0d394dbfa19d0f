// The shell: start-up, the main window, the command states, the About window, the manual
// and the exit.
#include "scenario.h"

#include "common/site.h"
#include "platform/qt/qt_backend.h"
#include "platform/system.h"

#include <QAction>
#include <QMenuBar>
#include <QTableView>

namespace dg::scenario {
namespace {

using Commands = ScenarioTest;
using Exit = ScenarioTest;

// The manual in the working directory at start-up.
class Manual : public ScenarioTest {
protected:
    void BeforeStart() override { WriteFile("digestorium_manual.pdf", "%PDF-1.4\n"); }
};

TEST_F(Manual, StartUpShowsMainWindowWithItsMenusAndTheJobControlsHidden) {
    ExpectWindow(MainWindow, expected::MainTitle, expected::MainControls);
    for (int control : {CancelButton, ProgressBar, WorkingLabel, FileField})
        EXPECT_EQ(Visible(control), control == FileField) << control;
    std::vector<std::string> built, wanted;
    OnGui([&] {
        QWidget* top = qt::WindowWidget(MainWindow);
        const auto* list = qobject_cast<QTableView*>(qt::FindControl(ResultList)->widget);
        for (int column = 0; column < list->model()->columnCount(); ++column)
            built.push_back(
                list->model()->headerData(column, Qt::Horizontal).toString().toStdString() +
                std::to_string(list->columnWidth(column)));
        for (const QAction* menu : top->findChild<QMenuBar*>()->actions())
            for (const QAction* action : menu->menu()->actions())
                for (int item = 0; item < MenuItemCount; ++item)
                    if (qt::MenuAction(item) == action)
                        built.push_back(menu->text().toStdString() + std::to_string(item) +
                                        action->text().toStdString());
    });
    for (const expected::Column& column : expected::ResultColumns)
        wanted.push_back(column.title + std::to_string(column.width));
    for (const expected::MenuEntry& entry : expected::MainMenu)
        wanted.push_back(entry.menu + std::to_string(entry.item) + entry.label);
    EXPECT_EQ(built, wanted);
    // Every menu shortcut: Alt+F4, registered at start-up only, and those of a restore.
    EXPECT_EQ(std::ranges::count(ShortcutValues(), AltKey + KeyF4), 1);
    ExpectCommands(Unlocked, true);
}

// About locks the commands until it closes. Without the manual at start-up its item is
// greyed and F1 unknown; once it is in place, the next restore offers both. Alt+F4 is not
// registered again after the first lock.
TEST_F(Commands, LockAndRestoreSwitchExactlyTheCommands) {
    Choose(MenuAbout);
    ExpectWindow(AboutWindow, expected::AboutTitle, expected::AboutControls);
    EXPECT_EQ(GetControlText(AboutNoticeLabel),
              expected::AboutNotice + std::string(DistributionSite));
    ExpectCommands(Locked);
    EXPECT_FALSE(MenuEnabled(MenuManual));
    Click(AboutOkButton);
    Settle();
    EXPECT_EQ(ShortcutValues(), RestoredShortcuts(false));
    ExpectCommands(Unlocked);

    WriteFile("digestorium_manual.pdf", "%PDF");
    Choose(MenuAbout);
    CloseBox(AboutWindow);
    ExpectCommands(Unlocked, true);
    // The lock leaves the manual's item alone.
    Choose(MenuAbout);
    ExpectCommands(Locked);
    EXPECT_TRUE(MenuEnabled(MenuManual));
}

TEST_F(Commands, UnknownEventsAndNumbersAreIgnored) {
    // Commands that arrive with later work, and kinds the loop does not handle.
    Queue(EventControl, CancelButton, MainWindow, ButtonClicked);
    Queue(EventControl, DirectoryOkButton, DirectoryWindow, ButtonClicked);
    Queue(EventMenu, 42, MainWindow);
    Queue(EventCloseWindow, DirectoryWindow, DirectoryWindow);
    Queue(static_cast<EventKind>(5), BrowseButton, MainWindow);
    Queue(EventControl, ResultList, MainWindow, ListRightClick);
    Settle();
    EXPECT_EQ(Status(), WelcomeText);
    EXPECT_TRUE(Recorded().dialogs.empty());
    ExpectCommands(Unlocked);
    EXPECT_FALSE(Ended());
}

// The close box ends the program with code 0, though a job runs. File > Exit stays enabled
// while the commands are locked.
TEST_F(Exit, ClosingWhileAFileIsHashedEndsWithCodeZero) {
    BlockingFile file(Folder(), "slow.bin");
    Click(BrowseButton);
    Answer(file.Path());
    WaitFor([] { return Visible(ProgressBar); }, "the job to hash");
    CloseBox(MainWindow);
    EXPECT_EQ(WaitForExit(), 0);
    // The job may not have opened its file yet: wait for it, or it would wait for ever.
    file.Release("abc");
}

TEST_F(Manual, MenuAndF1OpenTheManualOfTheWorkingDirectory) {
    Choose(MenuManual);
    Key(KeyF1);
    const std::string manual = CurrentDirectory() + "digestorium_manual.pdf";
    WaitFor([] { return Launched().size() == 2; }, "two launches");
    EXPECT_EQ(Launched(), (std::vector<std::string>{manual, manual}));
    EXPECT_TRUE(Recorded().messages.empty());

    LaunchFails(true);
    Choose(MenuManual);
    EXPECT_EQ(Recorded().messages,
              std::vector<std::string>{"MD5 File Error|Unable to open the Digestorium Manual."});
    EXPECT_EQ(Status(), WelcomeText);
    ExpectCommands(Unlocked, true);

    // Gone since start-up: nothing happens.
    LaunchFails(false);
    std::filesystem::remove(std::filesystem::path(Folder()) / "digestorium_manual.pdf");
    Choose(MenuManual);
    Key(KeyF1);
    EXPECT_EQ(Recorded().messages.size(), 1u);
    EXPECT_EQ(Launched().size(), 2u);
}

} // namespace
} // namespace dg::scenario
