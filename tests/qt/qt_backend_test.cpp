// What the contract leaves to each backend, on the Qt widgets themselves: the tree's path, and
// worker calls once the platform is released. Dialogs, message boxes, the clipboard and
// launching are proven through the scenario tests, which run on this backend.
#include "contract/contract.h"
#include "qt/qt_support.h"
#include "unit/unit_support.h"

#include "platform/threads.h"
#include "platform/tree.h"
#include "platform/ui.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

namespace dg {
namespace {

using QtBackend = contract::ListWindowTest;

TEST_F(QtBackend, TreeTextIsTheSelectedFoldersPath) {
    const test::TempFolder folder;
    folder.Write("inner/deeper/file", "");
    folder.Write("plain/file", "");
    ASSERT_TRUE(OpenWindow(DirectoryWindow, 278, 246, "Tree", 0));
    ASSERT_TRUE(CreateDirectoryTree(DirectoryWindow, DirectoryTree, {0, 0, 279, 224},
                                    folder.Path() + "/", TreeProgramFlags));
    // The user opens the folder and picks its subfolder.
    auto* tree = static_cast<QTreeWidget*>(test::Widget(DirectoryTree));
    QTreeWidgetItem* current = tree->currentItem();
    ASSERT_NE(current, nullptr);
    current->setExpanded(true);
    ASSERT_EQ(current->childCount(), 2);
    // Only a folder holding a folder offers to open.
    QTreeWidgetItem* inner = current->child(current->child(0)->text(0) == "inner" ? 0 : 1);
    QTreeWidgetItem* plain = current->child(current->child(0)->text(0) == "inner" ? 1 : 0);
    EXPECT_EQ(inner->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(plain->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
    tree->setCurrentItem(inner);
    EXPECT_EQ(GetControlText(DirectoryTree), folder.Path("inner/"));
}

// Once the platform is released, a worker's call returns at once: the process can end with
// jobs still running.
TEST(QtBackendEnd, WorkerCallsAfterReleaseReturnAtOnce) {
    contract::StartPlatform();
    ReleasePlatform();
    std::promise<void> returned;
    std::thread([&returned] {
        SetStatusText(StatusBar, 0, "late");
        returned.set_value();
    }).detach();
    if (returned.get_future().wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // The waiting worker would also hold the process at its end.
        std::fputs("a worker's call made after release never returned\n", stderr);
        std::_Exit(1);
    }
}

} // namespace
} // namespace dg
