// End-to-end driver: runs the cases against digestorium.exe and prints one verdict line per
// case and a closing count.
//   e2e_driver EXE WORK-FOLDER [CASE...]   runs all cases, or the named ones
#include "cases.h"
#include "check.h"
#include "desktop.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>

namespace e2e {

namespace {

Config config;
std::string currentCase;
// Set after currentCase, so the watchdog reads a whole name.
std::atomic<unsigned long long> caseStart = 0;

constexpr const char* LaunchLogVariable = "DG_E2E_LAUNCH_LOG";
constexpr unsigned long long CaseLimitMs = 120000;

std::string DriverPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

std::string Folder(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

void SetValue(HKEY root, const std::string& key, const std::string& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(handle);
    }
}

// .pdf documents open with the recording stand-in beside the driver instead of a viewer.
void AssociatePdf() {
    const std::string progId = "DigestoriumE2E.Document";
    SetValue(HKEY_CLASSES_ROOT, ".pdf", progId);
    SetValue(HKEY_CLASSES_ROOT, progId + "\\shell\\open\\command",
             "\"" + Folder(DriverPath()) + "\\e2e_record.exe\" \"%1\"");
}

void ReadDigests() {
    std::ifstream in(config.work + "\\md5sums.txt");
    std::string line;
    while (std::getline(in, line)) {
        // md5sum writes the digest, two blanks and the name.
        if (line.size() > 34) {
            config.digests[line.substr(34)] = line.substr(0, 32);
        }
    }
}

// A case that never returns would hang the whole run: end it all, with a verdict.
DWORD WINAPI Watchdog(void*) {
    for (;;) {
        Sleep(1000);
        if (caseStart && Now() - caseStart > CaseLimitMs) {
            std::printf("FAIL %s: still running after %llu s\ndriver: aborted\n",
                        currentCase.c_str(), CaseLimitMs / 1000);
            std::fflush(stdout);
            ExitProcess(3);
        }
    }
}

bool Wanted(const Case& c, int argc, char** argv) {
    if (argc <= 3) {
        return true;
    }
    return std::any_of(argv + 3, argv + argc,
                       [&](const char* name) { return c.name == std::string(name); });
}

} // namespace

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

const Config& Settings() {
    return config;
}

std::string Work(const std::string& name) {
    const std::string path = config.work + "\\" + name;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

std::string DataFile(const std::string& name) {
    return config.work + "\\files\\" + name;
}

std::string Digest(const std::string& name) {
    const auto found = config.digests.find(name);
    Require(found != config.digests.end(), "md5sum of " + name, "given by the runner", "none");
    return found->second;
}

std::vector<std::string> LaunchedDocuments() {
    std::vector<std::string> documents;
    std::ifstream in(config.launchLog);
    std::string line;
    while (std::getline(in, line)) {
        documents.push_back(line);
    }
    return documents;
}

void ForgetLaunchedDocuments() {
    DeleteFileA(config.launchLog.c_str());
}

int Main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: e2e_driver EXE WORK-FOLDER [CASE...]\n");
        return 2;
    }
    config.exe = argv[1];
    config.work = argv[2];
    config.probe = Folder(DriverPath()) + "\\e2e_probe.dll";
    config.launchLog = config.work + "\\launched.txt";
    ReadDigests();
    AssociatePdf();
    SetEnvironmentVariableA(LaunchLogVariable, config.launchLog.c_str());
    CloseHandle(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));

    int passed = 0;
    int failed = 0;
    for (const Case& c : Cases()) {
        if (!Wanted(c, argc, argv)) {
            continue;
        }
        std::printf("== %s\n", c.name);
        std::fflush(stdout);
        currentCase = c.name;
        BeginCase(c.name);
        caseStart = Now();
        try {
            c.run();
        } catch (const CaseAborted&) {
        }
        const unsigned long long took = Now() - caseStart;
        caseStart = 0;
        const bool ok = EndCase() == 0;
        std::printf("%s %s (%.1f s)\n", ok ? "PASS" : "FAIL", c.name, took / 1000.0);
        std::fflush(stdout);
        (ok ? passed : failed)++;
    }
    std::printf("driver: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}

} // namespace e2e

int main(int argc, char** argv) {
    return e2e::Main(argc, argv);
}
