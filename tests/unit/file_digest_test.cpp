#include "hashing/file_digest.h"

#include "hashing/md5.h"
#include "hex_text.h"
#include "platform/files.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#ifdef DG_HAVE_OPENSSL
#include <openssl/evp.h>
#endif

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace dg {
namespace {

using test::HexText;
using test::TempFolder;

// The digest through a path that FileDigest does not take: the MD5 core fed in odd pieces.
std::string DigestInOddPieces(const std::string& data) {
    Md5Context context;
    Md5Init(context);
    static const std::size_t pieces[] = {7, 1, 63, 64, 129, 1000003};
    for (std::size_t at = 0, i = 0; at < data.size(); ++i) {
        const std::size_t take = std::min(pieces[i % std::size(pieces)], data.size() - at);
        Md5Update(context, data.data() + at, take);
        at += take;
    }
    unsigned char digest[Md5DigestSize];
    Md5Final(context, digest);
    return HexText(digest, sizeof digest);
}

#ifdef DG_HAVE_OPENSSL
std::string OpenSslDigest(const std::string& data) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_Digest(data.data(), data.size(), digest, &size, EVP_md5(), nullptr) != 1)
        return "openssl failed";
    return HexText(digest, size);
}
#endif

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

TEST(FileDigest, KnownAnswersInLowerCase) {
    TempFolder folder;
    EXPECT_EQ(FileDigest(folder.Write("empty", "")), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(FileDigest(folder.Write("abc", "abc")), "900150983cd24fb0d6963f7d28e17f72");
}

// Sizes around the MD5 block, its padding, and the 1,000,000-byte read.
TEST(FileDigest, RandomFilesMatchAnIndependentDigest) {
    TempFolder folder;
    for (const std::size_t size :
         {0u, 1u, 55u, 56u, 63u, 64u, 65u, 999999u, 1000000u, 1000001u, 2000000u}) {
        const std::string data = RandomBytes(size, static_cast<unsigned>(size));
        const std::string digest = FileDigest(folder.Write("random" + std::to_string(size), data));
        EXPECT_EQ(digest, DigestInOddPieces(data)) << size << " bytes";
#ifdef DG_HAVE_OPENSSL
        EXPECT_EQ(digest, OpenSslDigest(data)) << size << " bytes";
#endif
    }
}

TEST(FileDigest, PathsThatDoNotOpenGiveTheEmptyText) {
    TempFolder folder;
    EXPECT_EQ(FileDigest(folder.Path("missing")), "");
    EXPECT_EQ(FileDigest(folder.Path("missing") + "/deeper"), "");
    EXPECT_EQ(FileDigest(folder.Path()), "");
    EXPECT_EQ(FileDigest(""), "");
}

// Opens as a regular file, but reading at offset 0 fails (EIO): a partial digest must not be
// shown as the file's hash.
TEST(FileDigest, FailingReadGivesTheEmptyText) {
#ifdef _WIN32
    const std::string path = "Z:\\proc\\self\\mem";
#else
    const std::string path = "/proc/self/mem";
#endif
    if (!InputFile(path).IsOpen())
        GTEST_SKIP() << path << " does not open here";
    EXPECT_EQ(FileDigest(path), "");
}

// A read that fails after whole blocks were hashed must not leave their digest either.
TEST(FileDigest, ReadFailingAfterAFullBlockGivesTheEmptyText) {
    TempFolder folder;
    const std::string path = folder.Write("big.bin", std::string(2500000, 'x'));
    FailReadsAfter(1000000);
    const std::string digest = FileDigest(path);
    FailReadsAfter(-1);
    EXPECT_EQ(digest, "");
    EXPECT_NE(FileDigest(path), "");
}

struct Chunk {
    std::uint64_t offset;
    std::string bytes;
};

// Writes only the chunks; everything between them is a hole that reads as zeros.
bool WriteSparseFile(const std::string& path, const std::vector<Chunk>& chunks) {
#ifdef _WIN32
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = true;
    for (const Chunk& chunk : chunks) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(chunk.offset);
        DWORD done = 0;
        written = written && SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                  WriteFile(file, chunk.bytes.data(), static_cast<DWORD>(chunk.bytes.size()), &done,
                            nullptr) &&
                  done == chunk.bytes.size();
    }
    CloseHandle(file);
    return written;
#else
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (file < 0)
        return false;
    bool written = true;
    for (const Chunk& chunk : chunks)
        written = written && pwrite(file, chunk.bytes.data(), chunk.bytes.size(),
                                    static_cast<off_t>(chunk.offset)) ==
                                 static_cast<ssize_t>(chunk.bytes.size());
    close(file);
    return written;
#endif
}

// Past 4 GiB the bit count needs its high word. The expected digest was made once with
//   python3 -c 'f=open("s","wb"); f.write(b"head of a sparse file"); f.seek(2**32-7);
//     f.write(b"across 4 GiB"); f.seek(2**32+999990); f.write(b"end of the file")'
//   md5sum s
// which is this same layout: 4,295,967,301 bytes.
TEST(FileDigestSlow, SparseFileOver4GiB) {
    TempFolder folder;
    const std::string path = folder.Path("sparse");
    const std::uint64_t fourGiB = 1ull << 32;
    ASSERT_TRUE(WriteSparseFile(path, {{0, "head of a sparse file"},
                                       {fourGiB - 7, "across 4 GiB"},
                                       {fourGiB + 999990, "end of the file"}}));
    EXPECT_EQ(FileDigest(path), "94c2d24891adc406c12a666f7c6e597d");
}

#ifdef _WIN32
// Another handle on the file: a reader sharing reading leaves it readable; a writer, whatever
// it shares, or a reader not sharing reading stops the digest.
TEST(FileDigest, HeldByAnotherHandle) {
    TempFolder folder;
    const std::string path = folder.Write("held", "abc");
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const struct {
        DWORD access, sharing;
        bool readable;
    } holders[] = {{GENERIC_READ, FILE_SHARE_READ, true},
                   {GENERIC_WRITE, 0, false},
                   {GENERIC_WRITE, FILE_SHARE_READ, false},
                   {GENERIC_WRITE, all, false},
                   {GENERIC_READ, FILE_SHARE_WRITE, false}};
    for (const auto& holder : holders) {
        const HANDLE handle = CreateFileA(path.c_str(), holder.access, holder.sharing, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        EXPECT_EQ(FileDigest(path), holder.readable ? "900150983cd24fb0d6963f7d28e17f72" : "")
            << holder.access << " shares " << holder.sharing;
        CloseHandle(handle);
    }
    EXPECT_EQ(FileDigest(path), "900150983cd24fb0d6963f7d28e17f72");
}
#endif

} // namespace
} // namespace dg
