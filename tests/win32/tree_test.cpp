// The directory tree on a real tree-view control over Wine's drives, and directory scans and
// the digest on the real file system: each is shown the real System32 by a 32-bit program,
// not SysWOW64.
#include "hashing/file_digest.h"
#include "platform/folder_source.h"
#include "platform/system.h"
#include "platform/tree.h"
#include "unit/fake_folder_source.h"
#include "unit/unit_support.h"
#include "win32_test_support.h"

#include <dbt.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

namespace dg::test {
namespace {

std::string ItemText(HWND tree, HTREEITEM item) {
    char text[MAX_PATH] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

std::vector<HTREEITEM> Children(HWND tree, HTREEITEM item) {
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child != nullptr;
         child = TreeView_GetNextSibling(tree, child))
        children.push_back(child);
    return children;
}

class TreeTest : public WindowTest {
protected:
    void Open(FolderSource& source = SystemFolderSource()) {
        ASSERT_TRUE(OpenWindow(DirectoryWindow, 278, 246, "Tree", 0));
        ASSERT_NE(win32::CreateTree(DirectoryWindow, DirectoryTree, {0, 0, 279, 224},
                                    DocumentsFolderWithSeparator(), source),
                  0);
        tree = ControlHandle(DirectoryTree);
    }
    // What Windows sends when a medium arrives in the drive.
    static void Arrive(char drive) {
        DEV_BROADCAST_VOLUME volume{};
        volume.dbcv_size = sizeof(volume);
        volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
        volume.dbcv_unitmask = 1u << (drive - 'A');
        SendMessageA(win32::WindowHandle(DirectoryWindow), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                     reinterpret_cast<LPARAM>(&volume));
    }

    HWND tree = nullptr;
};

TEST_F(TreeTest, NotReadyPromptDisablesTheTreeUntilCancelOrAMedium) {
    FakeSource source; // drive C without a medium
    source.notReady = {"C:\\"};
    Open(source);
    HWND prompt = FindWindowA("DigestoriumDrivePrompt", nullptr);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(GetWindow(prompt, GW_OWNER), win32::WindowHandle(DirectoryWindow));
    EXPECT_FALSE(IsWindowEnabled(tree));
    EXPECT_NE(FindWindowExA(prompt, nullptr, "STATIC", "Please insert a disk into drive C:."),
              nullptr);
    SendMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(prompt));
    EXPECT_TRUE(IsWindowEnabled(tree));

    SetControlText(DirectoryTree, "C:\\");
    ASSERT_NE(FindWindowA("DigestoriumDrivePrompt", nullptr), nullptr);
    Arrive('C');
    EXPECT_EQ(FindWindowA("DigestoriumDrivePrompt", nullptr), nullptr);
    EXPECT_TRUE(IsWindowEnabled(tree));
}

// On a monitor of another DPI the tree draws copies of the system's icons at its own size,
// made as far as its nodes need: also for volumes that come with icons new to the system.
TEST_F(TreeTest, IconsAtTheMonitorsDpiForEveryNode) {
    FakeSource source;
    Open(source);
    HWND window = win32::WindowHandle(DirectoryWindow);
    RECT suggested{};
    GetWindowRect(window, &suggested);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    HIMAGELIST system = win32::SystemSmallIcons();
    HIMAGELIST shown = TreeView_GetImageList(tree, TVSIL_NORMAL);
    ASSERT_NE(shown, system);
    // Drive D's medium changed, then drive E arrived.
    for (const char* drive : {"D:\\", "E:\\"}) {
        source.volumeIcon = ImageList_AddIcon(system, LoadIconA(nullptr, IDI_APPLICATION));
        ASSERT_GE(source.volumeIcon, ImageList_GetImageCount(shown));
        if (drive[0] == 'E')
            source.top.push_back(Volume(drive));
        Arrive(drive[0]);
        EXPECT_GT(ImageList_GetImageCount(shown), source.volumeIcon) << drive;
    }
    TreeView_SelectItem(tree, Children(tree, TreeView_GetRoot(tree)).back());
    EXPECT_EQ(GetControlText(DirectoryTree), "E:\\");
}

// A folder shows an expand button only when it holds a subfolder; the tree asks as it shows it.
TEST_F(TreeTest, AFolderShowsAButtonOnlyWhenItHoldsASubfolder) {
    const TempFolder folder;
    folder.Write("with\\inner\\file.txt", "x");
    folder.Write("without\\file.txt", "x");
    Open();
    SetControlText(DirectoryTree, folder.Path() + "\\");
    UpdateWindow(tree);
    std::map<std::string, int> buttons;
    for (HTREEITEM child : Children(tree, TreeView_GetSelection(tree))) {
        TVITEMA item{};
        item.mask = TVIF_CHILDREN;
        item.hItem = child;
        TreeView_GetItem(tree, &item);
        buttons[ItemText(tree, child)] = item.cChildren;
    }
    EXPECT_EQ(buttons, (std::map<std::string, int>{{"with", 1}, {"without", 0}}));
}

// A 32-bit program is shown SysWOW64 for System32 unless it asks not to be. A folder and a
// file put into the real System32 (redirection off for the writing only) are seen there by the
// tree, the scan and the digest, and not in SysWOW64; plain calls around them are redirected.
// A 64-bit build, which serves only to run the tests where Wine runs no 32-bit programs, is
// never redirected.
#ifndef _WIN64
TEST_F(TreeTest, System32IsTheRealOneForTheTreeTheScanAndTheDigest) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string system32 = std::string(windows) + "\\system32\\";
    const std::string syswow64 = std::string(windows) + "\\syswow64\\";
    if (GetFileAttributesA(syswow64.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "not a 64-bit system";
    const std::string folder = "dg_marker_" + std::to_string(GetCurrentProcessId());
    const std::string file = folder + ".txt";
    PVOID old = nullptr;
    ASSERT_TRUE(Wow64DisableWow64FsRedirection(&old));
    CreateDirectoryA((system32 + folder).c_str(), nullptr);
    std::ofstream(system32 + file) << "abc";
    Wow64RevertWow64FsRedirection(old);

    Open();
    SetControlText(DirectoryTree, system32);
    const auto shown = Children(tree, TreeView_GetSelection(tree));
    EXPECT_EQ(std::ranges::count_if(shown,
                                    [&](HTREEITEM item) { return ItemText(tree, item) == folder; }),
              1);
    EXPECT_EQ(ScanNames(system32, file), std::set<std::string>{file});
    EXPECT_TRUE(ScanNames(syswow64, file).empty());
    EXPECT_EQ(FileDigest(system32 + file), AbcDigest);
    EXPECT_EQ(GetFileAttributesA((system32 + file).c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(Wow64DisableWow64FsRedirection(&old));
    DeleteFileA((system32 + file).c_str());
    RemoveDirectoryA((system32 + folder).c_str());
    Wow64RevertWow64FsRedirection(old);
}
#endif

} // namespace
} // namespace dg::test
