// The MD5 message digest of RFC 1321.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dg {

struct Md5Context {
    std::uint32_t state[4];
    std::uint64_t byteCount;
    unsigned char pending[64];
};

constexpr std::size_t Md5DigestSize = 16;

void Md5Init(Md5Context& context);
void Md5Update(Md5Context& context, const void* data, std::size_t size);
// Writes the digest, first byte first, and wipes the context.
void Md5Final(Md5Context& context, unsigned char (&digest)[Md5DigestSize]);

} // namespace dg
