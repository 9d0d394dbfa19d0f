// The Qt list under load: 100,000 rows appended one at a time from a worker thread through
// the seam, MainWindow shown, no pause and no hashing. Prints the time per row over the first
// and the last 10,000 rows, their ratio (the target is at most 1.5) and the peak resident
// memory (the target is under 64 MiB). Needs a display.
#include "platform/ids.h"
#include "platform/qt/qt_backend.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "process_figures.h"
#include "shell/main_window.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Rows = 100000;
constexpr int Slice = 10000;
constexpr auto Done = static_cast<dg::EventKind>(-1);

std::array<double, Rows / Slice> sliceMs{};

int AppendRows(int) {
    auto start = Clock::now();
    for (int row = 0; row < Rows; ++row) {
        dg::AddListRow(dg::ResultList, -1,
                       "file" + std::to_string(row) + ".bin\nD41D8CD98F00B204E9800998ECF8427E");
        if ((row + 1) % Slice == 0) {
            const auto now = Clock::now();
            sliceMs[static_cast<std::size_t>(row / Slice)] =
                std::chrono::duration<double, std::milli>(now - start).count();
            start = now;
        }
    }
    dg::qt::PostEvent(Done, 0, -1, 0);
    return 0;
}

} // namespace

int main() {
    dg::InitialisePlatform();
    if (!dg::BuildMainWindow()) {
        std::puts("no main window (no display?)");
        return 1;
    }
    if (dg::StartThread(AppendRows, 0) == 0)
        return 1;
    while (dg::WaitEvent() != Done) {
    }
    const double first = sliceMs.front() / Slice;
    const double last = sliceMs.back() / Slice;
    std::printf("rows %d appended from a worker: %.3f ms per row over the first %d, %.3f over "
                "the last %d, ratio %.2f; peak resident %.1f MiB\n",
                dg::CountListRows(dg::ResultList), first, Slice, last, Slice, last / first,
                static_cast<double>(dg::bench::PeakKibibytes()) / 1024.0);
    std::fflush(nullptr);
    std::_Exit(0);
}
