// Bytes as lower-case hexadecimal text, written independently of the code under test.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace dg::test {

inline std::string HexText(const unsigned char* bytes, std::size_t size) {
    std::string text;
    char pair[3];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

} // namespace dg::test
