// The read failures that tests ask for through FailReadsAfter (files.h).
#pragma once

namespace dg {

// A file that has delivered that many bytes fails its next read. Any thread.
[[nodiscard]] bool ReadFailsAt(long long delivered);

} // namespace dg
