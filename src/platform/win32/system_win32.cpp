#include "platform/system.h"
#include "platform/win32/long_paths.h"

#include <windows.h>

#include <shlobj.h>

namespace dg {

bool AcquireInstanceGuard(const std::string& name) {
    // The handle is kept open on purpose: the guard lasts as long as the process. A process
    // that holds it already (tests run the program more than once) is the same copy.
    static HANDLE held = nullptr;
    if (held != nullptr)
        return true;
    // A stale error from before must not pass for "already exists".
    SetLastError(ERROR_SUCCESS);
    const HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
    if (mutex == nullptr)
        return false;
    if (GetLastError() != ERROR_SUCCESS) {
        CloseHandle(mutex); // another copy's mutex: not ours to keep
        return false;
    }
    held = mutex;
    return true;
}

std::string CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string path(size, '\0');
    const DWORD length = size == 0 ? 0 : GetCurrentDirectoryA(size, path.data());
    path.resize(length < size ? length : 0);
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

std::string InstalledDataFolder() {
    return {};
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return -2;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

bool AnsiCodePageIsUtf8() {
    return GetACP() == CP_UTF8;
}

long long SystemLocalDate() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    local.wMilliseconds = 0;
    // The local fields as if they were UTC: the file time counts 100 ns from 1601.
    FILETIME stamp;
    if (!SystemTimeToFileTime(&local, &stamp))
        return 0;
    const long long ticks =
        static_cast<long long>(stamp.dwHighDateTime) << 32 | stamp.dwLowDateTime;
    constexpr long long secondsFrom1601To1970 = 11644473600LL;
    return ticks / 10000000 - secondsFrom1601To1970;
}

std::string AnsiToUtf8(const std::string& text) {
    if (text.empty() || AnsiCodePageIsUtf8())
        return text;
    const std::wstring wide = WideText(text);
    return wide.empty() ? text : NarrowText(wide, CP_UTF8);
}

namespace {

// Through UTF-16, each conversion sized for its own result. CharUpperBuffA works in place,
// but in UTF-8 a byte that is no character becomes U+FFFD (three bytes) and some letters
// change length with their case: it then fails half done, and Wine reads past the end of
// such bytes when they reach a field.
std::string ChangeCase(const std::string& text, DWORD(WINAPI* change)(LPWSTR, DWORD)) {
    std::wstring wide = WideText(text);
    change(wide.data(), static_cast<DWORD>(wide.size()));
    return NarrowText(wide);
}

} // namespace

std::string UpperCase(std::string text) {
    return ChangeCase(text, CharUpperBuffW);
}

std::string LowerCase(std::string text) {
    return ChangeCase(text, CharLowerBuffW);
}

std::string DocumentsFolderPath() {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &items)) || items == nullptr)
        return {};
    const std::string path = ItemListPath(items);
    CoTaskMemFree(items);
    return path;
}

} // namespace dg
