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

struct MenuItem {
    std::string label; // shortcut included
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

// Sends with a time-out, ending the case if the window does not answer.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Rows as "name hash" texts, sorted, so that rows listed in any order compare equal.
std::string Listing(std::vector<std::string> rows);

class App {
public:
    enum class Start { UntilUsable, NoWait };
    // Starts the program in RunFolder() and, unless told not to, waits until its commands are
    // usable.
    explicit App(Start start = Start::UntilUsable);
    // Ends the program if it still runs.
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    HWND Main() const { return main_; }
    // A visible top-level window of this process with that title.
    HWND Find(const std::string& title) const;
    HWND Control(int control, HWND window = nullptr) const;
    View Look() const;
    std::string Rows() const;
    void AwaitStatus(const std::string& expected, int timeoutMs = StepMs) const;

    // Chooses the menu item as a click in the menu would, once it is not greyed.
    void Choose(const std::string& item) const;
    // Clicks a button once a user could: visible and enabled.
    void Click(int control, HWND window = nullptr) const;
    // Once every command is usable, brings MainWindow to the front and presses the key with
    // the modifier key, if any, held. A job gives the shortcuts back after its last status, and a
    // key pressed before that is lost.
    void Press(WORD modifier, WORD key) const;
    // Waits for the open-file dialog and types the path into it.
    void AnswerFileDialog(const std::string& path) const;

    bool Running() const;
    // Waits for the process to end by itself, with exit code 0.
    void AwaitExit(const std::string& how) const;

private:
    void AwaitCommands() const;

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND main_ = nullptr;
    HHOOK probe_ = nullptr;
};

// Keeps a picture of the window as it is on screen in screens\NAME.bmp, for a person to look at;
// NAME_144dpi.bmp with the screen at 144 DPI.
void Screenshot(HWND window, const std::string& name);

} // namespace e2e
