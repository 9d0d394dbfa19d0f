// End-to-end driver: runs the journeys against digestorium.exe and prints one verdict line per
// journey and a closing count.
//   e2e_driver EXE WORK-FOLDER [CASE...]   runs every journey, or the named ones
#include "e2e.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <sstream>

namespace e2e {

namespace {

constexpr unsigned long long CaseLimitMs = 300000;

std::string exe;
std::string work;
std::map<std::string, std::string> digests;

// The running case and what it last awaited, read by the watchdog.
std::mutex stateLock;
std::string currentCase;
unsigned long long caseStart = 0;
std::string awaited;
unsigned long long awaitedSince = 0;
int failures = 0;

// The manual and the reports open in the stand-in beside the test programs.
void Prepare() {
    char driver[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, driver, sizeof driver);
    const std::string folder(driver, std::strrchr(driver, '\\'));
    const std::string open = "\"" + folder + "\\..\\dg_document_program.exe\" \"%1\"";
    for (const char* type : {".pdf", ".txt", ".html"})
        RegSetValueA(HKEY_CLASSES_ROOT, type, REG_SZ, "DigestoriumE2E.Document", 0);
    RegSetValueA(HKEY_CLASSES_ROOT, "DigestoriumE2E.Document\\shell\\open\\command", REG_SZ,
                 open.c_str(), 0);
    SetEnvironmentVariableA("DG_LAUNCH_LOG", WorkPath("launched.txt").c_str());
    CreateDirectoryA(WorkPath(RunFolder).c_str(), nullptr);
    std::ofstream(WorkPath(ManualFile)) << "%PDF-1.4\n%%EOF\n";
    std::ifstream sums(WorkPath("md5sums.txt"));
    std::string line;
    while (std::getline(sums, line)) {
        // md5sum writes the digest, two blanks and the name.
        if (line.size() > 34) {
            digests[line.substr(34)] = line.substr(0, 32);
        }
    }
}

// Every wait is bounded, so this fires only if Wine itself never returns.
DWORD WINAPI Watchdog(void*) {
    for (;;) {
        Sleep(1000);
        const std::lock_guard<std::mutex> lock(stateLock);
        if (caseStart && Now() - caseStart > CaseLimitMs) {
            std::printf(
                "FAIL %s: still running after %llu s; its last wait, for %s, began %.1f s ago\n"
                "driver: aborted\n",
                currentCase.c_str(), CaseLimitMs / 1000, awaited.c_str(),
                (Now() - awaitedSince) / 1000.0);
            std::fflush(stdout);
            ExitProcess(3);
        }
    }
}

} // namespace

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

unsigned long long Now() {
    return GetTickCount64();
}

void Awaiting(const std::string& what) {
    const std::lock_guard<std::mutex> lock(stateLock);
    awaited = what;
    awaitedSince = Now();
}

void Fail(const std::string& what, const std::string& expected, const std::string& seen) {
    std::printf("  [%.1f s] %s: expected %s, saw %s\n", (Now() - caseStart) / 1000.0, what.c_str(),
                expected.c_str(), seen.c_str());
    std::fflush(stdout);
    ++failures;
}

void Expect(const std::string& what, const std::string& expected, const std::string& seen) {
    if (expected != seen)
        Fail(what, Quote(expected), Quote(seen));
}

void Require(bool ok, const std::string& what, const std::string& expected,
             const std::string& seen) {
    if (!ok) {
        Fail(what, expected, seen);
        throw CaseAborted{};
    }
}

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

const std::string& ExePath() {
    return exe;
}

std::string WorkPath(const std::string& name) {
    return work + "\\" + name;
}

std::string Digest(const std::string& name) {
    const auto found = digests.find(name);
    Require(found != digests.end(), "md5sum of " + name, "given by the runner", "none");
    return found->second;
}

std::string DocumentsFolder() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, path);
    return std::string(path) + "\\";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string LastLaunchedDocument() {
    std::istringstream log(ReadFile(WorkPath("launched.txt")));
    std::string last;
    for (std::string line; std::getline(log, line);)
        last = line.substr(0, line.find('\t'));
    return last;
}

// The program may hold the clipboard for a moment.
void SetClipboardText(const std::string& text) {
    WaitFor("the clipboard", [] { return OpenClipboard(nullptr) != FALSE; });
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    const bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    Require(set, "text on the clipboard", "set", "refused");
}

int Main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: e2e_driver EXE WORK-FOLDER [CASE...]\n");
        return 2;
    }
    exe = argv[1];
    work = argv[2];
    Prepare();
    CloseHandle(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));

    int passed = 0;
    int failed = 0;
    for (const Case& c : Cases()) {
        if (argc > 3 && std::none_of(argv + 3, argv + argc, [&](const char* name) {
                return !std::strcmp(name, c.name);
            })) {
            continue;
        }
        std::printf("== %s\n", c.name);
        std::fflush(stdout);
        {
            const std::lock_guard<std::mutex> lock(stateLock);
            currentCase = c.name;
            caseStart = Now();
            failures = 0;
        }
        try {
            c.run();
        } catch (const CaseAborted&) {
        }
        std::printf("%s %s (%.1f s)\n", failures ? "FAIL" : "PASS", c.name,
                    (Now() - caseStart) / 1000.0);
        std::fflush(stdout);
        (failures ? failed : passed)++;
    }
    std::printf("driver: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}

} // namespace e2e

int main(int argc, char** argv) {
    return e2e::Main(argc, argv);
}
