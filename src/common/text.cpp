#include "common/text.h"

#include "platform/system.h"

namespace dg {

std::string UpperCase(const std::string& text) {
    return PlatformUpperCase(text);
}

std::string LowerCase(const std::string& text) {
    return PlatformLowerCase(text);
}

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

std::string FileNamePart(const std::string& path) {
    const auto cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string SpecialFolderPath(int folder) {
    return PlatformSpecialFolderPath(folder);
}

std::string DocumentsFolderWithBackslash() {
    std::string path = SpecialFolderPath(CsidlPersonal);
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

} // namespace dg
