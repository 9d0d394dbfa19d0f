// Paths built the same way on every platform, with its own separator.
#include "platform/system.h"

namespace dg {

std::string DocumentsFolderWithSeparator() {
    std::string path = DocumentsFolderPath();
    if (path.empty() || path.back() != PathSeparator)
        path += PathSeparator;
    return path;
}

std::string FileNamePart(const std::string& path) {
    // Windows takes a slash for a backslash; elsewhere a backslash is a letter of a name.
    const auto cut = path.find_last_of(PathSeparator == '\\' ? "\\/" : "/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace dg
