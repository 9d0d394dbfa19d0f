// Hashing one file that the user chooses.
#pragma once

namespace dg {

// Asks for a file, hashes it and lists it, with the commands locked while it hashes. Runs on
// its own worker thread (SelectFileThread); the value is not used.
int SelectFileJob(int value);

} // namespace dg
