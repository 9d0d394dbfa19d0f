// The report commands: refusal, names, overwriting, status texts, opening and failures. The
// bytes of each format are the unit tests' business.
#include "scenario.h"

#include "common/text.h"
#include "platform/system.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace dg::scenario {
namespace {

namespace fs = std::filesystem;

std::string Name(const std::string& extension) {
    return "Digestorium 130509_29022024" + extension; // the held clock's
}

std::string Written(const std::string& count, const std::string& format, const std::string& ext) {
    return "The list containing " + count + " has been written to " + format + " file " + Name(ext);
}

class Reports : public ScenarioTest {
protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        documents_ = DocumentsFolderPath();
        hl::Arrange([](hl::Script& s) { s.heldDate = 1709211909; }); // 2024-02-29 13:05:09
        ListFile(WriteFile("abc.txt", "abc"));
        RemoveReports();
        earlier_ = Names();
    }
    void TearDown() override {
        ScenarioTest::TearDown();
        RemoveReports();
    }
    // Under Wine the documents folder is the test prefix's, and a stopped run leaves them.
    void RemoveReports() const {
        for (const char* extension : {".txt", ".csv", ".html"})
            fs::remove_all(documents_ / Name(extension));
    }

    [[nodiscard]] std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(documents_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // What the test wrote: the documents folder may hold the user's own files (under Wine,
    // earlier runs' reports).
    [[nodiscard]] std::vector<std::string> ReportFiles() const {
        std::vector<std::string> written;
        std::ranges::set_difference(Names(), earlier_, std::back_inserter(written));
        return written;
    }
    // The report commands' failures, as message boxes: title|text, flags.
    static std::vector<std::string> Messages() {
        std::vector<std::string> messages;
        for (const hl::Operation& op : Ops("ShowMessage"))
            messages.push_back(op.text + "," + std::to_string(op.target));
        return messages;
    }

    fs::path documents_;
    std::vector<std::string> earlier_;
};

TEST_F(Reports, AnEmptyListIsRefusedByEveryCommand) {
    Choose(MenuClearList);
    hl::Give(Input::Click, TextReportButton);
    for (const int item : {MenuTextReport, MenuCsvReport, MenuHtmlReport})
        Choose(item);
    const std::string refused = "List is empty.  Please select file or list directory.";
    EXPECT_EQ(std::ranges::count(Ops("SetStatusText"), refused, &hl::Operation::text), 4);
    EXPECT_TRUE(ReportFiles().empty());
    EXPECT_TRUE(Ops("ShowMessage").empty());
    EXPECT_TRUE(Ops("LaunchProgram").empty());
}

// Within one second: the same format overwrites, another format is another file.
TEST_F(Reports, NamedByTheSecondAndOpenedButForCsv) {
    Choose(MenuTextReport);
    EXPECT_EQ(hl::StatusText(), Written("1 file", "text", ".txt"));
    ListFile(WriteFile("empty.bin", ""));
    hl::Give(Input::Click, TextReportButton);
    Settle();
    EXPECT_EQ(hl::StatusText(), Written("2 files", "text", ".txt"));
    Choose(MenuCsvReport);
    EXPECT_EQ(hl::StatusText(), Written("2 files", "CSV", ".csv"));
    Choose(MenuHtmlReport);
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{Name(".csv"), Name(".html"), Name(".txt")}));
    std::ostringstream csv;
    csv << std::ifstream(documents_ / Name(".csv"), std::ios::binary).rdbuf();
    EXPECT_EQ(csv.str(),
              "File Name,MD5\r\nabc.txt," + AbcMd5Upper + "\r\nempty.bin," + UpperCase(EmptyMd5));
    std::vector<std::string> opened;
    for (const hl::Operation& launch : Ops("LaunchProgram"))
        opened.push_back(launch.text + std::to_string(launch.target));
    const std::string folder = (documents_ / "").string();
    EXPECT_EQ(opened, (std::vector<std::string>{folder + Name(".txt||0"), folder + Name(".txt||0"),
                                                folder + Name(".html||0")}));
    EXPECT_TRUE(Ops("ShowMessage").empty());
}

// A failed opening is told after the success; a file that cannot be created or written is
// told and nothing else.
TEST_F(Reports, FailuresAreToldInAMessageBox) {
    hl::Arrange([](hl::Script& s) { s.launchResult = false; });
    Choose(MenuTextReport);
    Choose(MenuHtmlReport);
    EXPECT_EQ(hl::StatusText(), Written("1 file", "HTML", ".html"));
    const std::string error = "MD5 File Error|";
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              error + "Digestorium could not open Notepad/text program to disply " +
                                  Name(".txt,0"),
                              error + "Unable to open Web browser for file " + Name(".html,0")}));
    EXPECT_EQ(hl::Recorded().operations.back().name, "ShowMessage");

    const std::string status = hl::StatusText();
    for (const char* extension : {".txt", ".csv", ".html"})
        fs::remove(documents_ / Name(extension));
    fs::create_directory(documents_ / Name(".txt"));
    fs::create_directory(documents_ / Name(".csv"));
#ifdef _WIN32
    fs::create_directory(documents_ / Name(".html"));
#else
    fs::create_symlink("/dev/full", documents_ / Name(".html")); // every write fails
#endif
    for (const int item : {MenuTextReport, MenuCsvReport, MenuHtmlReport})
        Choose(item);
    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(
        (std::vector<std::string>{messages.begin() + 2, messages.end()}),
        (std::vector<std::string>{error + "Unable to generate text file " + Name(".txt,0"),
                                  error + "Unable to generate CSV file " + Name(".csv,0"),
                                  error + "Unable to generate HTML file " + Name(".html,0")}));
    EXPECT_EQ(hl::StatusText(), status);
    EXPECT_EQ(Ops("LaunchProgram").size(), 2u);
}

} // namespace
} // namespace dg::scenario
