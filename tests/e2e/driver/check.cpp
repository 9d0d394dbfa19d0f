#include "check.h"

#include "cases.h"
#include "desktop.h"

#include <windows.h>

#include <cstdio>

namespace e2e {

namespace {

std::string currentCase;
unsigned long long caseStart = 0;
int failures = 0;

} // namespace

void BeginCase(const std::string& name) {
    currentCase = name;
    caseStart = Now();
    failures = 0;
}

int EndCase() {
    return failures;
}

void Fail(const std::string& what, const std::string& expected, const std::string& seen) {
    std::printf("  [%.1f s] %s: expected %s, saw %s\n", (Now() - caseStart) / 1000.0, what.c_str(),
                expected.c_str(), seen.c_str());
    if (failures++ == 0) {
        // The first failure's screen is the one that explains it.
        const std::string path = Work("screenshots") + "\\" + currentCase + ".bmp";
        if (SaveScreenshot(path)) {
            std::printf("  screenshot: %s\n", path.c_str());
        }
    }
    std::fflush(stdout);
}

void Abort(const std::string& what, const std::string& expected, const std::string& seen) {
    Fail(what, expected, seen);
    throw CaseAborted{};
}

bool Expect(const std::string& what, const std::string& expected, const std::string& seen) {
    if (expected != seen) {
        Fail(what, Quote(expected), Quote(seen));
    }
    return expected == seen;
}

bool Expect(const std::string& what, long long expected, long long seen) {
    if (expected != seen) {
        Fail(what, std::to_string(expected), std::to_string(seen));
    }
    return expected == seen;
}

bool ExpectFlag(const std::string& what, bool expected, bool seen) {
    if (expected != seen) {
        Fail(what, YesNo(expected), YesNo(seen));
    }
    return expected == seen;
}

void Require(bool ok, const std::string& what, const std::string& expected,
             const std::string& seen) {
    if (!ok) {
        Abort(what, expected, seen);
    }
}

std::string Quote(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '\t') {
            quoted += "\\t";
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 32 || c > 126) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            quoted += hex;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

std::string Numbered(const char* text, long long number) {
    return std::string(text) + std::to_string(number);
}

unsigned long long Now() {
    return GetTickCount64();
}

void Pause(int ms) {
    Sleep(static_cast<DWORD>(ms));
}

} // namespace e2e
