// Paths of MAX_PATH bytes and more are kept whole: chosen in the open-file dialog, written,
// listed, hashed and found in the tree.
#include "hashing/file_digest.h"
#include "platform/directory_scan.h"
#include "platform/files.h"
#include "platform/folder_source.h"
#include "platform/portable/folder_tree.h"
#include "platform/win32/long_paths.h"
#include "win32_test_support.h"

#include <commdlg.h>
#include <dlgs.h>

#include <atomic>

namespace dg::test {
namespace {

// What md5sum prints for the three bytes "abc".
constexpr char AbcDigest[] = "900150983cd24fb0d6963f7d28e17f72";

// A new file holding "abc", its path pathBytes long, in a new folder under the temporary one
// whose path, final backslash included, is folderBytes long. The folders are made behind
// "\\?\", which takes any length; the temporary path is ASCII.
std::string DeepFile(std::size_t folderBytes, std::size_t pathBytes) {
    static int made = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "dg_long_" + std::to_string(GetTickCount()) + "_" +
                       std::to_string(++made);
    while (true) {
        CreateDirectoryW((L"\\\\?\\" + std::wstring(path.begin(), path.end())).c_str(), nullptr);
        path += '\\';
        if (path.size() >= folderBytes)
            break;
        const std::size_t left = folderBytes - path.size();
        path.append(left <= 32 ? left - 1 : 30, 'd');
    }
    path.resize(pathBytes, 'f');
    OutputFile file(path);
    file.Write("abc");
    EXPECT_TRUE(file.Close()) << path;
    return path;
}

// Wine's wide functions take long paths without the prefix; Windows' need it.
TEST(LongPath, ALongPathGoesBehindThePrefixMadeFull) {
    const std::string deep(250, 'd');
    const std::wstring wideDeep(250, L'd');
    // MAX_PATH bytes: behind the prefix, although the full path is shorter.
    EXPECT_EQ(SystemPath("C:\\" + deep + "\\a\\..\\b"), L"\\\\?\\C:\\" + wideDeep + L"\\b");
    EXPECT_EQ(SystemPath("\\\\server\\share\\" + deep), L"\\\\?\\UNC\\server\\share\\" + wideDeep);
    EXPECT_EQ(SystemPath("\\\\?\\C:\\" + deep + "\\.."), L"\\\\?\\C:\\" + wideDeep + L"\\..");
}

TEST(LongPath, AFolderDeeperThanMaxPathIsListedHashedAndFoundInTheTree) {
    const std::string file = DeepFile(300, 310);
    const std::string folder = file.substr(0, 300);
    ASSERT_NE(OpenDirectoryScan(9, folder, "f*"), 0);
    ASSERT_NE(NextDirectoryEntry(9), 0);
    EXPECT_EQ(folder + DirectoryEntryName(9), file);
    CloseDirectoryScan(9);
    EXPECT_EQ(FileDigest(file), AbcDigest);
    FolderTree tree(SystemFolderSource());
    tree.SetText("");
    tree.SetText(folder);
    EXPECT_EQ(tree.Text(), folder);
}

std::atomic<bool> dialogDone{false};
std::string chosenPath;
std::string startFolder;

using LongPathDialogTest = WindowTest;

// Wine's own dialog fails from 280 typed characters on; deeper paths are listed above.
TEST_F(LongPathDialogTest, AChosenPathOf260Or261CharactersIsWholeAndHashed) {
    ASSERT_NE(OpenWindow(MainWindow, 560, 295, "Dialog owner", 0), 0);
    ASSERT_TRUE(BringToFront(MainWindow));
    for (std::size_t length : {260, 261}) {
        const std::string file = DeepFile(200, length);
        startFolder = file.substr(0, 200);
        dialogDone = false;
        ASSERT_NE(StartThread(
                      [](int) {
                          chosenPath = ChooseFileToOpen("Long", startFolder, "All|*.*", 0);
                          return static_cast<int>(dialogDone = true);
                      },
                      0),
                  0);
        HWND dialog = nullptr;
        PumpEvents(10000, [&](const Seen&) {
            return (dialog = FindWindowA("#32770", "Long")) != nullptr && IsWindowVisible(dialog);
        });
        ASSERT_NE(dialog, nullptr);
        SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13,
                     reinterpret_cast<LPARAM>(file.substr(200).c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        PumpEvents(10000, [](const Seen&) { return dialogDone.load(); });
        EXPECT_EQ(chosenPath, file);
        EXPECT_EQ(FileDigest(chosenPath), AbcDigest) << length;
    }
}

} // namespace
} // namespace dg::test
