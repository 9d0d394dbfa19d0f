// Message boxes, the open-file dialog, the clipboard and opening documents.
#include "platform/ui.h"
#include "platform/win32/long_paths.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <cstring>
#include <string_view>
#include <vector>

namespace dg {
namespace {

// While a modal box or dialog is up, the calling thread's other top-level windows take no
// input; the foreground window, which owns the box, is left to the box itself.
class DisabledThreadWindows {
public:
    DisabledThreadWindows() {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
    }
    ~DisabledThreadWindows() {
        for (HWND hwnd : disabled_) {
            EnableWindow(hwnd, TRUE);
        }
    }
    DisabledThreadWindows(const DisabledThreadWindows&) = delete;
    DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

private:
    static BOOL CALLBACK Disable(HWND hwnd, LPARAM self) {
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && hwnd != GetForegroundWindow()) {
            EnableWindow(hwnd, FALSE);
            reinterpret_cast<DisabledThreadWindows*>(self)->disabled_.push_back(hwnd);
        }
        return TRUE;
    }

    std::vector<HWND> disabled_;
};

// The foreground window when it is one of this process's, else none.
HWND ProcessForegroundWindow() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    return foreground != nullptr && process == GetCurrentProcessId() ? foreground : nullptr;
}

bool IsValidFileName(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32 ||
            std::string_view("\"\\/:*?<>|").find(c) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

// The extension that names a document's type; empty when the name has none.
std::string DocumentType(const std::string& file) {
    size_t dot = file.rfind('.');
    size_t slash = file.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return file.substr(dot);
}

// The clipboard, open for as long as this lives.
class ClipboardOpen {
public:
    ClipboardOpen() : open_(OpenClipboard(nullptr) != 0) {}
    ~ClipboardOpen() {
        if (open_)
            CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    [[nodiscard]] bool IsOpen() const { return open_; }

private:
    bool open_;
};

} // namespace

int ShowMessage(const std::string& title, const std::string& text, int flags) {
    DisabledThreadWindows disabled;
    return MessageBoxA(ProcessForegroundWindow(), text.c_str(), title.c_str(),
                       static_cast<UINT>(flags));
}

std::string ChooseFileToOpen(const std::string& title, const std::string& initialPath,
                             const std::string& pattern, int patternIndex) {
    // Every "|" ends an entry; nothing is trimmed.
    std::string filter = pattern;
    for (char& c : filter) {
        if (c == '|') {
            c = '\0';
        }
    }
    filter.append(2, '\0');

    std::string folder;
    std::string name = initialPath;
    size_t slash = initialPath.rfind('\\');
    if (slash != std::string::npos) {
        folder = initialPath.substr(0, slash);
        name = initialPath.substr(slash + 1);
    }
    // Room for the longest path the system can name in the ANSI code page at its widest
    // (three bytes per UTF-16 unit in UTF-8): the dialog never finds it too small.
    std::string path(3 * LongestPath, '\0');
    if (IsValidFileName(name) && name.size() < path.size()) {
        name.copy(path.data(), name.size());
    }

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = ProcessForegroundWindow();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(patternIndex + 1);
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = slash == std::string::npos ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    DisabledThreadWindows disabled;
    return GetOpenFileNameA(&dialog) ? std::string(path.c_str()) : std::string();
}

std::string GetClipboardText() {
    const ClipboardOpen clipboard;
    HANDLE data = clipboard.IsOpen() ? GetClipboardData(CF_TEXT) : nullptr;
    const auto* bytes = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (bytes == nullptr)
        return {};
    // Another program may have left the text without its terminating zero.
    std::string text(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
    return text;
}

bool LaunchProgram(const std::string& program, const std::string& parameters,
                   const std::string& workingDirectory, int flags) {
    (void)workingDirectory;
    (void)flags;
    std::string file = program;
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        file = file.substr(1, file.size() - 2);
    }
    // Only documents are handed over, and always to the program of their type: a plain
    // ShellExecuteEx runs any executable file whatever its name (Wine tries that first).
    std::string type = DocumentType(file);
    if (type.empty()) {
        return false;
    }
    std::string directory;
    size_t slash = file.rfind('\\');
    if (slash != std::string::npos && slash > 0) {
        directory = file.substr(0, slash + 1);
    }
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof(execute);
    // No "Open with" prompt for a type without a program: the caller reports the failure.
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
    execute.lpFile = file.c_str();
    execute.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    execute.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    execute.nShow = SW_SHOWNORMAL;
    execute.lpClass = type.c_str();
    if (!ShellExecuteExA(&execute)) {
        return false;
    }
    if (execute.hProcess != nullptr) {
        CloseHandle(execute.hProcess);
    }
    return true;
}

} // namespace dg
