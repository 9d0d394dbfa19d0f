#include "app.h"

#include "platform/ids.h"
#include "probe.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {

// The shared memory the probe answers in, and the probe loaded here to hook the program.
struct Probe {
    HANDLE memory = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       ProbeMemorySize, ProbeMemory);
    const char* text = static_cast<const char*>(
        memory ? MapViewOfFile(memory, FILE_MAP_READ, 0, 0, ProbeMemorySize) : nullptr);
    HMODULE module = LoadLibraryA("e2e_probe.dll");
    HOOKPROC hook =
        module
            ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, ProbeHook)))
            : nullptr;
    UINT message = RegisterWindowMessageA(ProbeMessage);
};

const Probe& TheProbe() {
    static const Probe probe;
    Require(probe.text && probe.hook, "probe e2e_probe.dll and its memory", "ready", "missing");
    return probe;
}

} // namespace

// Not SMTO_ABORTIFHUNG: Wine calls a program hung once it has had no message for 5 s.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::string what = "answer to message " + std::to_string(message);
    Awaiting(what);
    DWORD_PTR result = 0;
    Require(SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, StepMs, &result) != 0,
            what, "within " + std::to_string(StepMs / 1000) + " s",
            "none (error " + std::to_string(GetLastError()) + ")");
    return static_cast<LRESULT>(result);
}

std::string Listing(std::vector<std::string> rows) {
    std::sort(rows.begin(), rows.end());
    std::string text;
    for (const std::string& row : rows)
        text += (text.empty() ? "" : " | ") + row;
    return text;
}

App::App(Start start) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + ExePath() + "\"";
    Require(CreateProcessA(ExePath().c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           WorkPath(RunFolder).c_str(), &startup, &info) != 0,
            "start of " + ExePath(), "started", "error " + std::to_string(GetLastError()));
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    if (start == Start::NoWait) {
        return;
    }
    // The window shows before its controls are made; the status bar comes among the last.
    WaitFor("the main window with its status bar", [&] {
        main_ = Find(MainTitle);
        return main_ && FindWindowExA(main_, nullptr, STATUSCLASSNAMEA, nullptr);
    });
    const Probe& probe = TheProbe();
    probe_ = SetWindowsHookExA(WH_CALLWNDPROC, probe.hook, probe.module,
                               GetWindowThreadProcessId(main_, nullptr));
    Require(probe_ != nullptr, "probe hook", "set", "error " + std::to_string(GetLastError()));
    AwaitStatus("Welcome to Digestorium.  Please select file or list directory to begin.");
}

App::~App() {
    if (probe_) {
        UnhookWindowsHookEx(probe_);
    }
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, StepMs);
    }
    CloseHandle(process_);
}

HWND App::Find(const std::string& title) const {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, title.c_str())) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == pid_ && IsWindowVisible(w)) {
            return w;
        }
    }
    return nullptr;
}

HWND App::Control(int control, HWND window) const {
    HWND found = GetDlgItem(window ? window : main_, control);
    Require(found != nullptr, "control " + std::to_string(control), "present", "missing");
    return found;
}

View App::Look() const {
    const Probe& probe = TheProbe();
    Send(main_, probe.message);
    View view;
    std::istringstream lines(probe.text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) {
            f.push_back(field);
        }
        if (f[0] == "status") {
            view.status = f.size() > 1 ? f[1] : "";
        } else if (f[0] == "row") {
            view.rows.push_back({f[1], f.size() > 2 ? f[2] : ""});
        } else if (f[0] == "item") {
            view.menu.push_back({line.substr(line.find('\t', line.find('\t', 5) + 1) + 1),
                                 static_cast<unsigned>(std::stoul(f[1])), f[2] == "1"});
        }
    }
    return view;
}

std::string App::Rows() const {
    std::vector<std::string> rows;
    for (const Row& row : Look().rows)
        rows.push_back(row.name + " " + row.hash);
    return Listing(rows);
}

void App::AwaitStatus(const std::string& expected, int timeoutMs) const {
    AwaitEqual(
        "status", expected, [&] { return Look().status; }, timeoutMs);
}

void App::Choose(const std::string& item) const {
    unsigned id = 0;
    WaitFor("menu item " + Quote(item) + " not greyed", [&] {
        for (const MenuItem& m : Look().menu) {
            if (m.label.substr(0, m.label.find('\t')) == item && !m.greyed) {
                id = m.id;
                return true;
            }
        }
        return false;
    });
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void App::Click(int control, HWND window) const {
    // Wine clicks a disabled button too: wait until a user could click it.
    HWND button = Control(control, window);
    WaitFor("control " + std::to_string(control) + " visible and enabled",
            [&] { return IsWindowVisible(button) && IsWindowEnabled(button); });
    PostMessageA(button, BM_CLICK, 0, 0);
}

void App::AwaitCommands() const {
    std::string greyed;
    WaitFor(
        "the commands usable",
        [&] {
            greyed.clear();
            for (const MenuItem& item : Look().menu) {
                if (item.greyed)
                    greyed += " " + Quote(item.label);
            }
            for (int control : {dg::BrowseButton, dg::CheckButton, dg::ListDirectoryButton,
                                dg::TextReportButton, dg::ResultList}) {
                if (!IsWindowEnabled(Control(control)))
                    greyed += " control " + std::to_string(control);
            }
            return greyed.empty();
        },
        StepMs, &greyed);
}

void App::Press(WORD modifier, WORD key) const {
    AwaitCommands();
    WaitFor("the main window in the foreground", [&] {
        if (GetForegroundWindow() != main_) {
            SetForegroundWindow(main_);
        }
        return GetForegroundWindow() == main_;
    });
    auto send = [](WORD vk, DWORD flags) {
        keybd_event(static_cast<BYTE>(vk), static_cast<BYTE>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)),
                    flags, 0);
    };
    if (modifier)
        send(modifier, 0);
    send(key, 0);
    send(key, KEYEVENTF_KEYUP);
    if (modifier)
        send(modifier, KEYEVENTF_KEYUP);
}

void App::AnswerFileDialog(const std::string& path) const {
    constexpr int fileNameBox = 1148;
    HWND dialog = nullptr;
    WaitFor("the open-file dialog", [&] {
        // The dialog shows before its controls are made.
        dialog = Find("Digestorium - Select File");
        return dialog && GetDlgItem(dialog, IDCANCEL);
    });
    Send(Control(fileNameBox, dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(Control(IDOK, dialog), BM_CLICK, 0, 0);
    WaitFor("the open-file dialog to close", [&] { return !IsWindow(dialog); });
}

bool App::Running() const {
    return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void App::AwaitExit(const std::string& how) const {
    WaitFor("the program to end", [&] { return !Running(); });
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    Expect("exit code after " + how, "0", std::to_string(code));
}

namespace {

// The window's pixels on screen, bottom-up rows of BGR as a BMP file holds them.
std::string Capture(HWND window, BITMAPINFOHEADER& info) {
    RECT r{};
    GetWindowRect(window, &r);
    info = {sizeof info, r.right - r.left, r.bottom - r.top, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::string pixels(static_cast<size_t>((info.biWidth * 3 + 3) / 4 * 4 * info.biHeight), '\0');
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, info.biWidth, info.biHeight);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, info.biWidth, info.biHeight, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(info.biHeight), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

void Screenshot(HWND window, const std::string& name) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The program paints through its own connection to the display: wait until the picture
    // has stayed the same for 200 ms.
    BITMAPINFOHEADER info{};
    std::string pixels = Capture(window, info);
    unsigned long long taken = Now();
    WaitFor("a steady picture of " + name, [&] {
        if (Now() - taken < 200)
            return false;
        const std::string previous = pixels;
        taken = Now();
        return (pixels = Capture(window, info)) == previous;
    });
    const BITMAPFILEHEADER head{0x4D42,
                                static_cast<DWORD>(sizeof head + sizeof info + pixels.size()), 0, 0,
                                sizeof head + sizeof info};
    // Pictures at another DPI are kept beside those at 96.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const std::string file = name + (dpi == 96 ? "" : "_" + std::to_string(dpi) + "dpi");
    CreateDirectoryA(WorkPath("screens").c_str(), nullptr);
    std::ofstream out(WorkPath("screens\\" + file + ".bmp"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&head), sizeof head);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out << pixels;
}

} // namespace e2e
