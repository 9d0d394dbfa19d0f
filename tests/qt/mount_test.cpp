// A volume mounted or unmounted while the chooser is open appears in its top level or goes, as
// the kernel reports it. Mounting needs root: the program runs in a mount namespace of its own,
// made before any thread starts, so nothing it mounts is seen outside.
#include "contract/contract.h"

#include "platform/qt/qt_backend.h"
#include "platform/tree.h"
#include "platform/ui.h"

#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dg {
namespace {

constexpr char Volume[] = "/mnt/DigestoriumVolume";

// Before main, while the process has one thread.
const bool ownMounts = geteuid() == 0 && unshare(CLONE_NEWNS) == 0 &&
                       mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;

// Among the folders under Computer: the tree reads no folder below the root's own, so no
// other item is so named.
bool VolumeShown(QTreeWidget* tree) {
    return !tree->findItems("DigestoriumVolume", Qt::MatchContains | Qt::MatchRecursive).isEmpty();
}

TEST(QtMounts, AVolumeMountedOrUnmountedWhileTheChooserIsOpen) {
    if (!ownMounts)
        GTEST_SKIP() << "needs root and a mount namespace of its own";
    // /mnt is covered by a scratch file system first, so that the volume's folder is made there.
    ASSERT_EQ(mount("none", "/mnt", "tmpfs", 0, nullptr), 0);
    ASSERT_EQ(mkdir(Volume, 0755), 0);
    contract::StartPlatform();
    ASSERT_TRUE(OpenWindow(DirectoryWindow, 278, 246, "Tree", 0));
    ASSERT_TRUE(CreateDirectoryTree(DirectoryWindow, DirectoryTree, {0, 0, 279, 224}, "/",
                                    TreeProgramFlags));
    auto* tree = static_cast<QTreeWidget*>(qt::FindControl(DirectoryTree)->widget);
    EXPECT_FALSE(VolumeShown(tree));

    ASSERT_EQ(mount("none", Volume, "tmpfs", 0, nullptr), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return VolumeShown(tree); }, 10000));
    ASSERT_EQ(umount(Volume), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !VolumeShown(tree); }, 10000));

    CloseWindow(DirectoryWindow);
    ReleasePlatform();
    umount("/mnt");
}

} // namespace
} // namespace dg
