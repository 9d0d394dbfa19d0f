// The running case's verdicts: what was expected, what was seen, and a screenshot of the
// first failure. Require ends the case; Expect lets it go on.
#pragma once

#include <string>

namespace e2e {

struct CaseAborted {};

// Records a failure of the running case.
void Fail(const std::string& what, const std::string& expected, const std::string& seen);
[[noreturn]] void Abort(const std::string& what, const std::string& expected,
                        const std::string& seen);

bool Expect(const std::string& what, const std::string& expected, const std::string& seen);
bool Expect(const std::string& what, long long expected, long long seen);
// A yes-or-no state (visible, enabled, greyed...).
bool ExpectFlag(const std::string& what, bool expected, bool seen);
void Require(bool ok, const std::string& what, const std::string& expected,
             const std::string& seen);

// A text as C++ would write it: quoted, with tabs, line feeds and bytes above 126 escaped.
std::string Quote(const std::string& text);
std::string YesNo(bool value);
// The text followed by the number: "control " and 3 give "control 3".
std::string Numbered(const char* text, long long number);

// Polls cond every 20 ms until it holds or timeoutMs has passed; false on time-out.
template <class Cond> bool WaitUntil(Cond cond, int timeoutMs);

// Milliseconds since an arbitrary start.
unsigned long long Now();
void Pause(int ms);

template <class Cond> bool WaitUntil(Cond cond, int timeoutMs) {
    const unsigned long long end = Now() + static_cast<unsigned long long>(timeoutMs);
    for (;;) {
        if (cond()) {
            return true;
        }
        if (Now() >= end) {
            return false;
        }
        Pause(20);
    }
}

} // namespace e2e

namespace e2e {

// For the case runner: starts counting the named case's failures; EndCase gives their number.
void BeginCase(const std::string& name);
int EndCase();

} // namespace e2e
