// The case table. A case is a function that drives one run of the program; define it with
//   E2E_CASE(Name) { App app(Work("run")); ... }
// in any driver source, and it runs in the order of definition within its file.
#pragma once

#include <map>
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

// Where the runner put things, as Windows paths without a trailing backslash.
struct Config {
    std::string exe;   // digestorium.exe
    std::string work;  // the run's scratch folder
    std::string probe; // the probe DLL, beside the driver
    // documents handed to the program associated with .pdf, one line each
    std::string launchLog;
    // md5sum's digests of the files the runner made in work\files, by file name
    std::map<std::string, std::string> digests;
};

const Config& Settings();

// A folder under the scratch folder (made if missing), as a Windows path.
std::string Work(const std::string& name);
// A file the runner made in work\files, and its md5sum digest in lower case.
std::string DataFile(const std::string& name);
std::string Digest(const std::string& name);

// The documents the program handed to the associated program, in order.
std::vector<std::string> LaunchedDocuments();
void ForgetLaunchedDocuments();

} // namespace e2e

#define E2E_CASE(name)                                                                             \
    static void name();                                                                            \
    static const e2e::RegisterCase name##Registered(#name, name);                                  \
    static void name()
