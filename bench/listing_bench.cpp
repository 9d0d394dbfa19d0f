// The cost of listing beyond the 22 ms pause after each entry, over a folder of
// 1,000 small files, from the start of the job to its end. Natively the whole program runs on
// the headless user interface; under Wine the job's calls go to real windows, as in the exe,
// once with MainWindow shown and once hidden: shown, Wine on Xvfb would take some 20 ms to
// paint each status text and row if the backend did not hold painting back in a burst.
// Beside it, how much longer than asked Delay(22) alone sleeps on this machine right now: on a
// loaded machine that is most of the figure.
//   usage: dg_listing_bench EMPTY-FOLDER
#include "platform/ids.h"
#include "platform/threads.h"
#include "platform/ui.h"

#ifdef _WIN32
#include "actions/directory_listing_job.h"
#include "platform/system.h"
#include "platform/win32/ui/ui_win32.h"
#include "shell/job_state.h"
#include "shell/main_window.h"

#include <windows.h>
#else
#include "app/program.h"
#include "platform/headless/headless.h"

#include <thread>
#endif

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int Files = 1000;
// The folder itself and its parent are entries too.
constexpr int Entries = Files + 2;
constexpr double PauseMs = 22.0;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double DelayOvershootMs() {
    constexpr int rounds = 100;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        dg::Delay(static_cast<int>(PauseMs));
    return MsSince(start) / rounds - PauseMs;
}

#ifdef _WIN32

const bool Shown[] = {true, false};

// The main thread carries the job's calls in WaitEvent; a thread timer wakes it to see the
// job end. Returns the rows listed.
int List(const std::string& folder, bool shown, double& tookMs) {
    dg::InitialisePlatform();
    if (!dg::BuildMainWindow())
        return -1;
    if (!shown)
        ShowWindow(dg::win32::WindowHandle(dg::MainWindow), SW_HIDE);
    dg::ChosenDirectory = folder;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
    const auto start = Clock::now();
    dg::StartDirectoryListing();
    while (dg::IsThreadRunning(dg::ListingThread))
        (void)dg::WaitEvent();
    tookMs = MsSince(start);
    KillTimer(nullptr, timer);
    const int rows = dg::CountListRows(dg::ResultList);
    dg::ReleasePlatform();
    return rows;
}

#else

namespace hl = dg::headless;

const bool Shown[] = {false};

// From OK to the count message, through the program's own dispatch.
int List(const std::string& folder, bool, double& tookMs) {
    hl::ResetWorld();
    std::thread program([] { dg::RunProgram(); });
    int rows = -1;
    if (hl::WaitIdle(60s)) {
        hl::Give(hl::Input::Click, dg::ListDirectoryButton);
        if (hl::WaitUntil([] { return hl::Window(dg::DirectoryWindow).open; }, 60s) &&
            hl::WaitIdle(60s)) {
            hl::Give(hl::Input::TreeClick, dg::DirectoryTree, 0, folder);
            const auto start = Clock::now();
            hl::Give(hl::Input::Click, dg::DirectoryOkButton);
            const std::string done = "Directory listing operation has been completed - ";
            if (hl::WaitUntil([&] { return hl::StatusText().starts_with(done); }, 600s)) {
                tookMs = MsSince(start);
                rows = static_cast<int>(hl::Control(dg::ResultList).rows.size());
            }
        }
    }
    hl::PostEvent(dg::EventMenu, dg::MenuExit, dg::MainWindow, 0);
    program.join();
    return rows;
}

#endif

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dg_listing_bench EMPTY-FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    for (int i = 0; i < Files; ++i)
        std::ofstream(folder / ("file" + std::to_string(i) + ".txt")) << std::string(100, 'x');

    const std::string directory =
        folder.string() + static_cast<char>(std::filesystem::path::preferred_separator);
    for (const bool shown : Shown) {
        double tookMs = 0;
        const int rows = List(directory, shown, tookMs);
        if (rows != Files) {
            std::fprintf(stderr, "dg_listing_bench: %d rows listed instead of %d\n", rows, Files);
            return 1;
        }
        const double perEntry = tookMs / Entries;
        std::printf("listing %d files (%d entries)%s: %.3f ms per entry, %.3f ms beyond the %.0f "
                    "ms pause (target under %d ms)\n",
                    Files, Entries, shown ? " with the window shown" : "", perEntry,
                    perEntry - PauseMs, PauseMs, shown ? 2 : 1);
    }
    std::printf("Delay(%.0f) alone oversleeps %.3f ms\n", PauseMs, DelayOvershootMs());
    return 0;
}
