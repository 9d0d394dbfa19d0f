// The cost of listing beyond the 22 ms pause after each entry, over a folder of
// 1,000 small files, from the start of the job to its end, the job's calls going to real
// windows as in the program. Under Wine once with MainWindow shown and once hidden: shown,
// Wine on Xvfb would take some 20 ms to paint each status text and row if the backend did not
// hold painting back in a burst. On Linux the Qt window is shown (needs a display).
// Beside it, how much longer than asked Delay(22) alone sleeps on this machine right now: on a
// loaded machine that is most of the figure.
//   usage: dg_listing_bench EMPTY-FOLDER
#include "actions/directory_listing_job.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "shell/job_state.h"
#include "shell/main_window.h"

#ifdef _WIN32
#include "platform/win32/ui/ui_win32.h"

#include <windows.h>
#else
#include "platform/qt/qt_backend.h"

#include <atomic>
#include <thread>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
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
// Wine paints each change of a shown window itself.
int TargetMs(bool shown) {
    return shown ? 2 : 1;
}
#else
const bool Shown[] = {true};
int TargetMs(bool) {
    return 1;
}
#endif

// The main thread carries the job's calls in WaitEvent, woken now and then to see the job end.
// Returns the rows listed.
int List(const std::string& folder, bool shown, double& tookMs) {
    dg::InitialisePlatform();
    if (!dg::BuildMainWindow())
        return -1;
    dg::ChosenDirectory = folder;
#ifdef _WIN32
    if (!shown)
        ShowWindow(dg::win32::WindowHandle(dg::MainWindow), SW_HIDE);
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
#else
    (void)shown;
    std::atomic<bool> listing{true};
    std::thread waker([&listing] {
        while (listing) {
            std::this_thread::sleep_for(10ms);
            dg::qt::PostEvent(static_cast<dg::EventKind>(-1), 0, -1, 0);
        }
    });
#endif
    const auto start = Clock::now();
    dg::StartDirectoryListing();
    while (dg::IsThreadRunning(dg::ListingThread))
        (void)dg::WaitEvent();
    tookMs = MsSince(start);
#ifdef _WIN32
    KillTimer(nullptr, timer);
#else
    listing = false;
    waker.join();
#endif
    const int rows = dg::CountListRows(dg::ResultList);
    dg::ReleasePlatform();
    return rows;
}

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
                    perEntry - PauseMs, PauseMs, TargetMs(shown));
    }
    std::printf("Delay(%.0f) alone oversleeps %.3f ms\n", PauseMs, DelayOvershootMs());
    // Qt's teardown is not measured: end here.
    std::fflush(nullptr);
    std::_Exit(0);
}
