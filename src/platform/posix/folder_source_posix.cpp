// The tree's source on Linux: the home folder, the documents folder where it is another, the
// root of the file system and the mounted removable volumes. Hidden (dot) folders are listed
// like others; a folder that cannot be read shows none.
#include "platform/posix/folder_source_posix.h"

#include "platform/folder_source.h"
#include "platform/system.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace dg {

namespace {

constexpr char MountTable[] = "/proc/self/mountinfo";
constexpr const char* RemovableFolders[] = {"/media/", "/run/media/", "/mnt/"};

// The table writes a blank, a tab, a line feed and a backslash in a path as \ and three octal
// digits.
std::string Unescaped(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto octal = [&](std::size_t at) { return text[at] >= '0' && text[at] <= '7'; };
        if (text[i] == '\\' && i + 3 < text.size() && octal(i + 1) && octal(i + 2) &&
            octal(i + 3)) {
            plain += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 +
                                       (text[i + 3] - '0'));
            i += 3;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

bool Removable(const std::string& path) {
    for (const char* folder : RemovableFolders) {
        const std::string start = folder;
        if (path.size() > start.size() && path.starts_with(start))
            return true;
    }
    return false;
}

std::string WithSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

// The last name of a folder's path.
std::string LastName(const std::string& path) {
    const std::string folder = path.substr(0, path.find_last_not_of('/') + 1);
    return folder.substr(folder.rfind('/') + 1);
}

class PosixFolderSource final : public FolderSource {
public:
    std::vector<TopFolder> TopFolders() override {
        std::vector<TopFolder> top;
        const char* home = std::getenv("HOME");
        const std::string homePath = home != nullptr && *home == '/' ? WithSlash(home) : "";
        if (!homePath.empty())
            top.push_back({NodeKind::Place, homePath, {}, {"Home", -1}});
        const std::string documents = WithSlash(DocumentsFolderPath());
        if (documents != homePath && documents.starts_with('/'))
            top.push_back({NodeKind::Place, documents, {}, {LastName(documents), -1}});
        top.push_back({NodeKind::Volume, "/", {}, {}});
        std::ifstream table(MountTable);
        const std::string text{std::istreambuf_iterator<char>(table),
                               std::istreambuf_iterator<char>()};
        for (const MountedVolume& volume : RemovableVolumes(text))
            top.push_back({NodeKind::Volume, volume.path, volume.medium, {}});
        return top;
    }
    ShellLook VolumeLook(const std::string& volume) override {
        return {volume == "/" ? "File System" : LastName(volume), -1};
    }
    ShellLook ComputerLook() override { return {"Computer", -1}; }
    int FolderIcon() override { return -1; }
    // A folder that cannot be read shows no children; there is no medium to ask for.
    DriveAccess CheckVolume(const std::string&) override { return DriveAccess::Ready; }
    bool IsLeadByte(char) const override { return false; }
};

} // namespace

std::vector<MountedVolume> RemovableVolumes(const std::string& mountTable) {
    std::vector<MountedVolume> volumes;
    std::istringstream lines(mountTable);
    std::string line;
    while (std::getline(lines, line)) {
        // The mount's number, its parent's, the device, the root within it, the mount point.
        std::istringstream fields(line);
        std::string number, parent, device, root, point;
        if (!(fields >> number >> parent >> device >> root >> point))
            continue;
        const std::string path = WithSlash(Unescaped(point));
        if (!Removable(path))
            continue;
        const MountedVolume volume{path, number + " " + device};
        const auto same = std::find_if(volumes.begin(), volumes.end(),
                                       [&](const MountedVolume& v) { return v.path == path; });
        if (same != volumes.end())
            *same = volume;
        else
            volumes.push_back(volume);
    }
    return volumes;
}

FolderSource& SystemFolderSource() {
    static PosixFolderSource source;
    return source;
}

} // namespace dg
