#include "platform/directory_scan.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

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
    // Bytes of another code page pass through as they are.
    folder.Write("caf\xC3\xA9.bin", "");
    std::filesystem::create_directory(folder.Path("sub"));
    folder.Write("sub/inner.txt", "");

    ASSERT_NE(OpenDirectoryScan(3, folder.Path() + "\\", "*.*"), 0);
    EXPECT_EQ(DirectoryEntryType(3), EntryNone);
    EXPECT_EQ(Entries(3), (std::map<std::string, int>{{".", EntryDirectory},
                                                      {"..", EntryDirectory},
                                                      {"a.txt", EntryFile},
                                                      {"caf\xC3\xA9.bin", EntryFile},
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
