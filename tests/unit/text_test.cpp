#include "common/text.h"

#include "platform/system.h"
#include "unit_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace dg {
namespace {

using test::TempFolder;

// ASCII letters change case; the characters beside them in the code table do not.
TEST(Text, CaseConversion) {
    EXPECT_EQ(UpperCase("azAZ@[`{ 09.\\/"), "AZAZ@[`{ 09.\\/");
    EXPECT_EQ(LowerCase("azAZ@[`{ 09.\\/"), "azaz@[`{ 09.\\/");
}

TEST(Text, FileNamePartIsWhatFollowsTheLastSeparator) {
    EXPECT_EQ(FileNamePart("C:\\mixed/dir\\name"), "name");
    EXPECT_EQ(FileNamePart("C:/mixed\\dir/name"), "name");
    EXPECT_EQ(FileNamePart("plain.bin"), "plain.bin");
    EXPECT_EQ(FileNamePart("C:\\folder\\"), "");
}

#ifdef _WIN32
TEST(DocumentsFolder, IsAnExistingFolder) {
    ASSERT_NE(DocumentsFolderPath(), "");
    const std::string documents = DocumentsFolderWithBackslash();
    EXPECT_EQ(documents.back(), '\\');
    EXPECT_EQ(FileSize(documents), -2) << documents;
}
#else
// The XDG documents folder where it exists, else ~/Documents, else the home folder; nothing
// without a home.
TEST(DocumentsFolder, OfTheUser) {
    TempFolder home;
    test::ScopedVariable homeVariable("HOME", home.Path().c_str());
    test::ScopedVariable config("XDG_CONFIG_HOME", home.Path("config").c_str());
    home.Write("config/user-dirs.dirs", "# written by a test\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                        "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(DocumentsFolderPath(), home.Path());
    std::filesystem::create_directories(home.Path("Documents"));
    EXPECT_EQ(DocumentsFolderPath(), home.Path("Documents"));
    std::filesystem::create_directories(home.Path("Dokumente"));
    EXPECT_EQ(DocumentsFolderPath(), home.Path("Dokumente"));
    test::ScopedVariable noHome("HOME", nullptr);
    EXPECT_EQ(DocumentsFolderPath(), "");
}
#endif

TEST(System, FileSizeTellsFilesFromFoldersAndNothing) {
    TempFolder folder;
    EXPECT_EQ(FileSize(folder.Write("five", "12345")), 5);
    EXPECT_EQ(FileSize(folder.Path()), -2);
    EXPECT_EQ(FileSize(folder.Path("missing")), -1);
}

TEST(System, CurrentDirectoryEndsWithASeparator) {
    TempFolder folder;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const std::string current = CurrentDirectory();
    std::filesystem::current_path(before);
    EXPECT_EQ(current,
              folder.Path() + static_cast<char>(std::filesystem::path::preferred_separator));
}

#ifdef _WIN32
// The only test in this program that takes the guard: once it is held, asking again is true.
TEST(System, InstanceGuardFailsWhileAnotherCopyHoldsIt) {
    const std::string name = "dg-unit-guard-" + std::to_string(GetCurrentProcessId());
    const HANDLE otherCopy = CreateMutexA(nullptr, TRUE, name.c_str());
    ASSERT_NE(otherCopy, nullptr);
    EXPECT_FALSE(AcquireInstanceGuard(name));
    EXPECT_TRUE(AcquireInstanceGuard(name + "-mine"));
    EXPECT_TRUE(AcquireInstanceGuard(name + "-mine"));
    CloseHandle(otherCopy);
}
#endif

} // namespace
} // namespace dg
