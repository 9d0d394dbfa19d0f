// Directory scans over FindFirstFileW and FindNextFileW, so that a folder deeper than
// MAX_PATH is listed too; the find handle is the scan's own.
// Redirection is off around each call, so that a 32-bit program lists the folder the user
// chose, System32 included.
#include "platform/portable/native_scan.h"
#include "platform/win32/long_paths.h"
#include "platform/win32/wow64.h"

#include <windows.h>

namespace dg {

namespace {

class Win32Scan final : public NativeScan {
public:
    // find is INVALID_HANDLE_VALUE for a scan without entries.
    Win32Scan(HANDLE find, const WIN32_FIND_DATAW& first) : find_(find), data_(first) {}
    ~Win32Scan() override {
        if (find_ != INVALID_HANDLE_VALUE)
            FindClose(find_);
    }
    Win32Scan(const Win32Scan&) = delete;
    Win32Scan& operator=(const Win32Scan&) = delete;

    bool Next() override {
        if (find_ == INVALID_HANDLE_VALUE)
            return false;
        // FindFirstFileA has already given the first entry.
        if (!started_) {
            started_ = true;
            return true;
        }
        const FileSystemRedirectionOff redirectionOff;
        return FindNextFileW(find_, &data_) != 0;
    }
    bool IsDirectory() const override {
        return (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    std::string Name() const override { return NarrowText(data_.cFileName); }

private:
    HANDLE find_;
    WIN32_FIND_DATAW data_;
    bool started_ = false;
};

} // namespace

std::unique_ptr<NativeScan> StartNativeScan(const std::string& searchText) {
    WIN32_FIND_DATAW data{};
    HANDLE find = INVALID_HANDLE_VALUE;
    DWORD error = 0;
    {
        const FileSystemRedirectionOff redirectionOff;
        find = FindFirstFileW(SystemPath(searchText).c_str(), &data);
        error = GetLastError();
    }
    if (find == INVALID_HANDLE_VALUE && error != ERROR_FILE_NOT_FOUND)
        return nullptr;
    return std::make_unique<Win32Scan>(find, data);
}

} // namespace dg
