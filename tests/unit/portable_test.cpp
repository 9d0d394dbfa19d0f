// The rules that every user-interface backend shares.
#include "platform/portable/controls.h"
#include "platform/portable/event_queue.h"

#include <gtest/gtest.h>

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
    const EventRecord closeMain{16, 0, 0, 0};
    const EventRecord closeAbout{16, 2, 2, 0};
    EventQueue queue;
    for (const EventRecord& event : {closeMain, closeMain, closeAbout, closeMain})
        queue.Push(event);
    queue.DropWindow(2);
    std::vector<EventRecord> fetched;
    for (EventRecord event; queue.Pop(event);)
        fetched.push_back(event);
    EXPECT_EQ(fetched, (std::vector<EventRecord>{closeMain, closeMain}));
}

} // namespace
} // namespace dg
