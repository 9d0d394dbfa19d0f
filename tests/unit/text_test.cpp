#include "common/text.h"

#include "platform/system.h"
#include "shell/main_window.h"
#include "unit_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
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
    EXPECT_EQ(FileNamePart("plain.bin"), "plain.bin");
#ifdef _WIN32
    EXPECT_EQ(FileNamePart("C:\\mixed/dir\\name"), "name");
    EXPECT_EQ(FileNamePart("C:/mixed\\dir/name"), "name");
    EXPECT_EQ(FileNamePart("C:\\folder\\"), "");
#else
    // A backslash is a letter of a name.
    EXPECT_EQ(FileNamePart("/home/me/a\\b\\c.txt"), "a\\b\\c.txt");
    EXPECT_EQ(FileNamePart("/home/me/folder/"), "");
#endif
}

// The manual of the working directory; without it the installed one, in the data folder beside
// the executable's folder (on Windows there is none).
TEST(System, ManualOfTheWorkingDirectoryElseTheInstalledOne) {
    TempFolder folder;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const std::string absent = ManualPath();
    folder.Write("digestorium_manual.pdf", "%PDF");
    const std::string present = ManualPath();
    std::filesystem::current_path(before);
    // The working directory as CurrentDirectory gives it, with its separator.
    const std::string here = folder.Path("digestorium_manual.pdf");
    EXPECT_EQ(present, here);
#ifdef _WIN32
    EXPECT_EQ(absent, here);
#else
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(absent, exe.parent_path().parent_path().string() +
                          "/share/digestorium/digestorium_manual.pdf");
#endif
}

#ifndef _WIN32
// A lock on a file in the user's runtime folder, else in /tmp under the user's id. Once
// taken it stays held, and a program started by this one does not inherit it.
TEST(System, InstanceGuardFailsWhileAnotherCopyHoldsIt) {
    TempFolder runtime;
    test::ScopedVariable variable("XDG_RUNTIME_DIR", nullptr);
    const std::string name = "dg-unit-guard-" + std::to_string(getpid());
    const std::string inRuntime = runtime.Path(name + ".lock");
    const std::string inTmp = "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
    const auto lockedByAnother = [](const std::string& path) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT, 0600);
        if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0)
            return fd;
        close(fd);
        return -1;
    };
    for (const std::string& path : {inTmp, inRuntime}) {
        const int otherCopy = lockedByAnother(path);
        ASSERT_GE(otherCopy, 0) << path;
        EXPECT_FALSE(AcquireInstanceGuard(name)) << path;
        close(otherCopy);
        variable.Set(runtime.Path().c_str());
    }
    std::filesystem::remove(inTmp);
    // The lowest free descriptor, which the guard's file is given.
    const int guard = open("/dev/null", O_RDONLY);
    close(guard);
    EXPECT_TRUE(AcquireInstanceGuard(name));
    EXPECT_TRUE(AcquireInstanceGuard(name));
    EXPECT_EQ(lockedByAnother(inRuntime), -1);
    EXPECT_EQ(fcntl(guard, F_GETFD), FD_CLOEXEC);
}
#endif

} // namespace
} // namespace dg
