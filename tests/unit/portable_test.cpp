// The rules that every backend shares, and directory scans over the system's folders.
#include "platform/directory_scan.h"
#include "platform/portable/controls.h"
#include "platform/portable/event_queue.h"

#include "hashing/file_digest.h"
#include "unit_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace dg {
namespace {

using Cells = std::vector<std::string>;

TEST(SplitListRow, CellsAtLineFeedsFittedToTheColumns) {
    const struct {
        const char* text;
        int columns;
        Cells cells;
    } cases[] = {
        {"a\nb", 2, {"a", "b"}},       {"alone", 2, {"alone", ""}},   {"a\n\nc", 2, {"a", ""}},
        {"a\n\nc", 3, {"a", "", "c"}}, {"x\ny\n", 3, {"x", "y", ""}}, {"", 2, {"", ""}},
        {"a\tb\nc", 2, {"a\tb", "c"}},
    };
    for (const auto& [text, columns, cells] : cases)
        EXPECT_EQ(SplitListRow(text, columns), cells) << text;
}

TEST(EventQueue, EqualEventsInARowCollapseAndAClosedWindowsEventsAreDropped) {
    const EventRecord closeMain{EventCloseWindow, 0, 0, 0};
    const EventRecord closeAbout{EventCloseWindow, 2, 2, 0};
    EventQueue queue;
    for (const EventRecord& event : {closeMain, closeMain, closeAbout, closeMain})
        queue.Push(event);
    queue.DropWindow(2);
    std::vector<EventRecord> fetched;
    for (EventRecord event; queue.Pop(event);)
        fetched.push_back(event);
    EXPECT_EQ(fetched, (std::vector<EventRecord>{closeMain, closeMain}));
}

using test::ScanNames;
using test::TempFolder;

TEST(DirectorySearchText, AddsOneBackslashAndTheDefaultPattern) {
    EXPECT_EQ(DirectorySearchText("C:\\Data", "*.*"), "C:\\Data\\*.*");
    EXPECT_EQ(DirectorySearchText("C:\\Data\\", "*.txt"), "C:\\Data\\*.txt");
    EXPECT_EQ(DirectorySearchText("C:\\", ""), "C:\\*.*");
    EXPECT_EQ(DirectorySearchText("", "*.*"), "*.*");
}

// The name beyond ASCII comes back whole, in whatever code page the system gives it: the
// file opens by it. Nothing matching is a scan without entries; a missing folder no scan.
TEST(DirectoryScan, NameBeyondAsciiOpensAndNoMatchIsAnEmptyScan) {
    TempFolder folder;
    folder.Write("caf\xC3\xA9.txt", "abc");
    folder.Write("other.bin", "");
    const std::set<std::string> names = ScanNames(folder.Path(), "*.txt");
    ASSERT_EQ(names.size(), 1u);
    const char separator = std::filesystem::path::preferred_separator;
    EXPECT_EQ(FileDigest(folder.Path() + separator + *names.begin()),
              "900150983cd24fb0d6963f7d28e17f72");

    EXPECT_TRUE(ScanNames(folder.Path() + "\\", "*.none").empty());
    EXPECT_FALSE(OpenDirectoryScan(0, folder.Path("missing"), "*.*"));
    EXPECT_FALSE(NextDirectoryEntry(0));
}

} // namespace
} // namespace dg
