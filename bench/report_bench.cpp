// Writes each report format for lists of 10,000 and 100,000 rows and prints, for one report,
// the wall time, the rate, the processor time and the peak memory; the last line says
// whether the time grew linearly (at most 13 times for 10 times the rows). Exit code 1 when
// it did not. The growth is taken from processor time: on a machine shared with builds the
// wall clock mostly measures the others.
#include "actions/report_file.h"
#include "reports/csv_report.h"
#include "reports/html_report.h"
#include "reports/text_report.h"

#include "platform/system.h"

#include "process_figures.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using namespace dg;
using dg::bench::PeakKibibytes;
using dg::bench::ProcessorSeconds;

constexpr int Samples = 5;
constexpr int RowsPerSample = 100000;
// A report ten times as long leaves the caches and costs up to a fifth more per row; a
// quadratic writer would take a hundred times as long.
constexpr double LinearLimit = 13.0;

// Rows made as they are asked for, as the list hands them over: nothing is held.
ReportRow MadeRow(int row) {
    std::string name = "benchmark file " + std::to_string(row);
    name += row % 5 == 0 ? " with a name longer than the text report's column.bin" : ".bin";
    return {name, row % 97 == 0 ? "" : "D41D8CD98F00B204E9800998ECF8427E"};
}

struct Timing {
    double wall = -1;
    double processor = -1;
};

// The best of the samples, for one report of that many rows; negative when it could not be
// written. Every sample writes the same number of rows (ten small reports or one large).
Timing Measure(const std::string& path, const ReportFormat& format, int rows) {
    const int reports = RowsPerSample / rows;
    Timing best;
    for (int sample = 0; sample < Samples; ++sample) {
        const auto start = std::chrono::steady_clock::now();
        const double startProcessor = ProcessorSeconds();
        for (int report = 0; report < reports; ++report)
            if (!WriteReportFile(path, format, {"File Name", "MD5"}, rows, MadeRow))
                return {};
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        const double processor = ProcessorSeconds() - startProcessor;
        if (best.processor < 0 || processor < best.processor)
            best = {wall.count() / reports, processor / reports};
    }
    return best;
}

} // namespace

// The reports go to the folder given (a memory file system keeps the disk out of the
// figures), by default the temporary one.
int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    const std::string path =
        (folder / ("dg_report_bench_" + std::to_string(SystemLocalDate()))).string();
    const std::pair<const char*, const ReportFormat*> formats[] = {
        {"text", &TextReport}, {"CSV", &CsvReport}, {"HTML", &HtmlReport}};
    bool linear = true;
    for (const auto& [name, format] : formats) {
        Timing times[2];
        const int sizes[2] = {RowsPerSample / 10, RowsPerSample};
        for (int i = 0; i < 2; ++i) {
            times[i] = Measure(path, *format, sizes[i]);
            if (times[i].wall < 0) {
                std::fprintf(stderr, "report_bench: cannot write %s\n", path.c_str());
                return 2;
            }
            const long long bytes = FileSize(path);
            std::printf("%-4s %6d rows: %8.2f ms %7.1f MB/s %8.2f ms processor %9lld bytes "
                        "%lld KiB peak\n",
                        name, sizes[i], times[i].wall * 1e3, bytes / times[i].wall / 1e6,
                        times[i].processor * 1e3, bytes, PeakKibibytes());
        }
        const double growth = times[1].processor / times[0].processor;
        std::printf("%-4s 100,000 / 10,000 rows: %.2f x\n", name, growth);
        linear = linear && growth <= LinearLimit;
    }
    std::filesystem::remove(path);
    std::printf("reports: %s (limit %.0f x)\n", linear ? "linear" : "NOT linear", LinearLimit);
    return linear ? 0 : 1;
}
