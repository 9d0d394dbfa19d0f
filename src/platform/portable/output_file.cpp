// The buffering of OutputFile, the same for every backend.
#include "platform/files.h"
#include "platform/portable/file_faults.h"

#include <algorithm>
#include <cstring>

namespace dg {

void OutputFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        if (used_ == BufferSize)
            Flush();
        const std::size_t take = std::min(bytes.size(), BufferSize - used_);
        std::memcpy(buffer_ + used_, bytes.data(), take);
        used_ += take;
        bytes.remove_prefix(take);
    }
}

void OutputFile::Flush() {
    // After a failed write the file is lost anyway: the rest is dropped, not retried.
    if (!failed_ && used_ > 0 && (WritesFail() || !WriteNative(buffer_, used_)))
        failed_ = true;
    used_ = 0;
}

bool OutputFile::Close() {
    if (!IsOpen())
        return false;
    Flush();
    const bool closed = CloseNative();
    if (closed && !failed_)
        return true;
    // A half-written report must not be taken for one and sent on.
    RemoveNative();
    return false;
}

OutputFile::~OutputFile() {
    if (IsOpen())
        (void)CloseNative();
}

} // namespace dg
