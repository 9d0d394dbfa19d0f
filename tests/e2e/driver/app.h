// One run of digestorium.exe, driven from outside its process as a user would drive it.
// Nothing here makes Wine run code in the program on a thread of ours: what only the program
// can read (its menus, list rows, status line) is read by the probe on the program's own main
// thread, in answer to a message sent with a time-out. Anything that may open modal UI is
// posted.
#pragma once

#include "e2e.h"

#include <string>
#include <vector>

namespace e2e {

constexpr const char* MainTitle = "Digestorium V4.0.0";
constexpr const char* AboutTitle = "Digestorium About";
constexpr const char* WelcomeStatus =
    "Welcome to Digestorium.  Please select file or list directory to begin.";

struct MenuItem {
    std::string menu;  // the drop-down menu's label, "&File"
    std::string label; // the whole item label, shortcut included
    unsigned id = 0;
    bool greyed = false;
};

struct Row {
    std::string name;
    std::string hash;
};

// What the main window shows that only the program itself can read.
struct View {
    std::string status;
    std::vector<Row> rows;
    std::vector<MenuItem> menu;
};

class App {
public:
    enum class Start { WaitForMainWindow, NoWait };
    // Starts the program in RunFolder() and, unless told not to, waits for its main window.
    explicit App(Start start = Start::WaitForMainWindow);
    // Ends the program if it still runs.
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    HWND Main() const { return main_; }
    // A visible top-level window of this process with that title.
    HWND Find(const std::string& title) const;
    HWND Control(int control, HWND window = nullptr) const;
    std::string Text(int control) const;
    View Look() const;
    void AwaitStatus(const std::string& expected) const;
    int Progress() const;

    // Chooses the item as a click in the menu would, once it is not greyed.
    void Choose(const std::string& menu, const std::string& item) const;
    // Clicks a button once a user could: visible and enabled.
    void Click(int control, HWND window = nullptr) const;
    // Brings MainWindow to the front and presses the key with the modifiers held.
    void Press(std::vector<WORD> modifiers, WORD key) const;
    // Waits for the open-file dialog and types the path into it, or cancels it if none.
    void AnswerFileDialog(const std::string& path) const;

    bool Running() const;
    // Waits for the process to end by itself and gives its exit code.
    DWORD AwaitExit() const;

private:
    void Foreground() const;

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND main_ = nullptr;
    HHOOK probe_ = nullptr;
};

// Keeps a picture of the window as it is on screen in screens\NAME.bmp, for a person to look at.
void Screenshot(HWND window, const std::string& name);

// The commands of a program started beside the manual. Idle: every menu item usable, the
// buttons and the list enabled. Locked: every item but Exit and the manual greyed, the buttons
// and the list disabled. They change one by one, partly from a job's thread: this waits for them.
void ExpectCommands(const App& app, bool locked);

} // namespace e2e
