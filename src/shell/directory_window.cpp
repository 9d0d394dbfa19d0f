// DirectoryWindow: the folder tree and the OK button that starts a listing.
#include "shell/directory_window.h"

#include "platform/ids.h"
#include "platform/system.h"
#include "platform/tree.h"
#include "platform/ui.h"

namespace dg {

bool OpenDirectoryWindow() {
    const std::string initialFolder = DocumentsFolderWithSeparator();
    if (!OpenWindow(DirectoryWindow, 278, 246, "Digestorium - Select Directory", 0))
        return false;
    KeepOnTop(DirectoryWindow, true);
    if (!CreateDirectoryTree(DirectoryWindow, DirectoryTree, {0, 0, 279, 224}, initialFolder,
                             TreeProgramFlags)) {
        CloseWindow(DirectoryWindow);
        return false;
    }
    CreateButton(DirectoryWindow, DirectoryOkButton, {0, 225, 277, 20}, "OK", false);
    return true;
}

} // namespace dg
