// What the contract leaves to each backend, on the Qt widgets themselves: field styles and
// colours, buttons and close boxes, shortcuts against a focused field, the tree's path, and
// worker calls once the platform is released. Dialogs, message boxes, the clipboard and
// launching are proven through the scenario tests, which run on this backend.
#include "contract/contract.h"
#include "qt/qt_support.h"

#include "platform/qt/qt_backend.h"
#include "platform/threads.h"
#include "platform/tree.h"
#include "platform/ui.h"

#include <QApplication>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <thread>

namespace dg {
namespace {

namespace fs = std::filesystem;

class QtBackend : public ::testing::Test {
protected:
    static void SetUpTestSuite() { contract::StartPlatform(); }
    static void TearDownTestSuite() { contract::EndPlatform(); }
    void SetUp() override {
        ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "Qt", WindowMinimizeBox));
        ASSERT_TRUE(contract::Activate(MainWindow));
    }
    void TearDown() override {
        for (int window = 0; window < WindowCount; ++window)
            CloseWindow(window);
    }
    static QWidget* Widget(int control) { return qt::FindControl(control)->widget; }
};

TEST_F(QtBackend, FieldsConvertCaseAndTakeColours) {
    CreateTextField(MainWindow, FileHashField, {15, 40, 223, 20}, FieldReadOnly | FieldUpperCase);
    CreateTextField(MainWindow, FileHashLowerField, {250, 40, 223, 20}, FieldLowerCase);
    SetControlText(FileHashField, "abcDEF");
    SetControlText(FileHashLowerField, "abcDEF");
    EXPECT_EQ(GetControlText(FileHashField), "ABCDEF");
    EXPECT_EQ(GetControlText(FileHashLowerField), "abcdef");

    const QPalette standard = QApplication::palette(Widget(FileHashField));
    SetControlColor(FileHashField, ColourBackground, 0xFF8040);
    const QPalette coloured = Widget(FileHashField)->palette();
    EXPECT_EQ(coloured.color(QPalette::Active, QPalette::Base), QColor(0x40, 0x80, 0xFF));
    // Disabled, the field is drawn in the default colours.
    EXPECT_EQ(coloured.color(QPalette::Disabled, QPalette::Base),
              standard.color(QPalette::Disabled, QPalette::Base));
    // Unknown numbers are silent.
    SetControlText(ControlCount, "x");
    EXPECT_EQ(GetControlText(ControlCount), "");
}

TEST_F(QtBackend, ButtonClicksAndCloseBoxesBecomeEvents) {
    CreateButton(MainWindow, CheckButton, {15, 205, 135, 20}, "MD5 Check", false);
    auto* button = static_cast<QPushButton*>(Widget(CheckButton));
    // Two clicks are two commands, however soon the second comes.
    button->click();
    button->click();
    EXPECT_EQ(test::EventsUntilNow(EventControl, CheckButton),
              (std::vector<int>{ButtonClicked, ButtonClicked}));

    // The close box asks; the window stays until the logic closes it.
    qt::WindowWidget(MainWindow)->close();
    EXPECT_EQ(WaitEvent(), EventCloseWindow);
    EXPECT_EQ(EventWindowNumber(), MainWindow);
    EXPECT_TRUE(qt::WindowWidget(MainWindow)->isVisible());
}

TEST_F(QtBackend, ShortcutsReachPastAFocusedReadOnlyField) {
    CreateTextField(MainWindow, FileField, {15, 10, 458, 20}, FieldReadOnly);
    ASSERT_TRUE(CreateMenuBar(MainWindow));
    AddMenu("&File");
    AddMenuItem(MenuCheck, "MD5 &Check\tCtrl+C");
    Widget(FileField)->setFocus();
    AddShortcut(MainWindow, CtrlKey + 'C', MenuCheck);
    EXPECT_EQ(contract::MenuItemsFromKey(CtrlKey + 'C'), std::vector<int>{MenuCheck});
    // A greyed item's shortcut does nothing.
    DisableMenuItem(MenuBar, MenuCheck, true);
    EXPECT_EQ(contract::MenuItemsFromKey(CtrlKey + 'C'), std::vector<int>{});
    // Alt+F4 without a shortcut of its own closes the window, as a window manager would.
    test::PressShortcut(AltKey + KeyF4);
    EXPECT_EQ(test::EventsUntilNow(EventCloseWindow, MainWindow), std::vector<int>{0});
}

TEST_F(QtBackend, TreeTextIsTheSelectedFoldersPath) {
    const fs::path folder = fs::temp_directory_path() / "dg-qt-tree";
    fs::create_directories(folder / "inner" / "deeper");
    fs::create_directories(folder / "plain");
    ASSERT_TRUE(OpenWindow(DirectoryWindow, 278, 246, "Tree", 0));
    ASSERT_TRUE(CreateDirectoryTree(DirectoryWindow, DirectoryTree, {0, 0, 279, 224},
                                    folder.string() + "/", TreeProgramFlags));
    EXPECT_EQ(GetControlText(DirectoryTree), folder.string() + "/");
    // The user opens the folder and picks its subfolder.
    auto* tree = static_cast<QTreeWidget*>(Widget(DirectoryTree));
    QTreeWidgetItem* current = tree->currentItem();
    ASSERT_NE(current, nullptr);
    current->setExpanded(true);
    ASSERT_EQ(current->childCount(), 2);
    // Only a folder holding a folder offers to open.
    QTreeWidgetItem* inner = current->child(current->child(0)->text(0) == "inner" ? 0 : 1);
    QTreeWidgetItem* plain = current->child(current->child(0)->text(0) == "inner" ? 1 : 0);
    EXPECT_EQ(inner->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(plain->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
    tree->setCurrentItem(inner);
    EXPECT_EQ(GetControlText(DirectoryTree), folder.string() + "/inner/");
    fs::remove_all(folder);
}

// Once the platform is released, a worker's call returns at once: the process can end with
// jobs still running.
TEST(QtBackendEnd, WorkerCallsAfterReleaseReturnAtOnce) {
    contract::StartPlatform();
    ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "Qt", 0));
    CreateStatusBar(MainWindow, 560);
    contract::EndPlatform();
    std::promise<void> returned;
    std::thread([&returned] {
        SetStatusText(StatusBar, 0, "late");
        returned.set_value();
    }).detach();
    if (returned.get_future().wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // The waiting worker would also hold the process at its end.
        std::fputs("a worker's call made after release never returned\n", stderr);
        std::_Exit(1);
    }
}

} // namespace
} // namespace dg
