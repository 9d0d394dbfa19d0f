// Checking the selected hash against the clipboard.
#include "scenario.h"

#include "common/text.h"

namespace dg::scenario {
namespace {

constexpr int Green = 0xFF00;
constexpr int Red = 0xFF;
constexpr int Yellow = 0xFFFF;

class HashCheck : public ScenarioTest {
protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        ListFile(WriteFile("abc.txt", "abc"));
    }

    // Puts the text on the clipboard, gives the input and expects the check's outcome.
    void Check(const std::string& clipboard, const std::function<void()>& input,
               const std::string& status, const std::string& verdict, int colour,
               const std::string& checkHash) {
        SCOPED_TRACE(clipboard);
        hl::Arrange([&](hl::Script& s) { s.clipboard = clipboard; });
        input();
        WaitFor([&] { return hl::StatusText() == status; }, status);
        Settle();
        EXPECT_EQ(hl::Control(VerdictField).text, verdict);
        EXPECT_EQ(hl::Control(VerdictField).backgroundColour, colour);
        EXPECT_EQ(hl::Control(CheckHashField).text, checkHash);
    }
};

const auto Button = [] { hl::Give(Input::Click, CheckButton); };

// Each way in reads the clipboard anew: the button, Ctrl+C and the menu. Without a hash on
// the clipboard the check field keeps the last one.
TEST_F(HashCheck, EachWayInReadsTheClipboardAnew) {
    Check(AbcMd5, Button, "MD5 Match", "MD5 MATCH", Green, AbcMd5Upper);
    std::string blank = AbcMd5;
    blank[10] = ' ';
    Check(
        blank, [] { hl::Give(Input::Key, CtrlKey + 'C'); }, "MD5 Mismatch.", "MD5 MISMATCH", Red,
        UpperCase(blank));
    Check(
        AbcMd5, [] { hl::Give(Input::Menu, MenuCheck); }, "MD5 Match", "MD5 MATCH", Green,
        AbcMd5Upper);
    for (const std::string& noHash : {AbcMd5 + "\r\n", std::string()}) {
        Check(noHash, Button, "Copy MD5 Hash to the Clipboard.", "NO MD5 HASH ON THE CLIPBOARD",
              Yellow, AbcMd5Upper);
        Check(AbcMd5, Button, "MD5 Match", "MD5 MATCH", Green, AbcMd5Upper);
    }
}

// A new job resets the verdict; a selected row without a hash keeps the one it has.
TEST_F(HashCheck, JobResetsTheVerdictARowWithoutHashKeepsIt) {
    Check(AbcMd5, Button, "MD5 Match", "MD5 MATCH", Green, AbcMd5Upper);
    ListFile(Folder() + "/missing.bin");
    EXPECT_EQ(hl::Control(VerdictField).text + hl::Control(CheckHashField).text, "");
    EXPECT_EQ(hl::Control(VerdictField).backgroundColour, -1);
    Check(
        AbcMd5, [] { hl::Give(Input::ListClick, ResultList, 0); }, "MD5 Match", "MD5 MATCH", Green,
        AbcMd5Upper);
    Check(
        AbcMd5, [] { hl::Give(Input::ListClick, ResultList, 1); },
        "No file and MD5 hash available to check.  Please select file or list directory.",
        "MD5 MATCH", Green, AbcMd5Upper);
    EXPECT_EQ(hl::Control(FileField).text, "missing.bin");
}

} // namespace
} // namespace dg::scenario
