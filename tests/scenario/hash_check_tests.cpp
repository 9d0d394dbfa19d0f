// Checking the selected hash against the clipboard.
#include "scenario.h"

#include "common/text.h"
#include "platform/system.h"

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
    void Check(const std::string& clipboard, Input input, int target, const Outcome& outcome,
               const std::string& checkHash = AbcMd5Upper, int row = 0) {
        SCOPED_TRACE(clipboard);
        hl::Arrange([&](hl::Script& s) { s.clipboard = clipboard; });
        hl::Give(input, target, row);
        WaitFor([&] { return hl::StatusText() == outcome.status; }, outcome.status);
        Settle();
        EXPECT_EQ(hl::Control(VerdictField).text, outcome.verdict);
        EXPECT_EQ(hl::Control(VerdictField).backgroundColour, outcome.colour);
        EXPECT_EQ(hl::Control(CheckHashField).text, checkHash);
    }
};

// Each way in reads the clipboard anew: the button, Ctrl+C and the menu. Without a hash on
// the clipboard the check field keeps the last one.
TEST_F(HashCheck, EachWayInReadsTheClipboardAnew) {
    Check(AbcMd5, Input::Click, CheckButton, Match);
    std::string blank = AbcMd5;
    blank[10] = ' ';
    Check(blank, Input::Key, CtrlKey + 'C', Mismatch, UpperCase(blank));
    Check(AbcMd5, Input::Menu, MenuCheck, Match);
    for (const std::string& noHash : {AbcMd5 + "\r\n", std::string()}) {
        Check(noHash, Input::Click, CheckButton, NoHash);
        Check(AbcMd5, Input::Click, CheckButton, Match);
    }
}

// A new job resets the verdict; a selected row without a hash keeps the one it has.
TEST_F(HashCheck, JobResetsTheVerdictARowWithoutHashKeepsIt) {
    Check(AbcMd5, Input::Click, CheckButton, Match);
    ListFile(Folder() + "/missing.bin");
    EXPECT_EQ(hl::Control(VerdictField).text + hl::Control(CheckHashField).text, "");
    EXPECT_EQ(hl::Control(VerdictField).backgroundColour, -1);
    Check(AbcMd5, Input::ListClick, ResultList, Match);
    Check(AbcMd5, Input::ListClick, ResultList,
          {"No file and MD5 hash available to check.  Please select file or list directory.",
           Match.verdict, Match.colour},
          AbcMd5Upper, 1);
    EXPECT_EQ(hl::Control(FileField).text, "missing.bin");
}

} // namespace
} // namespace dg::scenario
