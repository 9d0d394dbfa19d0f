#include "actions/report_commands.h"

#include "actions/report_file.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/ui.h"
#include "reports/csv_report.h"
#include "reports/html_report.h"
#include "reports/report_name.h"
#include "reports/text_report.h"
#include "shell/command_states.h"

#include <string>

namespace dg {

namespace {

// What sets one report command apart from the others, besides its format.
struct ReportCommand {
    const ReportFormat& format;
    const char* notGenerated;
    const char* writtenOne;
    const char* writtenMany;
    // nullptr for a report that is not opened.
    const char* notOpened;
};

const ReportCommand TextReportCommand = {
    TextReport, "Unable to generate text file ", " file has been written to text file ",
    " files has been written to text file ",
    "Digestorium could not open Notepad/text program to disply "};
const ReportCommand CsvReportCommand = {CsvReport, "Unable to generate CSV file ",
                                        " file has been written to CSV file ",
                                        " files has been written to CSV file ", nullptr};
const ReportCommand HtmlReportCommand = {
    HtmlReport, "Unable to generate HTML file ", " file has been written to HTML file ",
    " files has been written to HTML file ", "Unable to open Web browser for file "};

// Row -1 gives the column titles.
ReportRow ListRow(int row) {
    return {GetListCellText(ResultList, row, 0), GetListCellText(ResultList, row, 1)};
}

void WriteReport(const ReportCommand& command) {
    const int count = CountListRows(ResultList);
    if (count == 0) {
        SetStatus("List is empty.  Please select file or list directory.");
        return;
    }
    const std::string directory = DocumentsFolderWithSeparator();
    // One reading of the clock: the time and the date in the name always belong together.
    const std::string name = ReportFileName(CurrentLocalDate(), command.format.extension);
    if (!WriteReportFile(directory + name, command.format, ListRow(-1), count, ListRow)) {
        ShowMessage("MD5 File Error", command.notGenerated + name, 0);
        return;
    }
    SetStatus("The list containing " + std::to_string(count) +
              (count == 1 ? command.writtenOne : command.writtenMany) + name);
    if (command.notOpened != nullptr && !LaunchProgram(directory + name, "", "", 0))
        ShowMessage("MD5 File Error", command.notOpened + name, 0);
}

} // namespace

void WriteTextReport() {
    WriteReport(TextReportCommand);
}

void WriteCsvReport() {
    WriteReport(CsvReportCommand);
}

void WriteHtmlReport() {
    WriteReport(HtmlReportCommand);
}

} // namespace dg
