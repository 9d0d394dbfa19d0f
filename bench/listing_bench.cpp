// The cost of listing beyond the designed 22 ms pause after each entry: the real program on
// the headless user interface lists a folder of 1,000 small files, from OK to the count.
// Beside it, how much longer than asked Delay(22) alone sleeps on this machine right now: on a
// loaded machine that is most of the figure.
//   usage: dg_listing_bench EMPTY-FOLDER
#include "app/program.h"
#include "platform/headless/headless.h"
#include "platform/ids.h"
#include "platform/threads.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace hl = dg::headless;
using namespace std::chrono_literals;

constexpr int Files = 1000;
// The folder itself and its parent are entries too.
constexpr int Entries = Files + 2;
constexpr double PauseMs = 22.0;

bool Fail(const char* what) {
    std::fprintf(stderr, "dg_listing_bench: %s\n", what);
    return false;
}

double DelayOvershootMs() {
    constexpr int rounds = 100;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        dg::Delay(static_cast<int>(PauseMs));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count() / rounds - PauseMs;
}

bool ListOnce(const std::string& folder, double& tookMs) {
    if (!hl::WaitIdle(60s))
        return Fail("the program did not start");
    hl::ClickButton(dg::ListDirectoryButton);
    if (!hl::WaitUntil([] { return hl::Window(dg::DirectoryWindow).open; }, 60s) ||
        !hl::WaitIdle(60s))
        return Fail("the chooser did not open");
    hl::SelectTreePath(dg::DirectoryTree, folder);
    const auto start = std::chrono::steady_clock::now();
    hl::ClickButton(dg::DirectoryOkButton);
    const std::string done = "Directory listing operation has been completed - ";
    if (!hl::WaitUntil([&] { return hl::StatusText().starts_with(done); }, 600s))
        return Fail("the listing did not end");
    tookMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (hl::Control(dg::ResultList).rows.size() != static_cast<std::size_t>(Files))
        return Fail("the listing has not one row per file");
    return true;
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

    hl::ResetWorld();
    std::thread program([] { dg::RunProgram(); });
    double tookMs = 0;
    const bool listed = ListOnce(
        folder.string() + static_cast<char>(std::filesystem::path::preferred_separator), tookMs);
    hl::PostEvent(dg::EventMenu, dg::MenuExit, dg::MainWindow, 0);
    program.join();
    if (!listed)
        return 1;
    const double perEntry = tookMs / Entries;
    std::printf("listing %d files (%d entries): %.3f ms per entry, %.3f ms beyond the %.0f ms "
                "pause (target under 1 ms); Delay(%.0f) alone oversleeps %.3f ms\n",
                Files, Entries, perEntry, perEntry - PauseMs, PauseMs, PauseMs, DelayOvershootMs());
    return 0;
}
