#include "platform/system.h"

namespace dg {

std::string DocumentsFolderWithBackslash() {
    std::string path = DocumentsFolderPath();
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

} // namespace dg
