// The whole program: start-up, the event loop with its dispatch tables, the exit sequence.
#pragma once

namespace dg {

// Returns the exit code (always 0). Main thread.
int RunProgram();

} // namespace dg
