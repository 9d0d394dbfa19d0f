// Paths for the system's wide functions. The ANSI file functions refuse a path of MAX_PATH
// bytes or more unless the machine's policy allows it, and Wine never does; the wide ones
// take a path of any length behind "\\?\". Names cross in the ANSI code page both ways.
#pragma once

#include <string>
#include <vector>

namespace dg {

// The longest path the wide functions take, in UTF-16 units with the terminating zero.
constexpr unsigned long LongestPath = 32768;

// The text in UTF-16, read in the code page (CP_ACP when none is named).
[[nodiscard]] std::wstring WideText(const std::string& text, unsigned codePage = 0);
// The UTF-16 text in the code page (CP_ACP when none is named).
[[nodiscard]] std::string NarrowText(const std::wstring& text, unsigned codePage = 0);

// The path for a wide file function: a path shorter than MAX_PATH bytes as it is, a longer
// one made full and put behind "\\?\" ("\\?\UNC\" for \\server\share). Any thread.
[[nodiscard]] std::wstring SystemPath(const std::string& path);

// The root paths ("C:\") of the drives whose bits are set, A being bit 0.
[[nodiscard]] std::vector<std::string> DriveRoots(unsigned long drives);

// The file-system path of a shell item list, whole; the empty text when it has none.
[[nodiscard]] std::string ItemListPath(const void* items);

} // namespace dg
