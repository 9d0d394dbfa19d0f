#include "platform/portable/file_faults.h"

#include "platform/files.h"

#include <atomic>

namespace dg {

namespace {

std::atomic<long long> failAfter{-1};
bool writesFail = false;

} // namespace

void FailReadsAfter(long long bytes) {
    failAfter = bytes;
}

bool ReadFailsAt(long long delivered) {
    const long long limit = failAfter;
    return limit >= 0 && delivered >= limit;
}

void FailWrites(bool on) {
    writesFail = on;
}

bool WritesFail() {
    return writesFail;
}

} // namespace dg
