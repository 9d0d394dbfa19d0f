// The subfolder walk every source shares, over the platform's directory scan.
#include "platform/folder_source.h"
#include "platform/portable/native_scan.h"

#include <functional>

namespace dg {

namespace {

// Calls visit with each subfolder's name until it returns false.
void VisitSubfolders(const std::string& folder,
                     const std::function<bool(const std::string&)>& visit) {
    const std::unique_ptr<NativeScan> scan = StartNativeScan(folder + "*.*");
    while (scan && scan->Next()) {
        const std::string name = scan->Name();
        if (scan->IsDirectory() && name != "." && name != ".." && !visit(name))
            return;
    }
}

} // namespace

std::vector<std::string> FolderSource::Subfolders(const std::string& folder) {
    std::vector<std::string> names;
    VisitSubfolders(folder, [&](const std::string& name) {
        names.push_back(name);
        return true;
    });
    return names;
}

bool FolderSource::HasSubfolder(const std::string& folder) {
    bool found = false;
    VisitSubfolders(folder, [&](const std::string&) {
        found = true;
        return false;
    });
    return found;
}

} // namespace dg
