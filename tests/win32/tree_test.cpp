// The directory tree on a real tree-view control over Wine's drives.
#include "platform/folder_source.h"
#include "platform/tree.h"
#include "win32_test_support.h"

#include <dbt.h>

#include <algorithm>
#include <bitset>
#include <filesystem>

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

std::vector<std::string> SortedNames(HWND tree, HTREEITEM item) {
    std::vector<std::string> names;
    for (HTREEITEM child : Children(tree, item))
        names.push_back(ItemText(tree, child));
    std::sort(names.begin(), names.end());
    return names;
}

// The subfolders as another way of listing sees them.
std::vector<std::string> SortedSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Documents() {
    std::string path = PlatformSpecialFolderPath(CsidlPersonal);
    return path.back() == '\\' ? path : path + '\\';
}

class TreeTest : public WindowTest {
protected:
    void Open(FolderSource& source = SystemFolderSource()) {
        ASSERT_NE(OpenWindow(DirectoryWindow, 278, 246, "Tree", 0), 0);
        ASSERT_NE(win32::CreateTree(DirectoryWindow, DirectoryTree, {0, 0, 279, 224}, Documents(),
                                    source),
                  0);
        tree = ControlHandle(DirectoryTree);
        computer = TreeView_GetRoot(tree);
    }
    // Selects as a click would, and reads the tree's text.
    std::string TextOf(HTREEITEM item) {
        TreeView_SelectItem(tree, item);
        return GetControlText(DirectoryTree);
    }

    HWND tree = nullptr;
    HTREEITEM computer = nullptr;
};

TEST_F(TreeTest, OpensAtTheDocumentsFolderUnderItsDrive) {
    Open();
    EXPECT_EQ(GetControlText(DirectoryTree), Documents());
    HTREEITEM selected = TreeView_GetSelection(tree);
    HTREEITEM drive = selected;
    while (TreeView_GetParent(tree, drive) != computer)
        drive = TreeView_GetParent(tree, drive);
    EXPECT_EQ(TextOf(drive), "C:\\");
    EXPECT_EQ(TextOf(computer), "");
    const auto top = Children(tree, computer);
    EXPECT_EQ(top.size(), std::bitset<32>(GetLogicalDrives()).count() + 1) << "and documents";
    EXPECT_EQ(TextOf(top.back()), Documents());
    EXPECT_NE(drive, top.back());
}

TEST_F(TreeTest, ShowsHiddenAndSystemFolders) {
    Open();
    const auto root = std::filesystem::temp_directory_path() / "dg-tree-attributes";
    std::filesystem::create_directories(root / "hidden");
    std::filesystem::create_directories(root / "system");
    SetFileAttributesA((root / "hidden").string().c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((root / "system").string().c_str(), FILE_ATTRIBUTE_SYSTEM);
    const std::string path = (root / "").string();
    SetControlText(DirectoryTree, path);
    EXPECT_EQ(GetControlText(DirectoryTree), path);
    EXPECT_EQ(SortedNames(tree, TreeView_GetSelection(tree)),
              (std::vector<std::string>{"hidden", "system"}));
    std::filesystem::remove_all(root);
}

// A 32-bit program is shown SysWOW64 for System32 unless it asks not to be.
TEST_F(TreeTest, System32IsTheRealOne) {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix == nullptr)
        GTEST_SKIP() << "WINEPREFIX names the prefix to compare with";
    const std::string windows = std::string("Z:") + prefix + "/drive_c/windows/";
    ASSERT_NE(SortedSubfolders(windows + "system32"), SortedSubfolders(windows + "syswow64"));
    Open();
    SetControlText(DirectoryTree, "C:\\windows\\system32\\");
    EXPECT_EQ(SortedNames(tree, TreeView_GetSelection(tree)),
              SortedSubfolders(windows + "system32"));
}

// Drive C without a medium, as far as the tree can tell.
class EmptyDriveC : public FolderSource {
public:
    FolderSource& real = SystemFolderSource();
    unsigned long Drives() override { return real.Drives(); }
    ShellLook DriveLook(int drive) override { return real.DriveLook(drive); }
    ShellLook ComputerLook() override { return real.ComputerLook(); }
    DocumentsFolder Documents() override { return real.Documents(); }
    int FolderIcon() override { return real.FolderIcon(); }
    DriveAccess CheckDrive(int drive) override {
        return drive == 2 ? DriveAccess::NotReady : real.CheckDrive(drive);
    }
    std::vector<std::string> Subfolders(const std::string& folder) override {
        return real.Subfolders(folder);
    }
    bool HasSubfolder(const std::string& folder) override { return real.HasSubfolder(folder); }
    bool IsLeadByte(char byte) const override { return real.IsLeadByte(byte); }
};

TEST_F(TreeTest, NotReadyPromptDisablesTheTreeUntilCancelOrAMedium) {
    EmptyDriveC source;
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
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1 << 2;
    SendMessageA(win32::WindowHandle(DirectoryWindow), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                 reinterpret_cast<LPARAM>(&volume));
    EXPECT_EQ(FindWindowA("DigestoriumDrivePrompt", nullptr), nullptr);
    EXPECT_TRUE(IsWindowEnabled(tree));
}

} // namespace
} // namespace dg::test
