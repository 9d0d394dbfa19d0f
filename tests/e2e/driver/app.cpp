#include "app.h"

#include "cases.h"
#include "check.h"
#include "platform/ids.h"
#include "probe.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <sstream>

namespace e2e {

namespace {

constexpr int StartTimeoutMs = 30000;
constexpr int StepTimeoutMs = 10000;
constexpr UINT SendTimeoutMs = 5000;

// Memory in the program's process, for messages whose answer is written through a pointer.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, SIZE_T size) : process_(process), size_(size) {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        Require(address_ != nullptr, "memory in the program", "allocated",
                Numbered("error ", GetLastError()));
    }
    ~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* Address() const { return static_cast<char*>(address_); }
    void Write(const void* data, SIZE_T size, SIZE_T offset = 0) const {
        WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
    }
    void Read(void* data, SIZE_T size, SIZE_T offset = 0) const {
        ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
    }
    std::string ReadText(SIZE_T offset = 0) const {
        std::string text(size_ - offset, '\0');
        Read(text.data(), text.size(), offset);
        text.resize(std::strlen(text.c_str()));
        return text;
    }

private:
    HANDLE process_;
    SIZE_T size_;
    void* address_;
};

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    // Not SMTO_ABORTIFHUNG: Wine calls a program hung once it has had no message for 5 s.
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, SendTimeoutMs,
                             &result)) {
        Fail(Numbered("answer to message ", message), Numbered("within ", SendTimeoutMs) + " ms",
             Numbered("none (error ", GetLastError()) + ")");
    }
    return static_cast<LRESULT>(result);
}

// Sends a list view message whose structure, and the text buffer it points at, lie in the
// program; the text the list wrote.
template <class Info>
std::string ListText(HANDLE process, HWND list, UINT message, int index, Info info) {
    constexpr int textSize = 1024;
    RemoteBuffer buffer(process, sizeof info + textSize);
    info.pszText = buffer.Address() + sizeof info;
    info.cchTextMax = textSize;
    buffer.Write(&info, sizeof info);
    Send(list, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.Address()));
    return buffer.ReadText(sizeof info);
}

std::string Label(const std::string& label) {
    return label.substr(0, label.find('\t'));
}

template <class T> T Function(FARPROC proc) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(proc));
}

// Runs a function of the program's address space on a new thread there; its exit code.
DWORD RunRemote(HANDLE process, LPTHREAD_START_ROUTINE start, void* argument) {
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, argument, 0, nullptr);
    Require(thread != nullptr, "a thread in the program", "started",
            Numbered("error ", GetLastError()));
    const DWORD waited = WaitForSingleObject(thread, StepTimeoutMs);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    Require(waited == WAIT_OBJECT_0, "the thread in the program", "ended", "still running");
    return code;
}

} // namespace

std::string Describe(const Rect& rect) {
    std::ostringstream out;
    out << rect.x << ", " << rect.y << ", " << rect.width << " x " << rect.height;
    return out.str();
}

App::App(const std::string& workingDirectory, Start start) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + Settings().exe + "\"";
    if (!CreateProcessA(Settings().exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &info)) {
        Abort("start of " + Settings().exe, "started", Numbered("error ", GetLastError()));
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    if (start == Start::NoWait) {
        return;
    }
    main_ = WaitWindow(MainTitle, StartTimeoutMs);
    Require(main_ != nullptr, "main window", Quote(MainTitle), "no such window");
    // The window shows before its controls are made; the status bar comes among the last.
    const bool built = WaitUntil([&] { return StatusBar() != nullptr; }, StepTimeoutMs);
    Require(built, "status bar", "present", "missing");
}

App::~App() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, StepTimeoutMs);
    }
    CloseHandle(process_);
}

namespace {

struct WindowSearch {
    DWORD pid;
    const std::string* title;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->pid || !IsWindowVisible(window) || App::Title(window) != *s->title) {
        return TRUE;
    }
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (s->className && std::strcmp(name, s->className) != 0) {
        return TRUE;
    }
    s->found = window;
    return FALSE;
}

} // namespace

HWND App::FindTop(const std::string& title, const char* className) const {
    WindowSearch search{pid_, &title, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND App::WaitWindow(const std::string& title, int timeoutMs, const char* className) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTop(title, className)) != nullptr; }, timeoutMs);
    return found;
}

HWND App::WaitFileDialog() const {
    HWND dialog = WaitWindow(SelectFileTitle, StepTimeoutMs, "#32770");
    Require(dialog != nullptr, "open-file dialog", Quote(SelectFileTitle), "no such window");
    return dialog;
}

bool App::WaitGone(HWND window, int timeoutMs) const {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

bool App::WaitExit(int timeoutMs, DWORD* exitCode) const {
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return false;
    }
    GetExitCodeProcess(process_, exitCode);
    return true;
}

bool App::Running() const {
    return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::string App::Title(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string App::Text(HWND control) {
    const auto length = Send(control, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

HWND App::Control(int control, HWND window) const {
    HWND found = GetDlgItem(window ? window : main_, control);
    Require(found != nullptr, Numbered("control ", control), "present", "missing");
    return found;
}

Rect App::ClientRect(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect App::RectInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool App::Topmost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

HWND App::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
    return info.hwndFocus;
}

HWND App::StatusBar() const {
    return FindWindowExA(main_, nullptr, STATUSCLASSNAMEA, nullptr);
}

std::string App::Status() const {
    HWND bar = StatusBar();
    Require(bar != nullptr, "status bar", "present", "missing");
    // The text may change between the two messages: room for far more than any status.
    RemoteBuffer buffer(process_, 65536);
    Send(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buffer.Address()));
    return buffer.ReadText();
}

std::string App::WaitStatus(const std::string& expected, int timeoutMs) const {
    std::string seen;
    WaitUntil([&] { return (seen = Status()) == expected; }, timeoutMs);
    return seen;
}

int App::Rows() const {
    return static_cast<int>(Send(Control(dg::ResultList), LVM_GETITEMCOUNT, 0, 0));
}

std::string App::Cell(int row, int column) const {
    LVITEMA item{};
    item.iSubItem = column;
    return ListText(process_, Control(dg::ResultList), LVM_GETITEMTEXTA, row, item);
}

std::string App::ColumnTitle(int column) const {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT;
    return ListText(process_, Control(dg::ResultList), LVM_GETCOLUMNA, column, col);
}

int App::SelectedRow() const {
    return static_cast<int>(
        Send(Control(dg::ResultList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int App::Progress() const {
    return static_cast<int>(Send(Control(dg::ProgressBar), PBM_GETPOS, 0, 0));
}

COLORREF App::Pixel(int control, int x, int y) const {
    POINT point{x, y};
    ClientToScreen(Control(control), &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

void App::Inject() const {
    if (probeBase_) {
        return;
    }
    const std::string& path = Settings().probe;
    RemoteBuffer name(process_, path.size() + 1);
    name.Write(path.c_str(), path.size() + 1);
    auto load = Function<LPTHREAD_START_ROUTINE>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA"));
    probeBase_ = RunRemote(process_, load, name.Address());
    Require(probeBase_ != 0, "probe " + path, "loaded into the program", "not loaded");
}

std::vector<MenuItem> App::Menu() const {
    Inject();
    // The probe lies at another address in the program; its function at the same offset.
    static HMODULE local = LoadLibraryA(Settings().probe.c_str());
    FARPROC function = local ? GetProcAddress(local, ProbeFunction) : nullptr;
    Require(function != nullptr, "probe " + Settings().probe, "loaded into the driver",
            "not loaded");
    const auto offset = reinterpret_cast<uintptr_t>(reinterpret_cast<void*>(function)) -
                        reinterpret_cast<uintptr_t>(local);
    auto probe = reinterpret_cast<LPTHREAD_START_ROUTINE>(probeBase_ + offset);

    RemoteBuffer buffer(process_, ProbeBufferSize);
    buffer.Write(&main_, sizeof main_);
    RunRemote(process_, probe, buffer.Address());

    std::vector<MenuItem> items;
    std::istringstream lines(buffer.ReadText());
    std::string line, menu;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string kind, id, greyed, label;
        std::getline(fields, kind, '\t');
        if (kind == "menu") {
            std::getline(fields, menu);
            continue;
        }
        std::getline(fields, id, '\t');
        std::getline(fields, greyed, '\t');
        std::getline(fields, label);
        items.push_back({menu, label, static_cast<unsigned>(std::stoul(id)), greyed == "1"});
    }
    return items;
}

MenuItem App::FindMenuItem(const std::string& menu, const std::string& item) const {
    for (const MenuItem& m : Menu()) {
        if (m.menu == menu && Label(m.label) == item) {
            return m;
        }
    }
    Abort("menu item", Quote(menu) + " / " + Quote(item), "no such item");
}

void App::ChooseMenu(const std::string& menu, const std::string& item) const {
    // A user waits for a greyed item to become usable; so does the driver, for a while.
    MenuItem m;
    WaitUntil([&] { return !(m = FindMenuItem(menu, item)).greyed; }, StepTimeoutMs);
    Require(!m.greyed, "menu item " + Quote(item) + " before choosing it", "enabled", "greyed");
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(m.id, 0), 0);
}

void App::Click(int control, HWND window) const {
    // Wine clicks a disabled button too: wait until a user could click it.
    HWND button = Control(control, window);
    WaitUntil([&] { return Visible(button) && Enabled(button); }, StepTimeoutMs);
    Require(Visible(button), Numbered("control ", control) + " before clicking it", "visible",
            "hidden");
    Require(Enabled(button), Numbered("control ", control) + " before clicking it", "enabled",
            "disabled");
    PostMessageA(button, BM_CLICK, 0, 0);
}

void App::Foreground(HWND window) const {
    const bool front = WaitUntil(
        [&] {
            if (GetForegroundWindow() != window) {
                SetForegroundWindow(window);
            }
            return GetForegroundWindow() == window;
        },
        StepTimeoutMs);
    Require(front, "window " + Quote(Title(window)), "in the foreground", "not in front");
}

void App::Press(HWND window, std::vector<WORD> modifiers, WORD key) const {
    Foreground(window);
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD m : modifiers) {
        add(m, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) {
        add(*m, KEYEVENTF_KEYUP);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void App::ClickAt(HWND control, int x, int y) const {
    Foreground(GetAncestor(control, GA_ROOT));
    POINT point{x, y};
    ClientToScreen(control, &point);
    SetCursorPos(point.x, point.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void App::ClickRow(int row) const {
    HWND list = Control(dg::ResultList);
    WaitUntil([&] { return Enabled(list); }, StepTimeoutMs);
    Require(Enabled(list), "ResultList before clicking a row", "enabled", "disabled");
    RemoteBuffer buffer(process_, sizeof(RECT));
    RECT r{};
    r.left = LVIR_BOUNDS;
    buffer.Write(&r, sizeof r);
    const bool found = Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                            reinterpret_cast<LPARAM>(buffer.Address())) != 0;
    Require(found, Numbered("row ", row), "present", "missing");
    buffer.Read(&r, sizeof r);
    ClickAt(list, r.left + 20, (r.top + r.bottom) / 2);
}

void App::SelectAllText(int control) const {
    Send(Control(control), EM_SETSEL, 0, -1);
}

void App::CloseBox(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void App::ChooseFile(HWND dialog, const std::string& path) const {
    constexpr int fileNameBox = 1148;
    Send(Control(fileNameBox, dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(Control(IDOK, dialog), BM_CLICK, 0, 0);
    Require(WaitGone(dialog, StepTimeoutMs), "open-file dialog after OK", "closed", "still open");
}

void App::CancelFileDialog(HWND dialog) const {
    PostMessageA(Control(IDCANCEL, dialog), BM_CLICK, 0, 0);
    Require(WaitGone(dialog, StepTimeoutMs), "open-file dialog after Cancel", "closed",
            "still open");
}

} // namespace e2e
