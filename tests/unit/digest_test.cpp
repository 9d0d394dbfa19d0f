// MD5 against the RFC 1321 suite, fed in pieces of any size; files digested whole.
#include "hashing/file_digest.h"
#include "hashing/md5.h"

#include "platform/files.h"
#include "unit_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <tuple>

#ifdef DG_HAVE_OPENSSL
#include <openssl/evp.h>
#endif
#ifdef _WIN32
#include <windows.h>
#endif

namespace dg {
namespace {

using test::TempFolder;

// Lower-case hexadecimal, written apart from the code under test.
std::string HexText(const unsigned char* bytes, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i)
        text += {"0123456789abcdef"[bytes[i] >> 4], "0123456789abcdef"[bytes[i] & 15]};
    return text;
}

// The message handed to the MD5 core in pieces of the given size.
std::string Md5Hex(const std::string& message, std::size_t piece = SIZE_MAX) {
    Md5Context context;
    Md5Init(context);
    for (std::size_t at = 0; at < message.size(); at += piece)
        Md5Update(context, message.data() + at, std::min(piece, message.size() - at));
    unsigned char digest[Md5DigestSize];
    Md5Final(context, digest);
    return HexText(digest, sizeof digest);
}

TEST(Md5, Rfc1321TestSuite) {
    const std::pair<std::string, std::string> suite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [message, digest] : suite)
        EXPECT_EQ(Md5Hex(message), digest) << message;
}

std::string RandomBytes(std::size_t size) {
    std::mt19937 random(static_cast<unsigned>(size));
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

// Every split of a message into pieces, at every offset inside a block, gives one digest.
TEST(Md5, PiecesOfAnySizeGiveTheSameDigest) {
    const std::string message = RandomBytes(300);
    for (std::size_t piece = 1; piece <= 130; ++piece)
        EXPECT_EQ(Md5Hex(message, piece), Md5Hex(message)) << "pieces of " << piece;
}

TEST(Md5, FinalWipesTheContext) {
    Md5Context context;
    Md5Init(context);
    Md5Update(context, "secret", 6);
    unsigned char digest[Md5DigestSize];
    Md5Final(context, digest);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&context);
    EXPECT_EQ(std::count(bytes, bytes + sizeof context, 0),
              static_cast<std::ptrdiff_t>(sizeof context));
}

// Sizes around the MD5 block, its padding, and the 1,000,000-byte read.
TEST(FileDigest, RandomFilesMatchAnIndependentDigest) {
    TempFolder folder;
    for (const std::size_t size :
         {0u, 1u, 55u, 56u, 63u, 64u, 65u, 999999u, 1000000u, 1000001u, 2000000u}) {
        const std::string data = RandomBytes(size);
        const std::string digest = FileDigest(folder.Write(std::to_string(size), data));
        EXPECT_EQ(digest, Md5Hex(data)) << size << " bytes";
#ifdef DG_HAVE_OPENSSL
        unsigned char expected[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        EVP_Digest(data.data(), data.size(), expected, &length, EVP_md5(), nullptr);
        EXPECT_EQ(digest, HexText(expected, length)) << size << " bytes";
#endif
    }
}

// A path that does not open, or a read failing at the start or after whole blocks were
// hashed, leaves no digest.
TEST(FileDigest, FailedOpenOrReadGivesTheEmptyText) {
    TempFolder folder;
    EXPECT_EQ(FileDigest(folder.Path("missing")), "");
    EXPECT_EQ(FileDigest(folder.Path()), "");
    const std::string path = folder.Write("big.bin", std::string(2500000, 'x'));
    for (const long long failAfter : {0, 1000000}) {
        FailReadsAfter(failAfter);
        const std::string digest = FileDigest(path);
        FailReadsAfter(-1);
        EXPECT_EQ(digest, "") << "failing after " << failAfter;
    }
    EXPECT_EQ(FileDigest(path), Md5Hex(std::string(2500000, 'x')));
}

// Past 4 GiB the bit count needs its high word. The expected digest was made once with
//   python3 -c 'f=open("s","wb"); f.write(b"head of a sparse file"); f.seek(2**32-7);
//     f.write(b"across 4 GiB"); f.seek(2**32+999990); f.write(b"end of the file")'
//   md5sum s
// which is this same layout: 4,295,967,301 bytes, the rest holes that read as zeros.
TEST(FileDigestSlow, SparseFileOver4GiB) {
    TempFolder folder;
    const std::string path = folder.Path("sparse");
    const long long fourGiB = 1LL << 32;
    std::ofstream file(path, std::ios::binary);
    for (const auto& [at, bytes] : {std::pair<long long, std::string>{0, "head of a sparse file"},
                                    {fourGiB - 7, "across 4 GiB"},
                                    {fourGiB + 999990, "end of the file"}})
        file.seekp(at).write(bytes.data(), std::ssize(bytes));
    file.close();
    ASSERT_TRUE(file.good());
    EXPECT_EQ(FileDigest(path), "94c2d24891adc406c12a666f7c6e597d");
}

#ifdef _WIN32
// Another handle on the file: a reader sharing reading leaves it readable; a writer, whatever
// it shares, stops the digest.
TEST(FileDigest, HeldByAnotherHandle) {
    TempFolder folder;
    const std::string path = folder.Write("held", "abc");
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    for (const auto& [access, sharing, digest] :
         {std::tuple<DWORD, DWORD, std::string>{GENERIC_READ, FILE_SHARE_READ, Md5Hex("abc")},
          {GENERIC_WRITE, all, ""}}) {
        const HANDLE handle = CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        EXPECT_EQ(FileDigest(path), digest) << access << " shares " << sharing;
        CloseHandle(handle);
    }
    EXPECT_EQ(FileDigest(path), Md5Hex("abc"));
}
#endif

} // namespace
} // namespace dg
