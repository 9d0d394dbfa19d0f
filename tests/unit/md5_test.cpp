#include "hashing/md5.h"

#include "hex_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace dg {
namespace {

using test::HexText;

std::string Md5Hex(const std::string& message) {
    Md5Context context;
    Md5Init(context);
    Md5Update(context, message.data(), message.size());
    unsigned char digest[Md5DigestSize];
    Md5Final(context, digest);
    return HexText(digest, sizeof digest);
}

TEST(Md5, Rfc1321TestSuite) {
    EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Md5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(Md5Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(Md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(Md5Hex("1234567890123456789012345678901234567890123456789012345678901234567890"
                     "1234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

// Every split of a message into pieces, at every offset inside a block, gives one digest.
TEST(Md5, PiecesOfAnySizeGiveTheSameDigest) {
    std::string message;
    for (int i = 0; i < 300; ++i)
        message += static_cast<char>(i * 37 + 11);
    const std::string whole = Md5Hex(message);
    for (std::size_t piece = 1; piece <= 130; ++piece) {
        Md5Context context;
        Md5Init(context);
        for (std::size_t at = 0; at < message.size(); at += piece)
            Md5Update(context, message.data() + at, std::min(piece, message.size() - at));
        unsigned char digest[Md5DigestSize];
        Md5Final(context, digest);
        EXPECT_EQ(HexText(digest, sizeof digest), whole) << "pieces of " << piece;
    }
}

TEST(Md5, FinalWipesTheContext) {
    Md5Context context;
    Md5Init(context);
    Md5Update(context, "secret", 6);
    unsigned char digest[Md5DigestSize];
    Md5Final(context, digest);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&context);
    for (std::size_t i = 0; i < sizeof context; ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

} // namespace
} // namespace dg
