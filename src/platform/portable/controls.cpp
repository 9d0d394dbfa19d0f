#include "platform/portable/controls.h"

#include <algorithm>

namespace dg {

std::vector<std::string> SplitListRow(const std::string& text, int columns) {
    std::vector<std::string> cells;
    std::string::size_type start = 0;
    do {
        const auto cut = text.find('\n', start);
        cells.push_back(text.substr(start, cut == std::string::npos ? cut : cut - start));
        start = cut == std::string::npos ? text.size() : cut + 1;
    } while (start < text.size());
    cells.resize(static_cast<std::size_t>(std::max(1, columns)));
    return cells;
}

} // namespace dg
