// A drive table of the test's own for the folder tree: drives by bit, folders by path; bytes
// 0x81 to 0x9F lead two-byte characters.
#pragma once

#include "platform/folder_source.h"

#include <map>
#include <string>
#include <vector>

namespace dg::test {

constexpr unsigned long Bit(char letter) {
    return 1UL << (letter - 'A');
}

class FakeSource : public FolderSource {
public:
    unsigned long drives = Bit('C') | Bit('D');
    unsigned long notReady = 0;
    std::map<std::string, std::vector<std::string>> folders;

    unsigned long Drives() override { return drives; }
    ShellLook DriveLook(int drive) override { return {std::string(1, 'A' + drive) + ":", drive}; }
    ShellLook ComputerLook() override { return {}; }
    DocumentsFolder Documents() override { return {true, "C:\\Users\\x\\Documents", {"Docs", 40}}; }
    int FolderIcon() override { return 41; }
    DriveAccess CheckDrive(int drive) override {
        return (notReady & (1UL << drive)) != 0 ? DriveAccess::NotReady : DriveAccess::Ready;
    }
    std::vector<std::string> Subfolders(const std::string& folder) override {
        return folders[folder];
    }
    bool HasSubfolder(const std::string& folder) override { return !folders[folder].empty(); }
    bool IsLeadByte(char byte) const override {
        return static_cast<unsigned char>(byte) >= 0x81 && static_cast<unsigned char>(byte) <= 0x9F;
    }
};

} // namespace dg::test
