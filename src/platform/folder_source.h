// What the directory tree reads from the system: drives, the shell's names and icons, the
// documents folder and folder listings. Paths are the tree's: a drive letter, a colon and
// backslashes, folders ending with a backslash. Main thread only.
#pragma once

#include <string>
#include <vector>

namespace dg {

// A shell item's display name (empty when the shell gives none) and its index in the
// system's small-icon list (-1 when it has none).
struct ShellLook {
    std::string name;
    int icon = -1;
};

struct DocumentsFolder {
    bool shown = false;
    std::string path;
    ShellLook look;
};

enum class DriveAccess { Ready, NotReady, Failed };

class FolderSource {
public:
    virtual ~FolderSource() = default;

    // Bit n set for each present drive, A being bit 0.
    [[nodiscard]] virtual unsigned long Drives() = 0;
    [[nodiscard]] virtual ShellLook DriveLook(int drive) = 0;
    [[nodiscard]] virtual ShellLook ComputerLook() = 0;
    [[nodiscard]] virtual DocumentsFolder Documents() = 0;
    [[nodiscard]] virtual int FolderIcon() = 0;
    // Whether the drive's medium can be read; NotReady when it has none.
    [[nodiscard]] virtual DriveAccess CheckDrive(int drive) = 0;
    // The names of the folder's subfolders, hidden and system ones included, in the order
    // the system lists them; none when it cannot be listed. Read through the platform's
    // directory scan unless a source knows better.
    [[nodiscard]] virtual std::vector<std::string> Subfolders(const std::string& folder);
    // Whether the folder holds at least one subfolder; the listing stops at the first.
    [[nodiscard]] virtual bool HasSubfolder(const std::string& folder);
    // Whether the byte starts a two-byte character in the code page, whose second byte may
    // then be a backslash or a letter.
    [[nodiscard]] virtual bool IsLeadByte(char byte) const = 0;

    // The tree's paths are Windows paths; a source over another file system maps them.
    [[nodiscard]] virtual std::string SystemPath(const std::string& treePath) const {
        return treePath;
    }
    [[nodiscard]] virtual std::string TreePath(const std::string& systemPath) const {
        return systemPath;
    }
};

// The source of this platform, kept for the rest of the run.
[[nodiscard]] FolderSource& SystemFolderSource();

} // namespace dg
