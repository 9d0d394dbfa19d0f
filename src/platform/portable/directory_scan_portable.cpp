// Scan numbers and the search text rule over the backend's native enumeration.
#include "platform/directory_scan.h"
#include "platform/portable/native_scan.h"
#include "platform/system.h"

#include <map>
#include <mutex>

namespace dg {

namespace {

struct ScanEntry {
    std::unique_ptr<NativeScan> native;
    bool atEntry = false;
};

std::mutex scansLock;
std::map<int, ScanEntry> scans;

// Each scan number belongs to one thread at a time, so the entry may be used outside the lock.
ScanEntry* FindScan(int scan) {
    std::lock_guard<std::mutex> lock(scansLock);
    const auto found = scans.find(scan);
    return found != scans.end() ? &found->second : nullptr;
}

} // namespace

std::string DirectorySearchText(const std::string& directory, const std::string& pattern) {
    std::string text = directory;
    if (!text.empty() && text.back() != PathSeparator)
        text += PathSeparator;
    return text + (pattern.empty() ? "*.*" : pattern);
}

bool OpenDirectoryScan(int scan, const std::string& directory, const std::string& pattern) {
    CloseDirectoryScan(scan);
    std::unique_ptr<NativeScan> native = StartNativeScan(DirectorySearchText(directory, pattern));
    if (!native)
        return false;
    std::lock_guard<std::mutex> lock(scansLock);
    scans[scan] = {std::move(native), false};
    return true;
}

bool NextDirectoryEntry(int scan) {
    ScanEntry* entry = FindScan(scan);
    if (!entry)
        return false;
    entry->atEntry = entry->native->Next();
    return entry->atEntry;
}

EntryType DirectoryEntryType(int scan) {
    const ScanEntry* entry = FindScan(scan);
    if (!entry || !entry->atEntry)
        return EntryNone;
    return entry->native->IsDirectory() ? EntryDirectory : EntryFile;
}

std::string DirectoryEntryName(int scan) {
    const ScanEntry* entry = FindScan(scan);
    return entry && entry->atEntry ? entry->native->Name() : std::string();
}

void CloseDirectoryScan(int scan) {
    std::lock_guard<std::mutex> lock(scansLock);
    scans.erase(scan);
}

} // namespace dg
