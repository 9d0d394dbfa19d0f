// Paths of MAX_PATH bytes and more are kept whole: written, listed, hashed and found in the
// tree. The open-file dialog's side is with the dialog's tests.
#include "hashing/file_digest.h"
#include "platform/directory_scan.h"
#include "platform/files.h"
#include "platform/folder_source.h"
#include "platform/portable/folder_tree.h"
#include "platform/win32/long_paths.h"
#include "win32_test_support.h"

namespace dg::test {
namespace {

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
    ASSERT_TRUE(OpenDirectoryScan(9, folder, "f*"));
    ASSERT_TRUE(NextDirectoryEntry(9));
    EXPECT_EQ(folder + DirectoryEntryName(9), file);
    CloseDirectoryScan(9);
    EXPECT_EQ(FileDigest(file), AbcDigest);
    FolderTree tree(SystemFolderSource());
    tree.SetText("");
    tree.SetText(folder);
    EXPECT_EQ(tree.Text(), folder);
}

} // namespace
} // namespace dg::test
