#include "scenario.h"

#include "qt/qt_support.h"

#include "app/program.h"
#include "platform/qt/qt_backend.h"
#include "platform/threads.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dg::scenario {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Written from the program's thread, its workers and the test's thread.
Records records;
std::mutex recordsLock;

template <typename Reader> auto Read(Reader reader) {
    std::lock_guard<std::mutex> lock(recordsLock);
    return reader(records);
}

// The main thread runs each program the tests hand it, as Qt wants its widgets there.
struct Runner {
    std::mutex lock;
    std::condition_variable changed;
    std::function<void()> next;
    bool testsDone = false;
};
Runner runner;

// The desktop's program for documents, a stand-in that writes down what it was given.
fs::path launchRoot;
fs::path opener;

void PrepareLaunching() {
    launchRoot = fs::temp_directory_path() / ("dg_scenario_launch_" + std::to_string(getpid()));
    opener = launchRoot / "opener";
    fs::create_directories(launchRoot / "data/applications");
    fs::create_directories(launchRoot / "system");
    // The system's file types, without its programs.
    fs::create_directory_symlink("/usr/share/mime", launchRoot / "system/mime");
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" >> " << (launchRoot / "launched") << "\n";
    std::ofstream(launchRoot / "data/applications/dg-opener.desktop")
        << "[Desktop Entry]\nType=Application\nName=Opener\nExec=" << opener.string() << " %f\n";
    std::ofstream(launchRoot / "data/applications/mimeapps.list")
        << "[Default Applications]\ntext/plain=dg-opener.desktop\n"
        << "text/html=dg-opener.desktop\napplication/pdf=dg-opener.desktop\n";
    setenv("XDG_DATA_HOME", (launchRoot / "data").c_str(), 1);
    setenv("XDG_DATA_DIRS", (launchRoot / "system").c_str(), 1);
}

// A user reaches the widget: shown, enabled and not behind a modal dialog.
bool Reachable(QWidget* widget) {
    const QWidget* modal = QApplication::activeModalWidget();
    return widget != nullptr && widget->isEnabled() && widget->isVisible() &&
           (modal == nullptr || modal->isAncestorOf(widget));
}

// The file dialog now open, if any. Program's thread.
QPointer<QFileDialog> openDialog;

// Sees dialogs and message boxes as they open: records them and presses OK on message boxes.
class Observer final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show)
            return false;
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            const std::string seen =
                box->windowTitle().toStdString() + "|" + box->text().toStdString();
            Read([&](Records& r) { r.messages.push_back(seen); });
            QTimer::singleShot(0, box, [box] { box->accept(); });
        } else if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
            const std::string seen = dialog->windowTitle().toStdString() + "|" +
                                     dialog->directory().absolutePath().toStdString() + "|" +
                                     dialog->nameFilters().join(';').toStdString();
            Read([&](Records& r) { r.dialogs.push_back(seen); });
            openDialog = dialog;
        }
        return false;
    }
};

// Installed again by each test: an installed filter only moves to the front.
void Observe() {
    static Observer observer;
    qApp->installEventFilter(&observer);
}

// A program or thread that never ends would hang every later test: stop the run instead.
void EndOrAbort(bool done, const char* what) {
    if (done)
        return;
    std::fprintf(stderr, "scenario: %s did not end in time\n", what);
    std::abort();
}

template <typename Result, typename Reader> Result OnWidgets(Result none, Reader reader) {
    Result result = none;
    OnGui([&] { result = reader(); });
    return result;
}

} // namespace

bool OnGui(const std::function<void()>& action) {
    bool ran = false;
    qt::RunOnMain([&] {
        action();
        ran = true;
    });
    return ran;
}

bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

std::string Status() {
    return OnWidgets(std::string(), [] {
        QWidget* top = qt::WindowWidget(MainWindow);
        const auto* bar = top ? top->findChild<QLabel*>("StatusBar") : nullptr;
        return bar ? bar->text().toStdString() : std::string();
    });
}

bool Visible(int control) {
    return OnWidgets(false, [&] {
        QWidget* widget = test::Widget(control);
        return widget && widget->isVisibleTo(widget->window());
    });
}

bool Enabled(int control) {
    return OnWidgets(false,
                     [&] { return test::Widget(control) && test::Widget(control)->isEnabled(); });
}

int Background(int control) {
    return OnWidgets(-1, [&] { return test::FieldColour(control, QPalette::Base); });
}

Rows ListRows() {
    Rows rows;
    const int count = CountListRows(ResultList);
    for (int row = 0; row < count; ++row)
        rows.push_back({GetListCellText(ResultList, row, 0), GetListCellText(ResultList, row, 1)});
    return rows;
}

bool MenuEnabled(int item) {
    return OnWidgets(false,
                     [&] { return qt::MenuAction(item) && qt::MenuAction(item)->isEnabled(); });
}

bool WindowOpen(int window) {
    return OnWidgets(false, [&] { return qt::WindowWidget(window) != nullptr; });
}

int ActiveWindow() {
    return OnWidgets(-1, [] { return qt::WindowNumber(QApplication::activeWindow()); });
}

std::vector<int> ShortcutValues() {
    return OnWidgets(std::vector<int>{}, [] { return qt::ShortcutValues(MainWindow); });
}

void Click(int button) {
    OnGui([&] {
        if (QWidget* widget = test::Widget(button); Reachable(widget))
            QTest::mouseClick(widget, Qt::LeftButton);
    });
}

void Choose(int item) {
    OnGui([&] {
        QAction* action = qt::MenuAction(item);
        if (action && action->isEnabled() && Reachable(qt::WindowWidget(MainWindow)))
            action->trigger();
    });
    ScenarioTest::Settle();
}

void Key(int shortcut) {
    // Offscreen, a closed dialog hands the keyboard back to no window: the user clicks one.
    OnGui([] {
        if (QApplication::activeWindow() == nullptr && qt::WindowWidget(MainWindow))
            qt::WindowWidget(MainWindow)->activateWindow();
    });
    (void)WaitUntil([] { return ActiveWindow() >= 0 || !WindowOpen(MainWindow); });
    OnGui([&] {
        if (Reachable(QApplication::activeWindow()))
            test::PressShortcut(shortcut);
    });
    ScenarioTest::Settle();
}

void CloseBox(int window) {
    OnGui([&] {
        if (QWidget* top = qt::WindowWidget(window); Reachable(top))
            top->close();
    });
    ScenarioTest::Settle();
}

void ClickRow(int row) {
    OnGui([&] {
        if (Reachable(test::Widget(ResultList)))
            test::ClickListRow(row);
    });
}

void Queue(EventKind kind, int object, int window, int type) {
    OnGui([&] { qt::RecordEvent(kind, object, window, type); });
}

Records Recorded() {
    return Read([](Records& r) { return r; });
}

bool DialogOpen() {
    return OnWidgets(false, [] { return openDialog && openDialog->isVisible(); });
}

void Answer(const std::string& path) {
    ScenarioTest::WaitFor(DialogOpen, "the file dialog");
    OnGui([&] {
        if (QFileDialog* dialog = openDialog; dialog && path.empty()) {
            dialog->reject();
        } else if (dialog) {
            // Typed whole into the name box, as a user may.
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept();
        }
    });
}

std::vector<std::string> Launched() {
    std::vector<std::string> lines;
    std::ifstream log(launchRoot / "launched");
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

void LaunchFails(bool fails) {
    fs::permissions(opener,
                    fails ? fs::perms::owner_read | fs::perms::owner_write : fs::perms::owner_all);
}

void FailThreadStarts(int count) {
    Read([&](Records& r) { r.failingStarts = count; });
}

void ScenarioTest::SetUp() {
    Read([](Records& r) { r = {}; });
    fs::remove(launchRoot / "launched");
    LaunchFails(false);
    previousFolder_ = fs::current_path();
    fs::current_path(Folder());
    // The documents folder and the instance guard's lock are the test's own.
    setenv("HOME", Folder().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", Folder().c_str(), 1);
    setenv("XDG_CONFIG_HOME", folder_.Path("config").c_str(), 1);
    fs::create_directory(folder_.Path("Documents"));
    WriteFile("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n");
    BeforeStart();
    {
        std::lock_guard<std::mutex> lock(runner.lock);
        // The test waits for the program's end before the fixture goes.
        runner.next = [this] {
            exitCode_ = RunProgram();
            ended_ = true;
        };
        runner.changed.notify_all();
    }
    WaitFor([] { return OnGui(Observe) && Status() == WelcomeText; }, "the main window");
}

void ScenarioTest::TearDown() {
    // Straight into the queue: MainWindow may be minimized or behind a dialog.
    if (!Ended())
        qt::PostEvent(EventMenu, MenuExit, MainWindow, 0);
    WaitForExit();
    EndOrAbort(WaitUntil([] { return Recorded().liveWorkers == 0; }), "a worker thread");
    fs::current_path(previousFolder_);
}

bool ScenarioTest::Idle() {
    // An ended program has handled all it will.
    return OnWidgets(true, [] {
        return !qt::EventsWaiting() &&
               qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) == nullptr;
    });
}

int ScenarioTest::WaitForExit() {
    EndOrAbort(WaitUntil([this] { return Ended(); }), "the program");
    return exitCode_;
}

BlockingFile::BlockingFile(const std::string& folder, const std::string& name)
    : path_(folder + "/" + name) {
    mkfifo(path_.c_str(), 0600);
}

void BlockingFile::Release(const std::string& bytes) {
    int fd = -1;
    // Opening for writing without a reader fails at once: poll until the job opens it.
    if (!WaitUntil([&] {
            fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            return fd >= 0;
        }))
        return;
    EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fd);
}

BlockingFile::~BlockingFile() {
    // A reader still waiting gets the end of the file; one not yet there finds nothing.
    if (const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0)
        close(fd);
    unlink(path_.c_str());
}

void ExpectWindow(int number, const char* title, std::span<const expected::Placed> table) {
    EXPECT_TRUE(WaitUntil([&] { return ActiveWindow() == number; })) << "window " << number;
    OnGui([&] {
        QWidget* top = qt::WindowWidget(number);
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(top->windowTitle().toStdString(), title);
        // Only MainWindow can be minimized; the others stay on top of it.
        const bool main = number == MainWindow;
        EXPECT_EQ(top->windowFlags().testFlag(Qt::WindowMinimizeButtonHint), main);
        EXPECT_EQ(top->windowFlags().testFlag(Qt::WindowStaysOnTopHint), !main);
        for (const expected::Placed& placed : table) {
            SCOPED_TRACE("control " + std::to_string(placed.control));
            const qt::ControlEntry* entry = qt::FindControl(placed.control);
            ASSERT_NE(entry, nullptr);
            if (placed.text) {
                EXPECT_EQ(GetControlText(placed.control), placed.text);
            }
            EXPECT_EQ(entry->style, placed.style);
        }
    });
}

std::vector<int> RestoredShortcuts(bool manualPresent) {
    std::vector<int> values;
    for (const expected::MenuEntry& entry : expected::MainMenu)
        if (entry.shortcut != 0 && entry.item != MenuExit &&
            (entry.item != MenuManual || manualPresent))
            values.push_back(entry.shortcut);
    return values;
}

void ExpectCommands(Lock lock, bool manualPresent) {
    const bool menus = lock != Locked;
    // A lock leaves the manual's item alone.
    for (int item = 0; item < MenuItemCount; ++item)
        if (menus || item != MenuManual) {
            EXPECT_EQ(MenuEnabled(item),
                      menus ? item != MenuManual || manualPresent : item == MenuExit)
                << "menu item " << item;
        }
    for (int control :
         {ListDirectoryButton, TextReportButton, CheckButton, BrowseButton, ResultList})
        EXPECT_EQ(Enabled(control),
                  lock == Unlocked || (lock == ButtonsLocked && control == ResultList))
            << "control " << control;
    // Alt+F4 is registered at start-up only.
    std::vector<int> shortcuts = ShortcutValues();
    if (menus)
        std::erase(shortcuts, AltKey + KeyF4);
    EXPECT_EQ(shortcuts, menus ? RestoredShortcuts(manualPresent) : std::vector<int>{});
}

} // namespace dg::scenario

using namespace dg::scenario;

// The tests run on a thread of their own; the main thread runs each test's program.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    PrepareLaunching();
    dg::SetThreadHooks(
        {[] {
             return Read([](Records& r) {
                 if (r.failingStarts > 0) {
                     --r.failingStarts;
                     return false;
                 }
                 ++r.liveWorkers;
                 return true;
             });
         },
         [] { Read([](Records& r) { --r.liveWorkers; }); },
         [](int milliseconds) { Read([&](Records& r) { r.delays.push_back(milliseconds); }); }});
    ::testing::InitGoogleTest(&argc, argv);
    int result = 1;
    std::thread tests([&] {
        result = RUN_ALL_TESTS();
        std::lock_guard<std::mutex> lock(runner.lock);
        runner.testsDone = true;
        runner.changed.notify_all();
    });
    for (;;) {
        std::function<void()> program;
        {
            std::unique_lock<std::mutex> lock(runner.lock);
            runner.changed.wait(lock, [] { return runner.next || runner.testsDone; });
            if (!runner.next)
                break;
            program = std::exchange(runner.next, nullptr);
        }
        program();
    }
    tests.join();
    std::error_code ignored;
    fs::remove_all(launchRoot, ignored);
    // Workers of the last program may still run: end without static destructors.
    std::fflush(nullptr);
    std::_Exit(result);
}
