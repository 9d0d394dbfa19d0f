// Checking the selected hash against the clipboard, and the selection that fills the fields.
#include "scenario.h"

#include "platform/system.h"

#include <QClipboard>
#include <QGuiApplication>

namespace dg::scenario {
namespace {

struct Outcome {
    std::string status, verdict;
    int colour;
};
const Outcome Match{"MD5 Match", "MD5 MATCH", 0xFF00};
const Outcome Mismatch{"MD5 Mismatch.", "MD5 MISMATCH", 0xFF};
const Outcome NoHash{"Copy MD5 Hash to the Clipboard.", "NO MD5 HASH ON THE CLIPBOARD", 0xFFFF};

class HashCheck : public ScenarioTest {
protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        ListFile(WriteFile("abc.txt", "abc"));
    }

    // Puts the text on the clipboard, gives the input and expects the check's outcome.
    static void Check(const std::string& clipboard, const std::function<void()>& input,
                      const Outcome& outcome, const std::string& checkHash = AbcMd5Upper) {
        SCOPED_TRACE(clipboard);
        OnGui([&] { QGuiApplication::clipboard()->setText(QString::fromStdString(clipboard)); });
        input();
        Settle();
        EXPECT_EQ(Status(), outcome.status);
        EXPECT_EQ(GetControlText(VerdictField), outcome.verdict);
        EXPECT_EQ(Background(VerdictField), outcome.colour);
        EXPECT_EQ(GetControlText(CheckHashField), checkHash);
    }
};

const auto CheckButtonClicked = [] { Click(CheckButton); };

// Each way in reads the clipboard anew: the button, Ctrl+C and the menu. Without a hash on
// the clipboard the check field keeps the last one.
TEST_F(HashCheck, EachWayInReadsTheClipboardAnew) {
    Check(AbcMd5, CheckButtonClicked, Match);
    const std::string blank = AbcMd5.substr(0, 10) + " " + AbcMd5.substr(11);
    Check(
        blank, [] { Key(CtrlKey + 'C'); }, Mismatch, UpperCase(blank));
    Check(
        AbcMd5, [] { Choose(MenuCheck); }, Match);
    Check(AbcMd5 + "\r\n", CheckButtonClicked, NoHash);
}

// A new job resets the verdict. A selected row fills the fields and checks; one without a
// hash keeps the verdict, and so does a click below the rows.
TEST_F(HashCheck, JobResetsTheVerdictARowWithoutHashKeepsIt) {
    Check(AbcMd5, CheckButtonClicked, Match);
    ListFile(Folder() + "/missing.bin");
    EXPECT_EQ(GetControlText(VerdictField) + GetControlText(CheckHashField), "");
    // Back to the colour of a field never coloured.
    EXPECT_EQ(Background(VerdictField), Background(CheckHashField));
    Check(
        AbcMd5, [] { ClickRow(0); }, Match);
    EXPECT_EQ(GetControlText(FileField) + GetControlText(FileHashField) +
                  GetControlText(FileHashLowerField),
              "abc.txt" + AbcMd5Upper + AbcMd5);
    Check(AbcMd5, [] { ClickRow(1); },
          {"No file and MD5 hash available to check.  Please select file or list directory.",
           Match.verdict, Match.colour});
    EXPECT_EQ(GetControlText(FileField), "missing.bin");
    ClickRow(-1);
    Settle();
    EXPECT_EQ(Status(),
              "No file selected or list is empty.  Please select file or list directory.");
    EXPECT_EQ(GetControlText(FileField), "missing.bin");
    Choose(MenuClearList);
    EXPECT_EQ(Status(), "List cleared.  Please select file or list directory.");
    EXPECT_TRUE(ListRows().empty());
}

} // namespace
} // namespace dg::scenario
