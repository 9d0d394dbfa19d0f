// The report commands: refusal, names, status texts, opening and failures. The bytes of each
// format are the unit tests' business, the name's date and time the date mask's.
#include "scenario.h"

#include "platform/system.h"

#include <tuple>

namespace dg::scenario {
namespace {

namespace fs = std::filesystem;

class Reports : public ScenarioTest {
protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        ListFile(WriteFile("abc.txt", "abc"));
    }
    // Writes the report and returns its name, as the status text gives it.
    std::string Write(int item, const std::string& count, const std::string& format) {
        Choose(item);
        const std::string status = Status();
        const std::string written =
            "The list containing " + count + " has been written to " + format + " file ";
        EXPECT_TRUE(status.starts_with(written + "Digestorium ")) << status;
        const std::string name = status.substr(std::min(written.size(), status.size()));
        EXPECT_TRUE(fs::exists(DocumentsFolderPath() + "/" + name)) << name;
        return name;
    }
};

TEST_F(Reports, AnEmptyListIsRefusedByEveryCommand) {
    Choose(MenuClearList);
    Click(TextReportButton);
    for (const int item : {MenuTextReport, MenuCsvReport, MenuHtmlReport})
        Choose(item);
    EXPECT_EQ(Status(), "List is empty.  Please select file or list directory.");
    EXPECT_TRUE(fs::is_empty(DocumentsFolderPath()));
    EXPECT_TRUE(Recorded().messages.empty());
}

TEST_F(Reports, WrittenToTheDocumentsFolderAndOpenedButForCsv) {
    const std::string text = Write(MenuTextReport, "1 file", "text");
    ListFile(WriteFile("empty.bin", ""));
    Click(TextReportButton);
    Settle();
    EXPECT_TRUE(Status().starts_with("The list containing 2 files has been written to text"));
    const std::string csv = Write(MenuCsvReport, "2 files", "CSV");
    const std::string html = Write(MenuHtmlReport, "2 files", "HTML");
    EXPECT_TRUE(csv.ends_with(".csv") && html.ends_with(".html") && text.ends_with(".txt"));
    WaitFor([] { return Launched().size() == 3; }, "three documents opened");
    EXPECT_EQ(Launched().back(), DocumentsFolderPath() + "/" + html);
    EXPECT_TRUE(Recorded().messages.empty());
}

// A failed opening is told after the success.
TEST_F(Reports, FailedOpeningIsToldInAMessageBox) {
    LaunchFails(true);
    const std::string text = Write(MenuTextReport, "1 file", "text");
    const std::string html = Write(MenuHtmlReport, "1 file", "HTML");
    EXPECT_EQ(
        Recorded().messages,
        (std::vector<std::string>{
            "MD5 File Error|Digestorium could not open Notepad/text program to disply " + text,
            "MD5 File Error|Unable to open Web browser for file " + html}));
}

// Nothing can be created below a home that is no folder: each report is told as not
// generated, and nothing else happens.
class UnwritableReports : public Reports {
protected:
    void BeforeStart() override { setenv("HOME", "/dev/full", 1); }
};

TEST_F(UnwritableReports, AreToldInAMessageBoxAndNothingElse) {
    for (const int item : {MenuTextReport, MenuCsvReport, MenuHtmlReport})
        Choose(item);
    const std::vector<std::string> messages = Recorded().messages;
    ASSERT_EQ(messages.size(), 3u);
    const std::string failed = "MD5 File Error|Unable to generate ";
    for (const auto& [at, format, extension] :
         {std::tuple{0, "text", ".txt"}, {1, "CSV", ".csv"}, {2, "HTML", ".html"}})
        EXPECT_TRUE(messages[at].starts_with(failed + format + " file Digestorium ") &&
                    messages[at].ends_with(extension))
            << messages[at];
    EXPECT_EQ(Status(), CompletedText);
    EXPECT_TRUE(Launched().empty());
}

} // namespace
} // namespace dg::scenario
