// The file failures that tests ask for through FailReadsAfter and FailWrites (files.h).
#pragma once

namespace dg {

// A file that has delivered that many bytes fails its next read. Any thread.
[[nodiscard]] bool ReadFailsAt(long long delivered);

// Every report write fails. Main thread.
[[nodiscard]] bool WritesFail();

} // namespace dg
