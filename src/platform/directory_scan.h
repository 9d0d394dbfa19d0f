// Directory scans: the entries of one directory, one after another, addressed by a scan
// number. Any thread; one scan number is used by one thread at a time.
#pragma once

#include <string>

namespace dg {

constexpr int EntryNone = 0;
constexpr int EntryFile = 1;
constexpr int EntryDirectory = 2;

// The platform's search text: the directory, a backslash unless the directory is empty or
// already ends with one, then the pattern ("*.*" when empty).
[[nodiscard]] std::string DirectorySearchText(const std::string& directory,
                                              const std::string& pattern);

// Starts the scan of the entries matching the pattern; a scan of that number still open is
// closed first. Non-zero on success, also when nothing matches (a scan without entries).
[[nodiscard]] int OpenDirectoryScan(int scan, const std::string& directory,
                                    const std::string& pattern);
// Moves to the next entry, the first on the first call. 0 at the end.
[[nodiscard]] int NextDirectoryEntry(int scan);
// EntryFile, EntryDirectory, or EntryNone when there is no such scan or no current entry.
[[nodiscard]] int DirectoryEntryType(int scan);
// The current entry's name, without the directory.
[[nodiscard]] std::string DirectoryEntryName(int scan);
void CloseDirectoryScan(int scan);

} // namespace dg
