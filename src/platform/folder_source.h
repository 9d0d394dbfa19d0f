// What the directory tree reads from the system: its top level of volumes and places, the
// shell's names and icons, and folder listings. Paths are the system's, a folder's ending with
// the source's separator. Main thread only.
#pragma once

#include "platform/system.h"

#include <string>
#include <vector>

namespace dg {

// A shell item's display name (empty when the shell gives none) and its index in the
// system's small-icon list (-1 when it has none).
struct ShellLook {
    std::string name;
    int icon = -1;
};

// Volume: a drive on Windows; elsewhere the root of the file system or a mounted volume.
// Place: a folder shown beside them, such as the documents folder.
enum class NodeKind { Computer, Volume, Place, Folder };

struct TopFolder {
    NodeKind kind = NodeKind::Volume;
    std::string path;
    // Volumes: what is mounted at the path, where the system tells; another value at the same
    // path is another medium.
    std::string medium;
    // Places only: a volume's look is asked for when its node is made (VolumeLook).
    ShellLook look;
};

enum class DriveAccess { Ready, NotReady, Failed };

class FolderSource {
public:
    virtual ~FolderSource() = default;

    // The top level in its order: on Windows the drives from A, then the documents folder;
    // elsewhere the home folder, the documents folder, the root and the mounted volumes.
    [[nodiscard]] virtual std::vector<TopFolder> TopFolders() = 0;
    [[nodiscard]] virtual ShellLook VolumeLook(const std::string& volume) = 0;
    [[nodiscard]] virtual ShellLook ComputerLook() = 0;
    [[nodiscard]] virtual int FolderIcon() = 0;
    // Whether the volume's medium can be read; NotReady when it has none.
    [[nodiscard]] virtual DriveAccess CheckVolume(const std::string& volume) = 0;
    // The names of the folder's subfolders, hidden and system ones included, in the order
    // the system lists them; none when it cannot be listed. Read through the platform's
    // directory scan unless a source knows better.
    [[nodiscard]] virtual std::vector<std::string> Subfolders(const std::string& folder);
    // Whether the folder holds at least one subfolder; the listing stops at the first.
    [[nodiscard]] virtual bool HasSubfolder(const std::string& folder);
    // Whether the byte starts a two-byte character in the code page, whose second byte may
    // then be a backslash or a letter.
    [[nodiscard]] virtual bool IsLeadByte(char byte) const = 0;
    // What separates the folders of the source's paths.
    [[nodiscard]] virtual char Separator() const { return PathSeparator; }
};

// The source of this platform, kept for the rest of the run.
[[nodiscard]] FolderSource& SystemFolderSource();

} // namespace dg
