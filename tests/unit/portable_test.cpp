// The rules that every backend shares, and directory scans over the system's folders.
#include "platform/directory_scan.h"
#include "platform/portable/controls.h"
#include "platform/portable/event_queue.h"
#include "platform/system.h"

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
        {"a\n\nc", 3, {"a", "", "c"}}, {"a\tb\nc", 2, {"a\tb", "c"}},
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

TEST(DirectorySearchText, AddsOneSeparatorAndTheDefaultPattern) {
    const std::string data = std::string("data") + PathSeparator;
    EXPECT_EQ(DirectorySearchText("data", "*.*"), data + "*.*");
    EXPECT_EQ(DirectorySearchText(data, "*.txt"), data + "*.txt");
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

    EXPECT_TRUE(ScanNames(folder.Path() + PathSeparator, "*.none").empty());
#ifndef _WIN32
    // A backslash is a letter of a name: the folder is scanned by its own path.
    folder.Write("back\\slash/a\\b.txt", "abc");
    EXPECT_EQ(ScanNames(folder.Path("back\\slash"), "*.txt"), std::set<std::string>{"a\\b.txt"});
#endif
    EXPECT_FALSE(OpenDirectoryScan(0, folder.Path("missing"), "*.*"));
    EXPECT_FALSE(NextDirectoryEntry(0));
}

} // namespace
} // namespace dg
