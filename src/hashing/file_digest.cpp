#include "hashing/file_digest.h"

#include "hashing/md5.h"
#include "platform/files.h"

#include <memory>
#include <new>

namespace dg {

namespace {

// Decimal, as every read of the program has always been.
constexpr std::size_t ReadSize = 1000000;

std::string HexDigits(const unsigned char (&digest)[Md5DigestSize]) {
    static const char digits[] = "0123456789abcdef";
    std::string text(2 * Md5DigestSize, '0');
    for (std::size_t i = 0; i < Md5DigestSize; ++i) {
        text[2 * i] = digits[digest[i] >> 4];
        text[2 * i + 1] = digits[digest[i] & 15];
    }
    return text;
}

} // namespace

std::string FileDigest(const std::string& path) {
    InputFile file(path);
    if (!file.IsOpen())
        return {};
    // Kept by the thread for its next file: under Wine a read first touches every page of its
    // buffer, and a new megabyte for each small file of a listing cost 2 to 3 ms.
    thread_local const std::unique_ptr<unsigned char[]> buffer(
        new (std::nothrow) unsigned char[ReadSize]);
    if (!buffer)
        return {};

    Md5Context context;
    Md5Init(context);
    long long got = 0;
    do {
        got = file.Read(buffer.get(), ReadSize);
        if (got < 0)
            break;
        Md5Update(context, buffer.get(), static_cast<std::size_t>(got));
    } while (got == static_cast<long long>(ReadSize));

    unsigned char digest[Md5DigestSize];
    Md5Final(context, digest); // also wipes the context when a read failed
    // A failed read would leave the digest of only part of the file: report no hash at all.
    return got < 0 ? std::string() : HexDigits(digest);
}

} // namespace dg
