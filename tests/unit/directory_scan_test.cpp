#include "platform/directory_scan.h"

#include "hashing/file_digest.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

namespace dg {
namespace {

using test::TempFolder;

TEST(DirectorySearchText, AddsOneBackslashAndTheDefaultPattern) {
    EXPECT_EQ(DirectorySearchText("C:\\Data", "*.*"), "C:\\Data\\*.*");
    EXPECT_EQ(DirectorySearchText("C:\\Data\\", "*.txt"), "C:\\Data\\*.txt");
    EXPECT_EQ(DirectorySearchText("C:\\", ""), "C:\\*.*");
    EXPECT_EQ(DirectorySearchText("", "*.*"), "*.*");
    EXPECT_EQ(DirectorySearchText("", ""), "*.*");
}

// Every entry of the scan with its type.
std::map<std::string, int> Entries(int scan) {
    std::map<std::string, int> entries;
    while (NextDirectoryEntry(scan))
        entries[DirectoryEntryName(scan)] = DirectoryEntryType(scan);
    return entries;
}

TEST(DirectoryScan, GivesEachEntryOnceWithItsType) {
    TempFolder folder;
    folder.Write("a.txt", "a");
    folder.Write("no dot", "");
    folder.Write("caf\xC3\xA9.bin", "abc");
    std::filesystem::create_directory(folder.Path("sub"));
    folder.Write("sub/inner.txt", "");

    ASSERT_NE(OpenDirectoryScan(3, folder.Path() + "\\", "*.*"), 0);
    EXPECT_EQ(DirectoryEntryType(3), EntryNone);
    std::map<std::string, int> entries = Entries(3);
    // The name beyond ASCII, in whatever code page the system gave it, is whole: the file
    // opens by it.
    const auto beyond = std::find_if(entries.begin(), entries.end(), [](const auto& entry) {
        return std::any_of(entry.first.begin(), entry.first.end(),
                           [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    });
    ASSERT_NE(beyond, entries.end());
    EXPECT_EQ(beyond->second, EntryFile);
    const char separator = std::filesystem::path::preferred_separator;
    EXPECT_EQ(FileDigest(folder.Path() + separator + beyond->first),
              "900150983cd24fb0d6963f7d28e17f72");
    entries.erase(beyond);
    EXPECT_EQ(entries, (std::map<std::string, int>{{".", EntryDirectory},
                                                   {"..", EntryDirectory},
                                                   {"a.txt", EntryFile},
                                                   {"no dot", EntryFile},
                                                   {"sub", EntryDirectory}}));
    EXPECT_EQ(NextDirectoryEntry(3), 0);
    CloseDirectoryScan(3);
    EXPECT_EQ(DirectoryEntryType(3), EntryNone);

    ASSERT_NE(OpenDirectoryScan(0, folder.Path(), "*.txt"), 0);
    EXPECT_EQ(Entries(0), (std::map<std::string, int>{{"a.txt", EntryFile}}));
    CloseDirectoryScan(0);
}

TEST(DirectoryScan, NothingMatchingIsAnEmptyScanAndAMissingFolderAFailure) {
    TempFolder folder;
    ASSERT_NE(OpenDirectoryScan(0, folder.Path(), "*.none"), 0);
    EXPECT_EQ(NextDirectoryEntry(0), 0);
    EXPECT_EQ(DirectoryEntryType(0), EntryNone);
    CloseDirectoryScan(0);

    EXPECT_EQ(OpenDirectoryScan(0, folder.Path("missing"), "*.*"), 0);
    EXPECT_EQ(NextDirectoryEntry(0), 0);
    EXPECT_EQ(DirectoryEntryType(0), EntryNone);
}

} // namespace
} // namespace dg
