// One run of digestorium.exe, driven from outside its process: it finds the program's
// windows, reads what a user sees and acts as a user would. Anything that may open modal UI
// is posted; every other message is sent with a time-out, so a hung program fails a case
// instead of hanging the run.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr const char* MainTitle = "Digestorium V4.0.0";
constexpr const char* AboutTitle = "Digestorium About";
constexpr const char* SelectFileTitle = "Digestorium - Select File";

struct MenuItem {
    std::string menu;  // label of the drop-down menu, "&File"
    std::string label; // the whole item label, shortcut label included
    unsigned id = 0;
    bool greyed = false;
};

// A control's rectangle in the client coordinates of its window.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

std::string Describe(const Rect& rect);

class App {
public:
    enum class Start { WaitForMainWindow, NoWait };
    // Starts the program with the given working directory and, unless told not to, waits for
    // its main window.
    explicit App(const std::string& workingDirectory, Start start = Start::WaitForMainWindow);
    // Ends the program if it still runs.
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    DWORD Pid() const { return pid_; }
    HWND Main() const { return main_; }

    // ---- windows ----
    // A visible top-level window of this process with that title (and class, if given).
    HWND FindTop(const std::string& title, const char* className = nullptr) const;
    HWND WaitWindow(const std::string& title, int timeoutMs, const char* className = nullptr) const;
    // Waits for the open-file dialog; ends the case if it does not come.
    HWND WaitFileDialog() const;
    bool WaitGone(HWND window, int timeoutMs) const;
    // Waits for the process to end; false if it still runs.
    bool WaitExit(int timeoutMs, DWORD* exitCode) const;
    bool Running() const;

    // ---- what a user sees ----
    static std::string Title(HWND window);
    static std::string Text(HWND control);
    std::string Text(int control) const { return Text(Control(control)); }
    HWND Control(int control, HWND window = nullptr) const;
    static Rect ClientRect(HWND window);
    static Rect RectInParent(HWND control);
    static bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }
    static bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
    bool Visible(int control) const { return Visible(Control(control)); }
    bool Enabled(int control) const { return Enabled(Control(control)); }
    static bool Topmost(HWND window);
    HWND Focus() const;

    std::string Status() const;
    // Polls the status line for the text; returns the last text seen.
    std::string WaitStatus(const std::string& expected, int timeoutMs) const;

    int Rows() const;
    std::string Cell(int row, int column) const;
    std::string ColumnTitle(int column) const;
    int SelectedRow() const;
    int Progress() const;
    // The colour of a screen pixel inside the control's client area, 0x00BBGGRR.
    COLORREF Pixel(int control, int x, int y) const;

    std::vector<MenuItem> Menu() const;
    // The item whose label, up to any tab, is given; ends the case when there is none.
    MenuItem FindMenuItem(const std::string& menu, const std::string& item) const;

    // ---- acting ----
    // Chooses the item as a click in the menu would; an item greyed for 10 s ends the case.
    void ChooseMenu(const std::string& menu, const std::string& item) const;
    // Clicks a button of the window; one hidden or disabled for 10 s ends the case.
    void Click(int control, HWND window = nullptr) const;
    // Brings the window to the front and presses the key with the modifiers held.
    void Press(HWND window, std::vector<WORD> modifiers, WORD key) const;
    // A left mouse click at a point of the control's client area.
    void ClickAt(HWND control, int x, int y) const;
    void ClickRow(int row) const;
    // Selects the whole text of a text field, as a drag over it would.
    void SelectAllText(int control) const;
    // The close box: WM_SYSCOMMAND SC_CLOSE.
    static void CloseBox(HWND window);
    // Types a path into the open-file dialog's name box and presses its OK button.
    void ChooseFile(HWND dialog, const std::string& path) const;
    void CancelFileDialog(HWND dialog) const;
    void Foreground(HWND window) const;

private:
    void Inject() const;
    HWND StatusBar() const;

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND main_ = nullptr;
    mutable DWORD probeBase_ = 0; // the probe's module address in the program, once loaded
};

} // namespace e2e
