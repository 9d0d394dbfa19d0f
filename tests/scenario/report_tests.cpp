// The report commands: refusal, names, overwriting, status texts, opening and failures. The
// bytes of each format are the unit tests' business.
#include "scenario.h"

#include "common/text.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
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

// Natively the documents folder is the test's own (HOME); under Wine it is the test prefix's,
// and the reports made there are removed after each test.
class Reports : public ScenarioTest {
protected:
    void BeforeStart() override {
#ifdef _WIN32
        documents_ = SpecialFolderPath(CsidlPersonal);
#else
        if (const char* home = std::getenv("HOME"))
            home_ = home;
        setenv("HOME", Folder().c_str(), 1);
        documents_ = fs::path(Folder()) / "Documents";
        fs::create_directory(documents_);
#endif
    }
    void SetUp() override {
        ScenarioTest::SetUp();
        hl::HoldLocalDate(1709211909); // 2024-02-29 13:05:09
        ListFile(WriteFile("abc.txt", "abc"));
    }
    void TearDown() override {
        ScenarioTest::TearDown();
#ifdef _WIN32
        for (const char* extension : {".txt", ".csv", ".html"})
            fs::remove_all(documents_ / Name(extension));
#else
        if (home_)
            setenv("HOME", home_->c_str(), 1);
        else
            unsetenv("HOME");
#endif
    }

    void Choose(int item) {
        hl::ChooseMenuItem(item);
        Settle();
    }
    std::vector<std::string> ReportFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(documents_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Read(const std::string& name) const {
        std::ostringstream bytes;
        bytes << std::ifstream(documents_ / name, std::ios::binary).rdbuf();
        return bytes.str();
    }
    static void ExpectLastMessage(const std::string& text) {
        ASSERT_FALSE(hl::MessageCalls().empty());
        const hl::MessageCall message = hl::MessageCalls().back();
        EXPECT_EQ(message.title + "|" + message.text, "MD5 File Error|" + text);
        EXPECT_EQ(message.flags, 0);
    }

    fs::path documents_;
    std::optional<std::string> home_;
};

TEST_F(Reports, AnEmptyListIsRefusedByEveryCommand) {
    Choose(MenuClearList);
    hl::ClickButton(TextReportButton);
    for (const int item : {MenuTextReport, MenuCsvReport, MenuHtmlReport})
        Choose(item);
    const auto operations = hl::Operations();
    EXPECT_EQ(std::count_if(operations.begin(), operations.end(),
                            [](auto& op) {
                                return op.text ==
                                       "List is empty.  Please select file or list directory.";
                            }),
              4);
    EXPECT_TRUE(ReportFiles().empty());
    EXPECT_TRUE(hl::MessageCalls().empty());
    EXPECT_TRUE(hl::LaunchCalls().empty());
}

// Within one second: the same format overwrites, another format is another file.
TEST_F(Reports, NamedByTheSecondAndOpenedButForCsv) {
    Choose(MenuTextReport);
    EXPECT_EQ(hl::StatusText(), Written("1 file", "text", ".txt"));
    ListFile(WriteFile("empty.bin", ""));
    hl::ClickButton(TextReportButton);
    Settle();
    EXPECT_EQ(hl::StatusText(), Written("2 files", "text", ".txt"));
    Choose(MenuCsvReport);
    EXPECT_EQ(hl::StatusText(), Written("2 files", "CSV", ".csv"));
    Choose(MenuHtmlReport);
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{Name(".csv"), Name(".html"), Name(".txt")}));
    EXPECT_EQ(Read(Name(".csv")),
              "File Name,MD5\r\nabc.txt," + Upper(AbcMd5) + "\r\nempty.bin," + Upper(EmptyMd5));
    std::vector<std::string> opened;
    for (const hl::LaunchCall& launch : hl::LaunchCalls()) {
        EXPECT_EQ(launch.parameters + launch.workingDirectory + std::to_string(launch.flags), "0");
        opened.push_back(launch.program);
    }
    const std::string folder = DocumentsFolderWithBackslash();
    EXPECT_EQ(opened, (std::vector<std::string>{folder + Name(".txt"), folder + Name(".txt"),
                                                folder + Name(".html")}));
    EXPECT_TRUE(hl::MessageCalls().empty());
}

TEST_F(Reports, AFailedOpeningIsToldAfterTheSuccess) {
    hl::SetLaunchResult(0);
    const std::pair<int, std::string> cases[] = {
        {MenuTextReport,
         "Digestorium could not open Notepad/text program to disply " + Name(".txt")},
        {MenuHtmlReport, "Unable to open Web browser for file " + Name(".html")},
    };
    for (const auto& [item, message] : cases) {
        const auto before = hl::Operations().size();
        Choose(item);
        ExpectLastMessage(message);
        const auto operations = hl::Operations();
        ASSERT_EQ(operations.size(), before + 3); // status, launch, message
        EXPECT_EQ(operations[before].text.rfind("The list containing 1 file has", 0), 0u);
    }
}

TEST_F(Reports, AFileThatCannotBeCreatedOrWrittenIsToldAndNothingElse) {
    fs::create_directory(documents_ / Name(".txt"));
    fs::create_directory(documents_ / Name(".csv"));
#ifdef _WIN32
    fs::create_directory(documents_ / Name(".html"));
#else
    fs::create_symlink("/dev/full", documents_ / Name(".html")); // every write fails
#endif
    const std::pair<int, std::string> cases[] = {
        {MenuTextReport, "Unable to generate text file " + Name(".txt")},
        {MenuCsvReport, "Unable to generate CSV file " + Name(".csv")},
        {MenuHtmlReport, "Unable to generate HTML file " + Name(".html")},
    };
    for (const auto& [item, message] : cases) {
        Choose(item);
        ExpectLastMessage(message);
        EXPECT_EQ(hl::StatusText(), CompletedText);
    }
    EXPECT_TRUE(hl::LaunchCalls().empty());
}

} // namespace
} // namespace dg::scenario
