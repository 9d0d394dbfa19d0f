// What the contract leaves to each backend, on the Qt widgets themselves: field styles and
// colours, buttons and close boxes, shortcuts against a focused field, the tree's path,
// dialogs, the clipboard, launching, and worker calls once the platform is released.
#include "contract/contract.h"
#include "qt/qt_support.h"

#include "platform/qt/qt_backend.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/tree.h"
#include "platform/ui.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
    // Answers the next modal dialog once it shows.
    static void Answer(const std::function<void(QWidget&)>& answer) {
        QTimer::singleShot(0, [answer] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            answer(*QApplication::activeModalWidget());
        });
    }
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
    SetControlColor(FileHashField, ColourBackground, DefaultColour);
    EXPECT_EQ(Widget(FileHashField)->palette().color(QPalette::Active, QPalette::Base),
              standard.color(QPalette::Active, QPalette::Base));
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
    DisableControl(CheckButton, true);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(test::EventsUntilNow(EventControl, CheckButton), std::vector<int>{});

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
    DisableMenuItem(MenuBar, MenuCheck, false);
    RemoveShortcut(MainWindow, -1);
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
    SetControlText(DirectoryTree, "");
    EXPECT_EQ(GetControlText(DirectoryTree), "");
    fs::remove_all(folder);
}

TEST_F(QtBackend, DialogsShowWhatTheCallerAsks) {
    QString title, text;
    Answer([&](QWidget& box) {
        title = box.windowTitle();
        text = static_cast<QMessageBox&>(box).text();
        static_cast<QMessageBox&>(box).accept();
    });
    EXPECT_EQ(ShowMessage("MD5 File Error", "Unable to open.", 0), 1);
    EXPECT_EQ(title, "MD5 File Error");
    EXPECT_EQ(text, "Unable to open.");

    const std::string folder = fs::temp_directory_path().string();
    QStringList filters;
    Answer([&](QWidget& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        filters = files.nameFilters();
        title = files.directory().absolutePath();
        files.selectFile(QString::fromStdString(folder + "/chosen"));
        static_cast<QDialog&>(files).accept();
    });
    EXPECT_EQ(ChooseFileToOpen("Open", folder + "/", "All Files | *.*", 0), folder + "/chosen");
    EXPECT_EQ(title.toStdString(), folder);
    // Windows' *.* is every file, dotted or not.
    EXPECT_EQ(filters, QStringList{"All Files (*)"});
    Answer([](QWidget& dialog) { static_cast<QFileDialog&>(dialog).reject(); });
    EXPECT_EQ(ChooseFileToOpen("Open", folder + "/", "All Files | *.*", 0), "");
}

TEST_F(QtBackend, ClipboardTextAndLaunchedDocuments) {
    QGuiApplication::clipboard()->setText("D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(GetClipboardText(), "D41D8CD98F00B204E9800998ECF8427E");
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(GetClipboardText(), "");

    // A document's program, as the desktop associates it with plain text.
    const fs::path root = fs::temp_directory_path() / "dg-qt-launch";
    fs::create_directories(root / "applications");
    std::ofstream(root / "applications" / "dg-recorder.desktop")
        << "[Desktop Entry]\nType=Application\nName=Recorder\nMimeType=text/plain;\n"
        << "Exec=sh -c 'echo \"$0\" > " << (root / "opened").string() << "' %f\n";
    std::ofstream(root / "mimeapps.list")
        << "[Default Applications]\ntext/plain=dg-recorder.desktop\n";
    setenv("XDG_DATA_HOME", root.c_str(), 1);
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    const fs::path document = root / "report.txt";
    std::ofstream(document) << "text\n";
    EXPECT_FALSE(LaunchProgram((root / "missing.txt").string(), "", "", 0));
    ASSERT_TRUE(LaunchProgram(document.string(), "", "", 0));
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(root / "opened") && fs::file_size(root / "opened") > 0,
                             10000);
    std::string opened;
    std::getline(std::ifstream(root / "opened"), opened);
    EXPECT_EQ(opened, document.string());
    fs::remove_all(root);
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
