// The report commands: refusal, names, overwriting, status texts, opening and failures. The
// bytes of each format are the unit tests' business.
#include "scenario.h"

#include "common/text.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

namespace dg::scenario {
namespace {

namespace fs = std::filesystem;

constexpr long long LeapDayAfternoon = 1709211909; // 2024-02-29 13:05:09

std::string Name(const std::string& extension) {
    return "Digestorium 130509_29022024" + extension;
}

std::string Written(int count, const std::string& format, const std::string& extension) {
    return "The list containing " + std::to_string(count) + (count == 1 ? " file" : " files") +
           " has been written to " + format + " file " + Name(extension);
}

// The program's documents folder is one of the test's own natively; under Wine it is the
// test prefix's, and the reports made there are removed after each test.
class Reports : public ScenarioTest {
protected:
    void BeforeStart() override {
#ifdef _WIN32
        documents_ = SpecialFolderPath(CsidlPersonal);
#else
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"})
            if (const char* value = std::getenv(name))
                saved_.emplace_back(name, value);
        setenv("HOME", Folder().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (Folder() + "/config").c_str(), 1);
        documents_ = fs::path(Folder()) / "Documents";
        fs::create_directory(documents_);
#endif
    }
    void SetUp() override {
        ScenarioTest::SetUp();
        hl::HoldLocalDate(LeapDayAfternoon);
        ListFile(WriteFile("abc.txt", "abc"));
    }
    void TearDown() override {
        ScenarioTest::TearDown();
#ifdef _WIN32
        std::error_code ignored;
        for (const char* extension : {".txt", ".csv", ".html"})
            fs::remove_all(documents_ / Name(extension), ignored);
#else
        unsetenv("XDG_CONFIG_HOME");
        for (const auto& [name, value] : saved_)
            setenv(name.c_str(), value.c_str(), 1);
#endif
    }

    void Choose(int item) {
        hl::ChooseMenuItem(item);
        Settle();
    }
    std::vector<std::string> ReportFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(documents_))
            if (entry.path().filename().string().rfind("Digestorium ", 0) == 0)
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(documents_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void ExpectMessage(const std::string& text) {
        const auto messages = hl::MessageCalls();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back().title, "MD5 File Error");
        EXPECT_EQ(messages.back().text, text);
        EXPECT_EQ(messages.back().flags, 0);
    }

    fs::path documents_;

private:
    std::vector<std::pair<std::string, std::string>> saved_;
};

const std::string EmptyListText = "List is empty.  Please select file or list directory.";

TEST_F(Reports, AnEmptyListIsRefusedByEveryCommand) {
    Choose(MenuClearList);
    hl::ClickButton(TextReportButton);
    for (const int item : {MenuTextReport, MenuCsvReport, MenuHtmlReport})
        Choose(item);
    const auto operations = hl::Operations();
    EXPECT_EQ(std::count_if(operations.begin(), operations.end(),
                            [](auto& op) { return op.text == EmptyListText; }),
              4);
    EXPECT_TRUE(ReportFiles().empty());
    EXPECT_TRUE(hl::MessageCalls().empty());
    EXPECT_TRUE(hl::LaunchCalls().empty());
}

TEST_F(Reports, TheSameFormatWithinASecondOverwritesAndOpens) {
    Choose(MenuTextReport);
    EXPECT_EQ(hl::StatusText(), Written(1, "text", ".txt"));
    ListFile(WriteFile("empty.bin", ""));
    hl::ClickButton(TextReportButton);
    Settle();
    EXPECT_EQ(hl::StatusText(), Written(2, "text", ".txt"));
    EXPECT_EQ(ReportFiles(), std::vector<std::string>{Name(".txt")});
    EXPECT_NE(Read(Name(".txt")).find("empty.bin"), std::string::npos);
    const auto launches = hl::LaunchCalls();
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[1].program, DocumentsFolderWithBackslash() + Name(".txt"));
    EXPECT_EQ(launches[1].parameters + launches[1].workingDirectory, "");
    EXPECT_EQ(launches[1].flags, 0);
    EXPECT_TRUE(hl::MessageCalls().empty());
}

TEST_F(Reports, TwoFormatsWithinASecondAreTwoFilesAndCsvIsNotOpened) {
    Choose(MenuCsvReport);
    EXPECT_EQ(hl::StatusText(), Written(1, "CSV", ".csv"));
    EXPECT_TRUE(hl::LaunchCalls().empty());
    Choose(MenuHtmlReport);
    EXPECT_EQ(hl::StatusText(), Written(1, "HTML", ".html"));
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{Name(".csv"), Name(".html")}));
    // Titles and cells as the list holds them.
    EXPECT_EQ(Read(Name(".csv")), "File Name,MD5\r\nabc.txt," + Upper(AbcMd5));
    ASSERT_EQ(hl::LaunchCalls().size(), 1u);
    EXPECT_EQ(hl::LaunchCalls()[0].program, DocumentsFolderWithBackslash() + Name(".html"));
}

TEST_F(Reports, AFailedOpeningIsToldAfterTheSuccess) {
    hl::SetLaunchResult(0);
    const struct {
        int item;
        std::string status, message;
    } cases[] = {
        {MenuTextReport, Written(1, "text", ".txt"),
         "Digestorium could not open Notepad/text program to disply " + Name(".txt")},
        {MenuHtmlReport, Written(1, "HTML", ".html"),
         "Unable to open Web browser for file " + Name(".html")},
    };
    for (const auto& c : cases) {
        Choose(c.item);
        EXPECT_EQ(hl::StatusText(), c.status);
        ExpectMessage(c.message);
        const auto operations = hl::Operations();
        const auto status = std::find_if(operations.begin(), operations.end(),
                                         [&](auto& op) { return op.text == c.status; });
        const auto message = std::find_if(status, operations.end(),
                                          [](auto& op) { return op.name == "ShowMessage"; });
        EXPECT_NE(message, operations.end()) << "the message follows the status";
    }
}

TEST_F(Reports, AFileThatCannotBeCreatedIsToldAndNothingElse) {
    const std::pair<int, std::string> cases[] = {
        {MenuTextReport, "Unable to generate text file " + Name(".txt")},
        {MenuCsvReport, "Unable to generate CSV file " + Name(".csv")},
        {MenuHtmlReport, "Unable to generate HTML file " + Name(".html")},
    };
    for (const char* extension : {".txt", ".csv", ".html"})
        fs::create_directory(documents_ / Name(extension));
    for (const auto& [item, message] : cases) {
        Choose(item);
        ExpectMessage(message);
        EXPECT_EQ(hl::StatusText(), CompletedText);
    }
    EXPECT_TRUE(hl::LaunchCalls().empty());
}

#ifndef _WIN32
TEST_F(Reports, AFailedWriteIsToldAndTheReportNotOpened) {
    fs::create_symlink("/dev/full", documents_ / Name(".html"));
    Choose(MenuHtmlReport);
    ExpectMessage("Unable to generate HTML file " + Name(".html"));
    EXPECT_EQ(hl::StatusText(), CompletedText);
    EXPECT_TRUE(hl::LaunchCalls().empty());
}
#endif

} // namespace
} // namespace dg::scenario
