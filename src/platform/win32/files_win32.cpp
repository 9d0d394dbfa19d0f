#include "platform/files.h"
#include "platform/portable/file_faults.h"
#include "platform/win32/long_paths.h"
#include "platform/win32/wow64.h"

#include <windows.h>

namespace dg {

namespace {

HANDLE Native(long long handle) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(handle));
}

// Others may read the file while we do, but nobody may write or delete it; a writer that is
// already there makes the open fail, whatever sharing it granted. Redirection is off for the
// open only: the bytes hashed are those of the folder the user chose, System32 included.
INT_PTR OpenForReading(const std::string& path) {
    const FileSystemRedirectionOff redirectionOff;
    return reinterpret_cast<INT_PTR>(
        CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// Others may read a report while it is written.
INT_PTR OpenForWriting(const std::string& path, DWORD access, DWORD disposition) {
    return reinterpret_cast<INT_PTR>(CreateFileW(SystemPath(path).c_str(), access, FILE_SHARE_READ,
                                                 nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                                                 nullptr));
}

} // namespace

InputFile::InputFile(const std::string& path) : handle_(OpenForReading(path)) {}

InputFile::~InputFile() {
    if (IsOpen())
        CloseHandle(Native(handle_));
}

bool InputFile::IsOpen() const {
    return Native(handle_) != INVALID_HANDLE_VALUE;
}

long long InputFile::Read(void* buffer, std::size_t size) {
    if (!IsOpen() || ReadFailsAt(delivered_))
        return -1;
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const DWORD want = size - done > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size - done);
        DWORD got = 0;
        if (!ReadFile(Native(handle_), out + done, want, &got, nullptr))
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    delivered_ += static_cast<long long>(done);
    return static_cast<long long>(done);
}

// When the report cannot be created or emptied so that we may read it too (an existing file
// that others keep from reading, say), writing alone is tried.
OutputFile::OutputFile(const std::string& path)
    : path_(path), handle_(OpenForWriting(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS)) {
    if (!IsOpen())
        handle_ = OpenForWriting(path, GENERIC_WRITE, TRUNCATE_EXISTING);
}

bool OutputFile::IsOpen() const {
    return Native(handle_) != INVALID_HANDLE_VALUE;
}

bool OutputFile::WriteNative(const char* bytes, std::size_t size) {
    while (size > 0) {
        DWORD put = 0;
        if (!WriteFile(Native(handle_), bytes, static_cast<DWORD>(size), &put, nullptr) || put == 0)
            return false;
        bytes += put;
        size -= put;
    }
    return true;
}

bool OutputFile::CloseNative() {
    const HANDLE file = Native(handle_);
    handle_ = reinterpret_cast<INT_PTR>(INVALID_HANDLE_VALUE);
    return CloseHandle(file) != 0;
}

void OutputFile::RemoveNative() {
    (void)DeleteFileW(SystemPath(path_).c_str());
}

} // namespace dg
