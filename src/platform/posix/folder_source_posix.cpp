// The tree's source over the POSIX file system, for the headless backend: the whole file
// system is drive C, so "C:\tmp\x\" is /tmp/x/. Hidden (dot) folders are listed like others.
#include "platform/folder_source.h"

#include "platform/ids.h"
#include "platform/system.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>

namespace dg {

namespace {

constexpr int DriveC = 2;

// Calls visit with each subfolder's name until it returns false. Names holding a backslash
// have no tree path and are left out.
void VisitSubfolders(const std::string& folder, const std::function<bool(const char*)>& visit) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (name == "." || name == ".." || name.find('\\') != std::string::npos ||
            stat((folder + name).c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            continue;
        if (!visit(entry->d_name))
            break;
    }
    closedir(dir);
}

class PosixFolderSource final : public FolderSource {
public:
    unsigned long Drives() override { return 1UL << DriveC; }
    ShellLook DriveLook(int) override { return {"/ (C:)", -1}; }
    ShellLook ComputerLook() override { return {}; }
    DocumentsFolder Documents() override {
        const std::string path = PlatformSpecialFolderPath(CsidlPersonal);
        return {!path.empty() && path.front() == '/', TreePath(path), {}};
    }
    int FolderIcon() override { return -1; }
    DriveAccess CheckDrive(int) override { return DriveAccess::Ready; }
    std::vector<std::string> Subfolders(const std::string& folder) override {
        std::vector<std::string> names;
        VisitSubfolders(SystemPath(folder), [&](const char* name) {
            names.emplace_back(name);
            return true;
        });
        return names;
    }
    bool HasSubfolder(const std::string& folder) override {
        bool found = false;
        VisitSubfolders(SystemPath(folder), [&](const char*) {
            found = true;
            return false;
        });
        return found;
    }
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
