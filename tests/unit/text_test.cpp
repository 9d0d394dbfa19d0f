#include "common/text.h"

#include "platform/system.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace dg {
namespace {

using test::TempFolder;

TEST(Text, CaseConversionOfAsciiLeavesEverythingElse) {
    EXPECT_EQ(UpperCase("d41d8cd98f00b204e9800998ecf8427e"), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(LowerCase("D41D8CD98F00B204E9800998ECF8427E"), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(UpperCase("azAZ@[`{ 09.\\/"), "AZAZ@[`{ 09.\\/");
    EXPECT_EQ(LowerCase("azAZ@[`{ 09.\\/"), "azaz@[`{ 09.\\/");
    EXPECT_EQ(UpperCase(""), "");
    EXPECT_EQ(LowerCase(std::string("a\0B", 3)), std::string("a\0b", 3));
}

TEST(Text, CaseConversionBeyondAscii) {
#ifdef _WIN32
    if (GetACP() != 1252)
        GTEST_SKIP() << "the case pairs below are those of code page 1252";
    EXPECT_EQ(UpperCase("caf\xe9 \xfe"), "CAF\xc9 \xde");
    EXPECT_EQ(LowerCase("CAF\xc9 \xde"), "caf\xe9 \xfe");
#else
    EXPECT_EQ(UpperCase("caf\xe9 \xfe"), "CAF\xe9 \xfe");
    EXPECT_EQ(LowerCase("CAF\xc9 \xde"), "caf\xc9 \xde");
#endif
}

TEST(Text, LengthCountsBytes) {
    EXPECT_EQ(Length(""), 0);
    EXPECT_EQ(Length("caf\xe9"), 4);
    EXPECT_EQ(Length(std::string("a\0b", 3)), 3);
}

TEST(Text, FileNamePartIsWhatFollowsTheLastSeparator) {
    EXPECT_EQ(FileNamePart("C:\\Users\\me\\report.txt"), "report.txt");
    EXPECT_EQ(FileNamePart("/home/me/report.txt"), "report.txt");
    EXPECT_EQ(FileNamePart("C:\\mixed/dir\\name"), "name");
    EXPECT_EQ(FileNamePart("C:/mixed\\dir/name"), "name");
    EXPECT_EQ(FileNamePart("plain.bin"), "plain.bin");
    EXPECT_EQ(FileNamePart("C:\\folder\\"), "");
    EXPECT_EQ(FileNamePart(""), "");
}

#ifdef _WIN32
TEST(SpecialFolderPath, DocumentsIsAnExistingFolderAndNoOtherIsKnown) {
    const std::string documents = SpecialFolderPath(CsidlPersonal);
    ASSERT_FALSE(documents.empty());
    EXPECT_EQ(FileSize(documents), -2) << documents;
    const std::string withBackslash = DocumentsFolderWithBackslash();
    EXPECT_EQ(withBackslash.back(), '\\');
    EXPECT_EQ(FileSize(withBackslash), -2) << withBackslash;
    EXPECT_EQ(SpecialFolderPath(0x7f), "");
}
#else
// Points HOME and XDG_CONFIG_HOME into a folder of the test's own, and puts them back after.
class DocumentsFolder : public ::testing::Test {
protected:
    DocumentsFolder() : home_(Saved("HOME")), config_(Saved("XDG_CONFIG_HOME")) {
        setenv("HOME", folder_.Path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder_.Path() + "/config").c_str(), 1);
    }
    ~DocumentsFolder() override {
        Restore("HOME", home_);
        Restore("XDG_CONFIG_HOME", config_);
    }

    static std::optional<std::string> Saved(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Restore(const char* name, const std::optional<std::string>& value) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

    void MakeFolder(const std::string& name) const {
        std::filesystem::create_directories(folder_.Path(name));
    }

    TempFolder folder_;
    const std::optional<std::string> home_, config_;
};

TEST_F(DocumentsFolder, XdgDocumentsFolderFirst) {
    MakeFolder("Dokumente");
    MakeFolder("Documents");
    MakeFolder("config");
    folder_.Write("config/user-dirs.dirs",
                  "# written by a test\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                  "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(SpecialFolderPath(CsidlPersonal), folder_.Path() + "/Dokumente");
}

TEST_F(DocumentsFolder, ThenHomeDocumentsThenHome) {
    MakeFolder("config");
    // An XDG folder that does not exist is passed over.
    folder_.Write("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Gone\"\n");
    EXPECT_EQ(SpecialFolderPath(CsidlPersonal), folder_.Path());
    MakeFolder("Documents");
    EXPECT_EQ(SpecialFolderPath(CsidlPersonal), folder_.Path() + "/Documents");
}

TEST_F(DocumentsFolder, OnlyTheDocumentsFolderAndOnlyWithAHome) {
    MakeFolder("Documents");
    EXPECT_EQ(SpecialFolderPath(0), "");
    unsetenv("HOME");
    EXPECT_EQ(SpecialFolderPath(CsidlPersonal), "");
}
#endif

TEST(System, FileSizeTellsFilesFromFoldersAndNothing) {
    TempFolder folder;
    EXPECT_EQ(FileSize(folder.Write("five", "12345")), 5);
    EXPECT_EQ(FileSize(folder.Write("empty", "")), 0);
    EXPECT_EQ(FileSize(folder.Path()), -2);
    EXPECT_EQ(FileSize(folder.Path("missing")), -1);
}

TEST(System, CurrentDirectoryEndsWithASeparator) {
    TempFolder folder;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const std::string current = CurrentDirectory();
    std::filesystem::current_path(before);
#ifdef _WIN32
    EXPECT_EQ(current, folder.Path() + "\\");
#else
    EXPECT_EQ(current, folder.Path() + "/");
#endif
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
