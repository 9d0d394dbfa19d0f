#include "scenario.h"

#include "app/program.h"
#include "platform/system.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dg::scenario {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A program or thread that never ends would hang every later test: stop the run instead.
void EndOrAbort(bool done, const char* what) {
    if (done)
        return;
    std::fprintf(stderr, "scenario: %s did not end in time\n", what);
    std::abort();
}

} // namespace

void ScenarioTest::SetUp() {
    EndOrAbort(hl::WaitUntil([] { return hl::LiveWorkerThreads() == 0; }, Patience),
               "an earlier test's worker thread");
    hl::ResetWorld();
    previousFolder_ = fs::current_path();
    static int count = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    folder_ = fs::temp_directory_path() /
              ("dg_scenario_" + std::to_string(stamp) + "_" + std::to_string(++count));
    fs::create_directories(folder_);
    fs::current_path(folder_);
#ifndef _WIN32
    // The documents folder and the instance guard's lock are the test's own.
    setenv("HOME", Folder().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", Folder().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
    fs::create_directory(folder_ / "Documents");
    WriteFile("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n");
#endif
    BeforeStart();
    program_ = std::thread([this] {
        exitCode_ = RunProgram();
        ended_ = true;
    });
    Settle();
}

void ScenarioTest::TearDown() {
    // MenuExit straight into the queue: MainWindow may be minimized or behind a dialog.
    if (!Ended())
        hl::PostEvent(EventMenu, MenuExit, MainWindow, 0);
    if (program_.joinable())
        WaitForExit();
    EndOrAbort(hl::WaitUntil([] { return hl::LiveWorkerThreads() == 0; }, Patience),
               "a worker thread");
    fs::current_path(previousFolder_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string ScenarioTest::WriteFile(const std::string& name, const std::string& bytes) const {
    const fs::path path = folder_ / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

int ScenarioTest::WaitForExit() {
    EndOrAbort(hl::WaitUntil([this] { return Ended(); }, Patience), "the program");
    program_.join();
    return exitCode_;
}

#ifdef _WIN32

BlockingFile::BlockingFile(const std::string&, const std::string& name)
    : path_("\\\\.\\pipe\\" + name + "_" + std::to_string(GetCurrentProcessId())) {
    pipe_ = CreateNamedPipeA(path_.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                             4096, 4096, 0, nullptr);
}

void BlockingFile::Release(const std::string& bytes) {
    released_ = true;
    // Waits for the reader; it is on its way once the job has said it hashes the file.
    if (!ConnectNamedPipe(pipe_, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED)
        return;
    DWORD written = 0;
    WriteFile(pipe_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(pipe_);
    CloseHandle(pipe_);
    pipe_ = nullptr;
}

BlockingFile::~BlockingFile() {
    if (pipe_)
        CloseHandle(pipe_);
}

#else

BlockingFile::BlockingFile(const std::string& folder, const std::string& name)
    : path_(folder + "/" + name) {
    mkfifo(path_.c_str(), 0600);
}

void BlockingFile::Release(const std::string& bytes) {
    released_ = true;
    int fd = -1;
    // Opening for writing without a reader fails at once: poll until the job opens it.
    const bool opened = hl::WaitUntil(
        [&] {
            fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            return fd >= 0;
        },
        Patience);
    if (!opened)
        return;
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    EXPECT_EQ(written, static_cast<ssize_t>(bytes.size()));
    close(fd);
}

BlockingFile::~BlockingFile() {
    // A reader still waiting gets the end of the file; one not yet there finds nothing.
    if (!released_) {
        const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            close(fd);
    }
    unlink(path_.c_str());
}

#endif

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

// The window and its controls where the table places them, in the order of the table.
void ExpectWindow(int number, const char* title, int width, int height,
                  std::span<const expected::Placed> table) {
    const hl::WindowState window = hl::Window(number);
    EXPECT_EQ(window.title, title);
    EXPECT_EQ(window.innerWidth, width);
    EXPECT_EQ(window.innerHeight, height);
    EXPECT_EQ(hl::ActiveWindow(), number);
    std::vector<int> created;
    for (const expected::Placed& placed : table) {
        SCOPED_TRACE("control " + std::to_string(placed.control));
        created.push_back(placed.control);
        const hl::ControlState control = hl::Control(placed.control);
        const ControlRect rect = control.rect;
        EXPECT_EQ((std::vector<int>{rect.x, rect.y, rect.width, rect.height}),
                  (std::vector<int>{placed.x, placed.y, placed.width, placed.height}));
        if (placed.text) {
            EXPECT_EQ(control.text, InCodePage(placed.text));
        }
        EXPECT_EQ(control.style, placed.style);
        EXPECT_EQ(control.isDefault, placed.control == AboutOkButton);
    }
    EXPECT_EQ(window.controls, created);
}

std::vector<int> RestoredShortcuts(bool manualPresent) {
    std::vector<int> values;
    for (const expected::MenuEntry& entry : expected::MainMenu)
        if (entry.shortcut != 0 && entry.item != MenuExit &&
            (entry.item != MenuManual || manualPresent))
            values.push_back(entry.shortcut);
    return values;
}

void ExpectCommands(bool idle, bool manualPresent) {
    // A lock leaves the manual's item alone.
    for (int item = 0; item < MenuItemCount; ++item)
        if (idle || item != MenuManual) {
            EXPECT_EQ(hl::MenuItem(item).enabled,
                      idle ? item != MenuManual || manualPresent : item == MenuExit)
                << "menu item " << item;
        }
    for (int control :
         {ListDirectoryButton, TextReportButton, CheckButton, BrowseButton, ResultList})
        EXPECT_EQ(hl::Control(control).enabled, idle) << "control " << control;
    // Alt+F4 is registered at start-up only.
    std::vector<int> shortcuts = ShortcutValues(MainWindow);
    if (idle)
        std::erase(shortcuts, AltKey + KeyF4);
    EXPECT_EQ(shortcuts, idle ? RestoredShortcuts(manualPresent) : std::vector<int>{});
}

} // namespace dg::scenario
