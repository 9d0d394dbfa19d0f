// Directory scans and the digest on the real file system: attributes and the redirection
// that shows a 32-bit program SysWOW64 when it asks for System32.
#include "hashing/file_digest.h"
#include "platform/directory_scan.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

namespace dg::test {
namespace {

std::set<std::string> Names(const std::string& directory, const std::string& pattern) {
    std::set<std::string> names;
    if (!OpenDirectoryScan(0, directory, pattern))
        return names;
    while (NextDirectoryEntry(0))
        names.insert(DirectoryEntryName(0));
    CloseDirectoryScan(0);
    return names;
}

void WriteFileBytes(const std::string& path, const std::string& bytes, DWORD attributes) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "dg_scan_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

TEST(DirectoryScanWin32, ListsHiddenAndSystemFiles) {
    const std::string folder = TempFolder();
    WriteFileBytes(folder + "hidden.txt", "abc", FILE_ATTRIBUTE_HIDDEN);
    WriteFileBytes(folder + "system.txt", "abc", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    WriteFileBytes(folder + "plain.txt", "abc", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Names(folder, "*.*"),
              (std::set<std::string>{".", "..", "hidden.txt", "plain.txt", "system.txt"}));
    EXPECT_EQ(FileDigest(folder + "system.txt"), "900150983cd24fb0d6963f7d28e17f72");
    for (const char* name : {"hidden.txt", "system.txt", "plain.txt"}) {
        SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((folder + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

// A file put into the real System32 (redirection off for the writing only) is seen there by
// the scan and the digest, and not in SysWOW64; plain calls around them are still redirected.
TEST(DirectoryScanWin32, System32IsTheRealOneNotSysWow64) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string system32 = std::string(windows) + "\\system32\\";
    const std::string syswow64 = std::string(windows) + "\\syswow64\\";
    if (GetFileAttributesA(syswow64.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "not a 64-bit system";
    const std::string name = "dg_marker_" + std::to_string(GetCurrentProcessId()) + ".txt";
    PVOID old = nullptr;
    ASSERT_TRUE(Wow64DisableWow64FsRedirection(&old));
    WriteFileBytes(system32 + name, "abc", FILE_ATTRIBUTE_NORMAL);
    Wow64RevertWow64FsRedirection(old);

    EXPECT_EQ(Names(system32, name), std::set<std::string>{name});
    EXPECT_TRUE(Names(syswow64, name).empty());
    EXPECT_EQ(FileDigest(system32 + name), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(GetFileAttributesA((system32 + name).c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(Wow64DisableWow64FsRedirection(&old));
    DeleteFileA((system32 + name).c_str());
    Wow64RevertWow64FsRedirection(old);
}

} // namespace
} // namespace dg::test
