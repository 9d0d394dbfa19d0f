// Prints a file's FileDigest as md5sum does, followed by the throughput and the peak memory:
//   <digest>  <path>  <MB/s> MB/s  <KiB> KiB peak
#include "hashing/file_digest.h"
#include "platform/system.h"

#include "process_figures.h"

#include <chrono>
#include <cstdio>

using dg::bench::PeakKibibytes;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dg_digest_bench FILE\n");
        return 2;
    }
    const long long size = dg::FileSize(argv[1]);
    const auto start = std::chrono::steady_clock::now();
    const std::string digest = dg::FileDigest(argv[1]);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (digest.empty()) {
        std::fprintf(stderr, "dg_digest_bench: cannot read %s\n", argv[1]);
        return 1;
    }
    const double rate = size > 0 && took.count() > 0 ? size / took.count() / 1e6 : 0.0;
    std::printf("%s  %s  %.1f MB/s  %lld KiB peak\n", digest.c_str(), argv[1], rate,
                PeakKibibytes());
    return 0;
}
