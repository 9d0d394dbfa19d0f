// The exchange between the driver and the probe DLL. The driver hooks the program's main
// thread with ProbeHook (WH_CALLWNDPROC), which makes the system load the probe there, and
// sends MainWindow the registered message ProbeMessage. While the main thread handles it, the
// probe writes what MainWindow shows into the shared memory named ProbeMemory as a
// zero-terminated text: the status line, then a line name<TAB>hash for each row.
#pragma once

namespace e2e {

constexpr unsigned ProbeMemorySize = 1 << 20;
constexpr const char* ProbeMemory = "DigestoriumE2EProbe";
constexpr const char* ProbeMessage = "DigestoriumE2EProbe";
constexpr const char* ProbeHook = "ProbeHook";

} // namespace e2e
