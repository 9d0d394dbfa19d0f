// Directory scans: the entries of one directory, one after another, addressed by a scan
// number. Any thread; one scan number is used by one thread at a time.
#pragma once

#include <string>

namespace dg {

enum class EntryType { EntryNone, EntryFile, EntryDirectory };
using enum EntryType;

// The platform's search text: the directory, the path separator unless the directory is empty
// or already ends with one, then the pattern ("*.*" when empty).
[[nodiscard]] std::string DirectorySearchText(const std::string& directory,
                                              const std::string& pattern);

// Starts the scan of the entries matching the pattern; a scan of that number still open is
// closed first. True on success, also when nothing matches (a scan without entries).
[[nodiscard]] bool OpenDirectoryScan(int scan, const std::string& directory,
                                     const std::string& pattern);
// Moves to the next entry, the first on the first call. false at the end.
[[nodiscard]] bool NextDirectoryEntry(int scan);
// EntryFile, EntryDirectory, or EntryNone when there is no such scan or no current entry.
[[nodiscard]] EntryType DirectoryEntryType(int scan);
// The current entry's name, without the directory.
[[nodiscard]] std::string DirectoryEntryName(int scan);
void CloseDirectoryScan(int scan);

} // namespace dg
