// The folder tree model over a fake drive table, and over the system's own folders.
#include "platform/portable/folder_tree.h"

#include "fake_folder_source.h"
#include "unit_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/posix/folder_source_posix.h"
#endif

namespace dg {
namespace {

using namespace test;
using Paths = std::vector<std::string>;

// A Shift-JIS name whose second byte is a backslash.
const std::string TwoByteName = "\x95\x5C";

class FolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        source.folders = {{"C:\\", {"Users", "Temp", TwoByteName}},
                          {"C:\\Users\\", {"x", std::string(MaxTreePathBytes, 'n')}},
                          {"C:\\Users\\x\\", {"Documents"}},
                          {"C:\\Users\\x\\Documents\\", {"Music"}}};
        tree.SetText("");
    }
    Paths TopLevel() const {
        Paths paths;
        for (const auto& node : tree.Computer()->children)
            paths.push_back(tree.PathOf(*node));
        return paths;
    }

    FakeSource source;
    FolderTree tree{source};
};

TEST_F(FolderTreeTest, SelectionWalk) {
    const std::pair<std::string, std::string> cases[] = {
        {"c:\\users\\X\\DOCUMENTS\\", "C:\\Users\\x\\Documents\\"},
        {"C:\\" + TwoByteName + "\\", "C:\\" + TwoByteName + "\\"},
        {"Cx\\Temp\\", ""},
        {"C:\\Users\\nobody\\", ""},
        // Beyond the limit: cut to it, the path would name another folder.
        {"C:\\Users\\" + std::string(MaxTreePathBytes, 'n') + "\\", ""},
        // A file pattern selects the folder before it; alone, it keeps the selection.
        {"C:\\Users\\*.txt", "C:\\Users\\"},
        {"*.*", "C:\\Temp\\"}};
    for (const auto& [path, selected] : cases) {
        tree.SetText("C:\\Temp\\");
        tree.SetText(path);
        EXPECT_EQ(tree.Text(), selected) << path;
    }
}

TEST_F(FolderTreeTest, PathOfEachNodeKind) {
    FolderNode* computer = tree.Computer();
    FolderNode* documents = computer->children.at(2).get();
    tree.ReadChildren(*documents);
    EXPECT_EQ(TopLevel(), (Paths{"C:\\", "D:\\", "C:\\Users\\x\\Documents\\"}));
    EXPECT_EQ(computer->name, "My Computer");
    EXPECT_EQ(tree.PathOf(*computer), "");
    EXPECT_EQ(tree.PathOf(*documents->children.at(0)), "C:\\Users\\x\\Documents\\Music\\");
}

TEST_F(FolderTreeTest, DrivesComingAndGoing) {
    tree.SetText("D:\\");
    source.folders["D:\\"] = {"New"};
    source.notReady = {"E:\\"};
    source.top.push_back(Volume("E:\\"));
    tree.VolumesArrived({"E:\\"});
    EXPECT_EQ(TopLevel(), (Paths{"C:\\", "D:\\", "C:\\Users\\x\\Documents\\", "E:\\"}));
    EXPECT_EQ(tree.Find("E:\\"), tree.Computer()->children[3].get());
    EXPECT_EQ(tree.PromptVolume(), "E:\\");

    // E went while its prompt was open; D's medium was changed and is read again.
    source.Unplug("E:\\");
    tree.VolumesRemoved({"D:\\", "E:\\"});
    EXPECT_EQ(TopLevel(), (Paths{"C:\\", "D:\\", "C:\\Users\\x\\Documents\\"}));
    EXPECT_EQ(tree.PromptVolume(), "");
    EXPECT_NE(tree.Find("D:\\New\\"), nullptr);

    source.notReady = {"D:\\"};
    tree.VolumesRemoved({"D:\\"});
    tree.Find("D:\\");
    EXPECT_EQ(tree.PromptVolume(), "D:\\");
    tree.VolumesArrived({"D:\\"});
    EXPECT_EQ(tree.PromptVolume(), "");
}

// Linux: the home and documents folders, the root and the mounted volumes, with slashes. A
// backslash is a letter of a name, and names may differ in letter case only.
class LinuxFolderTreeTest : public FolderTreeTest {
protected:
    void SetUp() override {
        source.separator = '/';
        source.top = {{NodeKind::Place, "/home/me", {}, {"Home", -1}},
                      {NodeKind::Place, "/home/me/Docs/", {}, {"Docs", -1}},
                      Volume("/"),
                      Volume("/media/me/STICK", "1")};
        source.folders = {{"/", {"home", "media"}},
                          {"/home/", {"me"}},
                          {"/home/me/", {"Docs", "docs", "a\\b"}},
                          {"/media/", {"me"}},
                          {"/media/me/", {"STICK"}},
                          {"/media/me/STICK/", {"Photos"}}};
        tree.SetText("");
    }
    FolderNode* Top(std::size_t index) const { return tree.Computer()->children.at(index).get(); }
};

TEST_F(LinuxFolderTreeTest, WalksDownFromTheDeepestVolume) {
    EXPECT_EQ(TopLevel(), (Paths{"/home/me/", "/home/me/Docs/", "/", "/media/me/STICK/"}));
    const std::pair<std::string, std::string> cases[] = {{"/home/me/docs/", "/home/me/docs/"},
                                                         {"/home/me/DOCS/", "/home/me/Docs/"},
                                                         {"/home/me/a\\b/", "/home/me/a\\b/"},
                                                         {"/home/me/Docs/", "/home/me/Docs/"}};
    for (const auto& [path, selected] : cases) {
        tree.SetText(path);
        EXPECT_EQ(tree.Text(), selected) << path;
    }
    EXPECT_NE(tree.Selected(), Top(1)) << "under the root, not the place";
    tree.SetText("/media/me/STICK/Photos/");
    EXPECT_EQ(tree.Selected()->parent, Top(3));
}

TEST_F(LinuxFolderTreeTest, VolumesFollowTheMountTable) {
    EXPECT_FALSE(tree.UpdateVolumes());
    source.top.push_back(Volume("/run/media/me/CARD/", "2"));
    EXPECT_TRUE(tree.UpdateVolumes());
    EXPECT_EQ(tree.PathOf(*Top(4)), "/run/media/me/CARD/");

    // Another stick at the same point: what was read of the first no longer holds.
    tree.SetText("/media/me/STICK/Photos/");
    source.top[3].medium = "3";
    EXPECT_TRUE(tree.UpdateVolumes());
    EXPECT_EQ(tree.Text(), "");
    EXPECT_FALSE(Top(3)->read);
    EXPECT_TRUE(Top(3)->children.empty());
    EXPECT_FALSE(tree.UpdateVolumes());

    source.Unplug("/media/me/STICK");
    EXPECT_TRUE(tree.UpdateVolumes());
    EXPECT_EQ(TopLevel(), (Paths{"/home/me/", "/home/me/Docs/", "/", "/run/media/me/CARD/"}));
}

// Over the system's folders: hidden and system ones are listed, and a button shows only
// where a subfolder is, a hidden one too.
TEST(FolderTreeSystem, HiddenFoldersListedAndButtonsFollowSubfolders) {
    test::TempFolder folder;
    folder.Write("files/a.txt", "a");
    std::filesystem::create_directories(folder.Path("hidden/.h"));
    std::filesystem::create_directories(folder.Path("system"));
#ifdef _WIN32
    for (const char* name : {"hidden", "hidden/.h"})
        SetFileAttributesA(folder.Path(name).c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(folder.Path("system").c_str(), FILE_ATTRIBUTE_SYSTEM);
#else
    // A backslash is a letter of a name.
    std::filesystem::create_directories(folder.Path("back\\slash/sub"));
#endif
    FolderTree tree(SystemFolderSource());
    tree.SetText("");
    const auto path = (std::filesystem::path(folder.Path()) / "").make_preferred().string();
    FolderNode* node = tree.Find(path);
    ASSERT_NE(node, nullptr);
    std::map<std::string, bool> buttons;
    for (const auto& child : node->children)
        buttons[child->name] = tree.HasButton(*child);
    std::map<std::string, bool> expected{{"files", false}, {"hidden", true}, {"system", false}};
#ifndef _WIN32
    expected["back\\slash"] = true;
#endif
    EXPECT_EQ(buttons, expected);
}

#ifndef _WIN32
TEST(LinuxFolderSource, RemovableVolumesOfTheMountTable) {
    const std::string table = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                              "30 22 0:25 / /media rw - tmpfs tmpfs rw\n"
                              "301 30 8:17 / /media/me/MY\\040STICK rw,nosuid - vfat /dev/sdb1 rw\n"
                              "302 22 8:33 / /run/media/me/CARD rw - exfat /dev/sdc1 rw\n"
                              "303 22 8:49 / /mnt/a\\134b rw - ext4 /dev/sdd1 rw\n"
                              "304 22 8:65 / /mediafiles rw - ext4 /dev/sde1 rw\n"
                              "306 301 8:18 / /media/me/MY\\040STICK rw - vfat /dev/sdb2 rw\n";
    std::vector<std::string> volumes;
    for (const MountedVolume& volume : RemovableVolumes(table))
        volumes.push_back(volume.path + "|" + volume.medium);
    EXPECT_EQ(volumes,
              (std::vector<std::string>{"/media/me/MY STICK/|306 8:18",
                                        "/run/media/me/CARD/|302 8:33", "/mnt/a\\b/|303 8:49"}));
}

// The folder that xdg-user-dirs names, where it exists, else the home folder; nothing without a
// home. The tree shows home, the documents folder where it is another, the root, then whatever
// is mounted.
TEST(DocumentsFolder, OfTheUserShownBesideHome) {
    TempFolder home;
    ScopedVariable homeVariable("HOME", home.Path().c_str());
    ScopedVariable config("XDG_CONFIG_HOME", home.Path("config").c_str());
    const std::string documents = home.Path("Documents");
    const std::string quoted = home.Path("My \"Docs\"");
    std::filesystem::create_directories(documents);
    std::filesystem::create_directories(quoted);
    const std::pair<std::string, std::string> cases[] = {
        {"", home.Path()},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", home.Path()},
        {"  XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"  # quoted\n", quoted},
        {"XDG_DOCUMENTS_DIR=\"" + documents + "\"\n", documents},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\nXDG_DOCUMENTS_DIR=$HOME/Documents\n", documents},
        {"XDG_DOCUMENTS_DIR=\"Documents\"\n", home.Path()},
    };
    for (const auto& [setting, folder] : cases) {
        home.Write("config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n" + setting);
        EXPECT_EQ(DocumentsFolderPath(), folder) << setting;
    }
    EXPECT_EQ(DocumentsFolderWithSeparator(), home.Path() + "/");
    FolderTree tree(SystemFolderSource());
    const auto topLevel = [&](std::size_t count) {
        tree.SetText("");
        Paths top;
        for (const auto& node : tree.Computer()->children)
            top.push_back(node->name + "|" + tree.PathOf(*node));
        top.resize(count);
        return top;
    };
    EXPECT_EQ(topLevel(2), (Paths{"Home|" + home.Path() + "/", "File System|/"}));
    home.Write("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=$HOME/Documents\n");
    EXPECT_EQ(topLevel(3), (Paths{"Home|" + home.Path() + "/", "Documents|" + documents + "/",
                                  "File System|/"}));
    ScopedVariable noHome("HOME", nullptr);
    EXPECT_EQ(DocumentsFolderPath(), "");
}
#endif

} // namespace
} // namespace dg
