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

// A new folder under the temporary one whose path, final backslash included, is that many
// bytes long. Made behind "\\?\", which takes any length; the temporary path is ASCII.
std::string DeepFolder(std::size_t bytes) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "dg_long_" + std::to_string(GetCurrentProcessId()) +
                         "_" + std::to_string(GetTickCount());
    while (true) {
        const std::wstring wide(folder.begin(), folder.end());
        EXPECT_TRUE(CreateDirectoryW((L"\\\\?\\" + wide).c_str(), nullptr)) << folder;
        folder += '\\';
        if (folder.size() >= bytes)
            return folder;
        const std::size_t left = bytes - folder.size();
        folder.append(left <= 101 ? left - 1 : 50, 'd');
    }
}

void WriteAbc(const std::string& path) {
    OutputFile file(path);
    file.Write("abc");
    EXPECT_TRUE(file.Close()) << path;
}

// Wine's wide functions take long paths without the prefix; Windows' need it.
TEST(LongPath, ALongPathGoesBehindThePrefixMadeFull) {
    const std::string deep(250, 'd');
    const std::wstring wideDeep(250, L'd');
    const struct {
        std::string path;
        std::wstring expected;
    } cases[] = {
        {"C:\\a\\..\\b.txt", L"C:\\a\\..\\b.txt"},
        {"C:\\" + deep + "\\a\\..\\b.txt", L"\\\\?\\C:\\" + wideDeep + L"\\b.txt"},
        {"\\\\server\\share\\" + deep, L"\\\\?\\UNC\\server\\share\\" + wideDeep},
        {"\\\\?\\C:\\" + deep + "\\..", L"\\\\?\\C:\\" + wideDeep + L"\\.."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemPath(c.path), c.expected) << c.path;
}

TEST(LongPath, AFileDeeperThanMaxPathIsWrittenListedAndHashed) {
    const std::string folder = DeepFolder(300);
    WriteAbc(folder + "file.txt");
    constexpr int scan = 9;
    ASSERT_NE(OpenDirectoryScan(scan, folder, "*.*"), 0);
    std::vector<std::string> files;
    while (NextDirectoryEntry(scan))
        if (DirectoryEntryType(scan) == EntryFile)
            files.push_back(DirectoryEntryName(scan));
    CloseDirectoryScan(scan);
    EXPECT_EQ(files, std::vector<std::string>{"file.txt"});
    EXPECT_EQ(FileDigest(folder + "file.txt"), AbcDigest);
}

TEST(LongPath, TheTreeSelectsAFolderDeeperThanMaxPath) {
    const std::string folder = DeepFolder(300);
    FolderTree tree(SystemFolderSource());
    tree.SetText("");
    tree.SetText(folder);
    EXPECT_EQ(tree.Text(), folder);
}

std::atomic<bool> dialogDone{false};
std::string chosenPath;
std::string startFolder;

int ChooseOnWorker(int) {
    chosenPath = ChooseFileToOpen("Pick a long file", startFolder, "All Files|*.*", 0);
    dialogDone = true;
    return 0;
}

using LongPathDialogTest = WindowTest;

// Wine's own dialog fails from 280 typed characters on; deeper paths are listed above.
TEST_F(LongPathDialogTest, AChosenPathOf260Or261CharactersIsWholeAndHashed) {
    ASSERT_NE(OpenWindow(MainWindow, 560, 295, "Dialog owner", 0), 0);
    ASSERT_TRUE(BringToFront(MainWindow));
    startFolder = DeepFolder(200);
    for (std::size_t length : {260, 261}) {
        const std::string name = std::string(length - startFolder.size() - 4, 'f') + ".txt";
        WriteAbc(startFolder + name);
        dialogDone = false;
        ASSERT_NE(StartThread(ChooseOnWorker, 0), 0);
        HWND dialog = nullptr;
        PumpEvents(10000, [&](const Seen&) {
            dialog = FindWindowA("#32770", "Pick a long file");
            return dialog != nullptr && IsWindowVisible(dialog);
        });
        ASSERT_NE(dialog, nullptr);
        SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        PumpEvents(10000, [](const Seen&) { return dialogDone.load(); });
        ASSERT_TRUE(dialogDone);
        EXPECT_EQ(chosenPath, startFolder + name);
        EXPECT_EQ(FileDigest(chosenPath), AbcDigest) << length;
    }
}

} // namespace
} // namespace dg::test
