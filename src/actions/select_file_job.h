// Hashing one file that the user chooses.
#pragma once

namespace dg {

// Starts SelectFileJob (SelectFileThread) for a command that holds the job slot; a job that
// cannot start gives the slot back. Main thread.
void StartSelectFileJob();

// Asks for a file, hashes it and lists it, with the commands locked while it hashes. Runs on
// its own worker thread (SelectFileThread); the value is not used.
int SelectFileJob(int value);

} // namespace dg
