// The harness of the end-to-end journeys: the case table, verdicts, the bounded wait and what
// the runner prepared. A journey is defined in any driver source with
//   E2E_CASE(Name) { App app; ... }
// and cases run in the order of definition within their file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct Case {
    const char* name;
    void (*run)();
};

std::vector<Case>& Cases();

struct RegisterCase {
    RegisterCase(const char* name, void (*run)()) { Cases().push_back({name, run}); }
};

// ---- verdicts: Expect records a failure and goes on, Require ends the case ----

struct CaseAborted {};

void Fail(const std::string& what, const std::string& expected, const std::string& seen);
void Expect(const std::string& what, const std::string& expected, const std::string& seen);
void Require(bool ok, const std::string& what, const std::string& expected,
             const std::string& seen);
std::string Quote(const std::string& text);

// ---- the wait ----

// Budget of one step: generous, since a wait ends as soon as its condition holds.
constexpr int StepMs = 30000;

unsigned long long Now();
// Names what the case waits for, so that the watchdog can name where it hung.
void Awaiting(const std::string& what);

// Polls cond every 20 ms until it holds; ends the case if it still fails after timeoutMs,
// with *seen, when given, as what was seen last.
template <class Cond>
void WaitFor(const std::string& what, Cond cond, int timeoutMs = StepMs,
             const std::string* seen = nullptr) {
    Awaiting(what);
    const unsigned long long end = Now() + static_cast<unsigned long long>(timeoutMs);
    while (!cond()) {
        Require(Now() < end, what, "within " + std::to_string(timeoutMs / 1000) + " s",
                seen ? Quote(*seen) : "not so");
        Sleep(20);
    }
}

// Polls read() until it gives expected.
template <class Read>
void AwaitEqual(const std::string& what, const std::string& expected, Read read,
                int timeoutMs = StepMs) {
    std::string seen;
    WaitFor(
        what + " " + Quote(expected), [&] { return (seen = read()) == expected; }, timeoutMs,
        &seen);
}

// ---- what the runner prepared ----

const std::string& ExePath();
// A path in the run's scratch folder: the runner made the files to hash in files\, the
// journeys start the program in RunFolder, beside the manual.
std::string WorkPath(const std::string& name);
constexpr const char* RunFolder = "run";
constexpr const char* ManualFile = "run\\digestorium_manual.pdf";
// md5sum's digest of a file in files\, in upper case as the program lists it.
std::string Digest(const std::string& name);
// The program's documents folder, where it writes reports, with a trailing backslash.
std::string DocumentsFolder();
std::string ReadFile(const std::string& path);
// The last document the program handed to the program associated with its type.
std::string LastLaunchedDocument();

void SetClipboardText(const std::string& text);

} // namespace e2e

#define E2E_CASE(name)                                                                             \
    static void name();                                                                            \
    static const e2e::RegisterCase name##Registered(#name, name);                                  \
    static void name()
