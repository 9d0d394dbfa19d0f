// A system of the test's own for the folder tree: its top level, folders by path, volumes
// without a medium; bytes 0x81 to 0x9F lead two-byte characters. Windows' drives and
// documents folder unless a test sets another top level and separator.
#pragma once

#include "platform/folder_source.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace dg::test {

inline TopFolder Volume(const std::string& path, const std::string& medium = {}) {
    return {NodeKind::Volume, path, medium, {}};
}

class FakeSource : public FolderSource {
public:
    std::vector<TopFolder> top = {Volume("C:\\"),
                                  Volume("D:\\"),
                                  {NodeKind::Place, "C:\\Users\\x\\Documents", {}, {"Docs", 40}}};
    std::set<std::string> notReady;
    std::map<std::string, std::vector<std::string>> folders;
    char separator = '\\';
    int volumeIcon = 7;

    void Unplug(const std::string& path) {
        std::erase_if(top, [&](const TopFolder& folder) { return folder.path == path; });
    }

    std::vector<TopFolder> TopFolders() override { return top; }
    // The path without its separator: "C:".
    ShellLook VolumeLook(const std::string& volume) override {
        return {volume.substr(0, volume.size() - 1), volumeIcon};
    }
    ShellLook ComputerLook() override { return {}; }
    int FolderIcon() override { return 41; }
    DriveAccess CheckVolume(const std::string& volume) override {
        return notReady.contains(volume) ? DriveAccess::NotReady : DriveAccess::Ready;
    }
    std::vector<std::string> Subfolders(const std::string& folder) override {
        return folders[folder];
    }
    bool HasSubfolder(const std::string& folder) override { return !folders[folder].empty(); }
    bool IsLeadByte(char byte) const override {
        return static_cast<unsigned char>(byte) >= 0x81 && static_cast<unsigned char>(byte) <= 0x9F;
    }
    char Separator() const override { return separator; }
};

} // namespace dg::test
