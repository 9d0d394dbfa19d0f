// The exchange between the driver and the probe it loads into the program. The driver
// allocates ProbeBufferSize bytes in the program, writes the main window's handle at the
// start and runs ProbeMenu there with the buffer's address; the probe replaces the handle
// by a zero-terminated text, one line per menu and item:
//   menu<TAB>label
//   item<TAB>command id<TAB>greyed (0 or 1)<TAB>label (which may itself hold a tab)
#pragma once

namespace e2e {

constexpr unsigned ProbeBufferSize = 65536;
constexpr const char* ProbeFunction = "ProbeMenu";

} // namespace e2e
