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
#endif

namespace dg {
namespace {

using namespace test;

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
    std::vector<std::string> TopLevel() const {
        std::vector<std::string> names;
        for (const auto& node : tree.Computer()->children)
            names.push_back(node->name);
        return names;
    }
    FolderNode* Child(FolderNode* node, std::size_t index) {
        tree.ReadChildren(*node);
        return node->children.at(index).get();
    }

    FakeSource source;
    FolderTree tree{source};
};

TEST_F(FolderTreeTest, SelectionWalk) {
    const std::pair<std::string, std::string> cases[] = {
        {"c:\\users\\X\\DOCUMENTS\\", "C:\\Users\\x\\Documents\\"},
        {"d:\\", "D:\\"},
        {"C:\\" + TwoByteName + "\\", "C:\\" + TwoByteName + "\\"},
        {"E:\\Temp\\", ""},
        {"\\\\server\\share\\", ""},
        {"\\", ""},
        {"Cx\\Temp\\", ""},
        {"C:\\Users\\nobody\\", ""}};
    for (const auto& [path, selected] : cases) {
        tree.SetText("C:\\Temp\\");
        tree.SetText(path);
        EXPECT_EQ(tree.Text(), selected) << path;
    }
}

TEST_F(FolderTreeTest, TextRulesRebuildAndSelect) {
    tree.SetText("C:\\Temp\\*.txt");
    EXPECT_EQ(tree.Text(), "C:\\Temp\\");
    tree.SetText("*.*");
    EXPECT_EQ(tree.Text(), "C:\\Temp\\");
    EXPECT_FALSE(tree.Computer()->children[1]->read) << "the top level is built again";
    tree.SetText("");
    EXPECT_EQ(tree.Text(), "");
}

TEST_F(FolderTreeTest, PathOfEachNodeKind) {
    FolderNode* computer = tree.Computer();
    FolderNode* documents = Child(computer, 2);
    EXPECT_EQ(TopLevel(), (std::vector<std::string>{"C:", "D:", "Docs"}));
    EXPECT_EQ(computer->name, "My Computer");
    EXPECT_EQ(tree.PathOf(*computer), "");
    EXPECT_EQ(tree.PathOf(*Child(computer, 1)), "D:\\");
    EXPECT_EQ(tree.PathOf(*documents), "C:\\Users\\x\\Documents\\");
    EXPECT_EQ(tree.PathOf(*Child(documents, 0)), "C:\\Users\\x\\Documents\\Music\\");
    FolderNode* users = Child(Child(computer, 0), 0);
    EXPECT_EQ(tree.PathOf(*Child(users, 0)), "C:\\Users\\x\\");
    // Beyond the limit: cut to it, the path would name another folder.
    EXPECT_EQ(tree.PathOf(*Child(users, 1)), "");
}

TEST_F(FolderTreeTest, DrivesComingAndGoing) {
    tree.SetText("D:\\");
    source.folders["D:\\"] = {"New"};
    source.notReady = Bit('E');
    source.drives |= Bit('E');
    tree.DrivesArrived(Bit('E'));
    EXPECT_EQ(TopLevel(), (std::vector<std::string>{"C:", "D:", "Docs", "E:"}));
    EXPECT_EQ(tree.Find("E:\\"), tree.Computer()->children[3].get());
    EXPECT_EQ(tree.PromptDrive(), 'E' - 'A');

    // E went while its prompt was open; D's medium was changed and is read again.
    source.drives &= ~Bit('E');
    tree.DrivesRemoved(Bit('D') | Bit('E'));
    EXPECT_EQ(TopLevel(), (std::vector<std::string>{"C:", "D:", "Docs"}));
    EXPECT_EQ(tree.PromptDrive(), -1);
    EXPECT_NE(tree.Find("D:\\New\\"), nullptr);

    source.notReady = Bit('D');
    tree.DrivesRemoved(Bit('D'));
    tree.Find("D:\\");
    EXPECT_EQ(tree.PromptDrive(), 'D' - 'A');
    source.drives |= Bit('F');
    tree.DrivesArrived(Bit('D') | Bit('F'));
    EXPECT_EQ(tree.PromptDrive(), -1);
    EXPECT_EQ(TopLevel(), (std::vector<std::string>{"C:", "D:", "Docs", "F:"}));
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
#endif
    FolderSource& source = SystemFolderSource();
    FolderTree tree(source);
    tree.SetText("");
    const auto path = (std::filesystem::path(folder.Path()) / "").make_preferred().string();
    FolderNode* node = tree.Find(source.TreePath(path));
    ASSERT_NE(node, nullptr);
    std::map<std::string, bool> buttons;
    for (const auto& child : node->children)
        buttons[child->name] = child->hasButton;
    EXPECT_EQ(buttons,
              (std::map<std::string, bool>{{"files", false}, {"hidden", true}, {"system", false}}));
}

} // namespace
} // namespace dg
