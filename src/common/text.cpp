#include "common/text.h"

namespace dg {

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

} // namespace dg
