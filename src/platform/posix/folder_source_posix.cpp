// The tree's source over the POSIX file system, for the headless backend: the whole file
// system is drive C, so "C:\tmp\x\" is /tmp/x/. Hidden (dot) folders are listed like others.
#include "platform/folder_source.h"

#include "platform/ids.h"
#include "platform/system.h"

#include <algorithm>

namespace dg {

namespace {

constexpr int DriveC = 2;

class PosixFolderSource final : public FolderSource {
public:
    unsigned long Drives() override { return 1UL << DriveC; }
    ShellLook DriveLook(int) override { return {"/ (C:)", -1}; }
    ShellLook ComputerLook() override { return {}; }
    DocumentsFolder Documents() override {
        const std::string path = DocumentsFolderPath();
        return {!path.empty() && path.front() == '/', TreePath(path), {}};
    }
    int FolderIcon() override { return -1; }
    DriveAccess CheckDrive(int) override { return DriveAccess::Ready; }
    bool IsLeadByte(char) const override { return false; }

    std::string SystemPath(const std::string& treePath) const override {
        if (treePath.size() < 2 || treePath.compare(0, 2, "C:") != 0)
            return treePath;
        std::string path = treePath.substr(2);
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    }
    std::string TreePath(const std::string& systemPath) const override {
        if (systemPath.empty() || systemPath.front() != '/')
            return systemPath;
        std::string path = "C:" + systemPath;
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
};

} // namespace

FolderSource& SystemFolderSource() {
    static PosixFolderSource source;
    return source;
}

} // namespace dg
