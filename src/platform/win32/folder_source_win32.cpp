// The tree's source on Windows: logical drives, the shell's display names and small icons,
// the documents folder, and subfolders through the directory scan. Critical-error dialogs are
// suppressed around every access to a drive, so an empty removable drive asks for no disk.
#include "platform/folder_source.h"

#include "platform/win32/long_paths.h"

#include <windows.h>

#include <shlobj.h>

#include <optional>

namespace dg {

namespace {

// The shell's fixed names of the computer and documents folders.
constexpr char ComputerShellName[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr char DocumentsShellName[] = "::{450d8fba-ad25-11d0-98a8-0800361b1103}";

class CriticalErrorsOff {
public:
    CriticalErrorsOff() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {
        SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
    }
    ~CriticalErrorsOff() { SetErrorMode(previous_); }
    CriticalErrorsOff(const CriticalErrorsOff&) = delete;
    CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;

private:
    UINT previous_;
};

struct ItemList {
    LPITEMIDLIST items = nullptr;
    explicit ItemList(int folder) {
        if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, &items)))
            items = nullptr;
    }
    ~ItemList() { CoTaskMemFree(items); }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
};

// The look of a path, or of an item list when flags hold SHGFI_PIDL; the icon is -1 and the
// name empty for what the shell could not give.
ShellLook LookOf(const char* item, UINT flags) {
    SHFILEINFOA info{};
    if (SHGetFileInfoA(item, 0, &info, sizeof(info),
                       flags | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME) == 0)
        return {};
    return {info.szDisplayName, info.iIcon};
}

ShellLook LookOf(const ItemList& list) {
    return list.items ? LookOf(reinterpret_cast<const char*>(list.items), SHGFI_PIDL) : ShellLook{};
}

struct DocumentsFolder {
    bool shown = false;
    std::string path;
    ShellLook look;
};

// The first icon and the first name that any of the looks gives.
ShellLook FirstOf(const std::initializer_list<ShellLook>& looks) {
    ShellLook first;
    for (const ShellLook& look : looks) {
        if (first.icon < 0)
            first.icon = look.icon;
        if (first.name.empty())
            first.name = look.name;
    }
    return first;
}

class Win32FolderSource final : public FolderSource {
public:
    std::vector<TopFolder> TopFolders() override {
        std::vector<TopFolder> top;
        DWORD drives = 0;
        {
            CriticalErrorsOff quiet;
            drives = GetLogicalDrives();
        }
        for (const std::string& root : DriveRoots(drives))
            top.push_back({NodeKind::Volume, root, {}, {}});
        const DocumentsFolder& documents = Documents();
        if (documents.shown)
            top.push_back({NodeKind::Place, documents.path, {}, documents.look});
        return top;
    }

    ShellLook VolumeLook(const std::string& volume) override {
        CriticalErrorsOff quiet;
        return LookOf(volume.c_str(), 0);
    }

    ShellLook ComputerLook() override {
        if (!computer_) {
            const ItemList list(CSIDL_DRIVES);
            computer_ = list.items ? LookOf(list) : LookOf(ComputerShellName, 0);
        }
        return *computer_;
    }

    int FolderIcon() override {
        if (!folderIcon_) {
            char windows[MAX_PATH] = {};
            const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
            SHFILEINFOA info{};
            folderIcon_ = length > 0 && length < MAX_PATH &&
                                  SHGetFileInfoA(windows, 0, &info, sizeof(info),
                                                 SHGFI_SYSICONINDEX | SHGFI_SMALLICON) != 0
                              ? info.iIcon
                              : -1;
        }
        return *folderIcon_;
    }

    DriveAccess CheckVolume(const std::string& volume) override {
        CriticalErrorsOff quiet;
        ULARGE_INTEGER available{}, total{}, free{};
        if (GetDiskFreeSpaceExA(volume.c_str(), &available, &total, &free))
            return DriveAccess::Ready;
        return GetLastError() == ERROR_NOT_READY ? DriveAccess::NotReady : DriveAccess::Failed;
    }

    // An empty removable drive asks for no disk.
    std::vector<std::string> Subfolders(const std::string& folder) override {
        CriticalErrorsOff quiet;
        return FolderSource::Subfolders(folder);
    }

    bool HasSubfolder(const std::string& folder) override {
        CriticalErrorsOff quiet;
        return FolderSource::HasSubfolder(folder);
    }

    bool IsLeadByte(char byte) const override {
        return IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
    }

private:
    const DocumentsFolder& Documents() {
        if (!documents_) {
            documents_.emplace();
            const ItemList list(CSIDL_PERSONAL);
            const std::string path = ItemListPath(list.items);
            if (!path.empty()) {
                const ShellLook look =
                    FirstOf({LookOf(list), LookOf(DocumentsShellName, 0), LookOf(path.c_str(), 0)});
                *documents_ = {look.icon >= 0 && !look.name.empty(), path, look};
            }
        }
        return *documents_;
    }

    // Asked once and kept for the rest of the run.
    std::optional<ShellLook> computer_;
    std::optional<DocumentsFolder> documents_;
    std::optional<int> folderIcon_;
};

} // namespace

FolderSource& SystemFolderSource() {
    static Win32FolderSource source;
    return source;
}

} // namespace dg
