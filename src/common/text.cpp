#include "common/text.h"

namespace dg {

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

std::string FileNamePart(const std::string& path) {
    const auto cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace dg
