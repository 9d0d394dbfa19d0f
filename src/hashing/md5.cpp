#include "hashing/md5.h"

#include <cstring>

namespace dg {

namespace {

// Compilers turn this into one plain load on little-endian machines; x86 allows it unaligned.
inline std::uint32_t LoadLe32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline std::uint32_t Rotl(std::uint32_t x, int s) {
    return (x << s) | (x >> (32 - s));
}

// MD5 is one long dependency chain through b; each step keeps its work on that chain short.
// The message word, the constant and every term that does not need b are added to a first.
// F: d ^ (b & (c ^ d)). G: (b & d) + (c & ~d), the two terms never share a bit.
// H: b ^ (c ^ d). I: c ^ (b | ~d).
#define DG_MD5_F(a, b, c, d, k, s, t)                                                              \
    a += LoadLe32(block + 4 * (k)) + (t);                                                          \
    a += (d) ^ ((b) & ((c) ^ (d)));                                                                \
    a = Rotl(a, s) + (b)
#define DG_MD5_G(a, b, c, d, k, s, t)                                                              \
    a += LoadLe32(block + 4 * (k)) + (t) + ((c) & ~(d));                                           \
    a += (b) & (d);                                                                                \
    a = Rotl(a, s) + (b)
#define DG_MD5_H(a, b, c, d, k, s, t)                                                              \
    a += LoadLe32(block + 4 * (k)) + (t);                                                          \
    a += (b) ^ ((c) ^ (d));                                                                        \
    a = Rotl(a, s) + (b)
#define DG_MD5_I(a, b, c, d, k, s, t)                                                              \
    a += LoadLe32(block + 4 * (k)) + (t);                                                          \
    a += (c) ^ ((b) | ~(d));                                                                       \
    a = Rotl(a, s) + (b)

void Md5Blocks(std::uint32_t (&state)[4], const unsigned char* block, std::size_t count) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; count != 0; --count, block += 64) {
        const std::uint32_t a0 = a, b0 = b, c0 = c, d0 = d;

        DG_MD5_F(a, b, c, d, 0, 7, 0xd76aa478);
        DG_MD5_F(d, a, b, c, 1, 12, 0xe8c7b756);
        DG_MD5_F(c, d, a, b, 2, 17, 0x242070db);
        DG_MD5_F(b, c, d, a, 3, 22, 0xc1bdceee);
        DG_MD5_F(a, b, c, d, 4, 7, 0xf57c0faf);
        DG_MD5_F(d, a, b, c, 5, 12, 0x4787c62a);
        DG_MD5_F(c, d, a, b, 6, 17, 0xa8304613);
        DG_MD5_F(b, c, d, a, 7, 22, 0xfd469501);
        DG_MD5_F(a, b, c, d, 8, 7, 0x698098d8);
        DG_MD5_F(d, a, b, c, 9, 12, 0x8b44f7af);
        DG_MD5_F(c, d, a, b, 10, 17, 0xffff5bb1);
        DG_MD5_F(b, c, d, a, 11, 22, 0x895cd7be);
        DG_MD5_F(a, b, c, d, 12, 7, 0x6b901122);
        DG_MD5_F(d, a, b, c, 13, 12, 0xfd987193);
        DG_MD5_F(c, d, a, b, 14, 17, 0xa679438e);
        DG_MD5_F(b, c, d, a, 15, 22, 0x49b40821);

        DG_MD5_G(a, b, c, d, 1, 5, 0xf61e2562);
        DG_MD5_G(d, a, b, c, 6, 9, 0xc040b340);
        DG_MD5_G(c, d, a, b, 11, 14, 0x265e5a51);
        DG_MD5_G(b, c, d, a, 0, 20, 0xe9b6c7aa);
        DG_MD5_G(a, b, c, d, 5, 5, 0xd62f105d);
        DG_MD5_G(d, a, b, c, 10, 9, 0x02441453);
        DG_MD5_G(c, d, a, b, 15, 14, 0xd8a1e681);
        DG_MD5_G(b, c, d, a, 4, 20, 0xe7d3fbc8);
        DG_MD5_G(a, b, c, d, 9, 5, 0x21e1cde6);
        DG_MD5_G(d, a, b, c, 14, 9, 0xc33707d6);
        DG_MD5_G(c, d, a, b, 3, 14, 0xf4d50d87);
        DG_MD5_G(b, c, d, a, 8, 20, 0x455a14ed);
        DG_MD5_G(a, b, c, d, 13, 5, 0xa9e3e905);
        DG_MD5_G(d, a, b, c, 2, 9, 0xfcefa3f8);
        DG_MD5_G(c, d, a, b, 7, 14, 0x676f02d9);
        DG_MD5_G(b, c, d, a, 12, 20, 0x8d2a4c8a);

        DG_MD5_H(a, b, c, d, 5, 4, 0xfffa3942);
        DG_MD5_H(d, a, b, c, 8, 11, 0x8771f681);
        DG_MD5_H(c, d, a, b, 11, 16, 0x6d9d6122);
        DG_MD5_H(b, c, d, a, 14, 23, 0xfde5380c);
        DG_MD5_H(a, b, c, d, 1, 4, 0xa4beea44);
        DG_MD5_H(d, a, b, c, 4, 11, 0x4bdecfa9);
        DG_MD5_H(c, d, a, b, 7, 16, 0xf6bb4b60);
        DG_MD5_H(b, c, d, a, 10, 23, 0xbebfbc70);
        DG_MD5_H(a, b, c, d, 13, 4, 0x289b7ec6);
        DG_MD5_H(d, a, b, c, 0, 11, 0xeaa127fa);
        DG_MD5_H(c, d, a, b, 3, 16, 0xd4ef3085);
        DG_MD5_H(b, c, d, a, 6, 23, 0x04881d05);
        DG_MD5_H(a, b, c, d, 9, 4, 0xd9d4d039);
        DG_MD5_H(d, a, b, c, 12, 11, 0xe6db99e5);
        DG_MD5_H(c, d, a, b, 15, 16, 0x1fa27cf8);
        DG_MD5_H(b, c, d, a, 2, 23, 0xc4ac5665);

        DG_MD5_I(a, b, c, d, 0, 6, 0xf4292244);
        DG_MD5_I(d, a, b, c, 7, 10, 0x432aff97);
        DG_MD5_I(c, d, a, b, 14, 15, 0xab9423a7);
        DG_MD5_I(b, c, d, a, 5, 21, 0xfc93a039);
        DG_MD5_I(a, b, c, d, 12, 6, 0x655b59c3);
        DG_MD5_I(d, a, b, c, 3, 10, 0x8f0ccc92);
        DG_MD5_I(c, d, a, b, 10, 15, 0xffeff47d);
        DG_MD5_I(b, c, d, a, 1, 21, 0x85845dd1);
        DG_MD5_I(a, b, c, d, 8, 6, 0x6fa87e4f);
        DG_MD5_I(d, a, b, c, 15, 10, 0xfe2ce6e0);
        DG_MD5_I(c, d, a, b, 6, 15, 0xa3014314);
        DG_MD5_I(b, c, d, a, 13, 21, 0x4e0811a1);
        DG_MD5_I(a, b, c, d, 4, 6, 0xf7537e82);
        DG_MD5_I(d, a, b, c, 11, 10, 0xbd3af235);
        DG_MD5_I(c, d, a, b, 2, 15, 0x2ad7d2bb);
        DG_MD5_I(b, c, d, a, 9, 21, 0xeb86d391);

        a += a0;
        b += b0;
        c += c0;
        d += d0;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
}

#undef DG_MD5_F
#undef DG_MD5_G
#undef DG_MD5_H
#undef DG_MD5_I

// Stores through a volatile pointer, so the wipe is not dropped as a dead store.
void Wipe(void* data, std::size_t size) {
    auto* p = static_cast<volatile unsigned char*>(data);
    while (size-- != 0)
        *p++ = 0;
}

} // namespace

void Md5Init(Md5Context& context) {
    context.state[0] = 0x67452301;
    context.state[1] = 0xefcdab89;
    context.state[2] = 0x98badcfe;
    context.state[3] = 0x10325476;
    context.byteCount = 0;
}

void Md5Update(Md5Context& context, const void* data, std::size_t size) {
    auto* in = static_cast<const unsigned char*>(data);
    const std::size_t used = static_cast<std::size_t>(context.byteCount % 64);
    context.byteCount += size;
    if (used != 0) {
        const std::size_t take = size < 64 - used ? size : 64 - used;
        std::memcpy(context.pending + used, in, take);
        in += take;
        size -= take;
        if (used + take < 64)
            return;
        Md5Blocks(context.state, context.pending, 1);
    }
    // Whole blocks straight from the caller's memory, without a copy.
    Md5Blocks(context.state, in, size / 64);
    if (size % 64 != 0)
        std::memcpy(context.pending, in + size / 64 * 64, size % 64);
}

void Md5Final(Md5Context& context, unsigned char (&digest)[Md5DigestSize]) {
    const std::uint64_t bits = context.byteCount * 8;
    static const unsigned char padding[64] = {0x80};
    const std::size_t used = static_cast<std::size_t>(context.byteCount % 64);
    Md5Update(context, padding, used < 56 ? 56 - used : 120 - used);
    unsigned char length[8];
    for (int i = 0; i < 8; ++i)
        length[i] = static_cast<unsigned char>(bits >> (8 * i));
    Md5Update(context, length, sizeof length);
    for (int i = 0; i < 16; ++i)
        digest[i] = static_cast<unsigned char>(context.state[i / 4] >> (8 * (i % 4)));
    Wipe(&context, sizeof context);
}

} // namespace dg
