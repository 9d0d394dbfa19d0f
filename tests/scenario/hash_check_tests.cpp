// Checking the selected hash against the clipboard.
#include "scenario.h"

#include <functional>
#include <utility>

namespace dg::scenario {
namespace {

constexpr int Green = 0xFF00;
constexpr int Red = 0xFF;
constexpr int Yellow = 0xFFFF;

const std::string NoHashStatus = "Copy MD5 Hash to the Clipboard.";

class HashCheck : public ScenarioTest {
protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        ListFile(WriteFile("abc.txt", "abc"));
    }

    // Presses CheckButton and waits for the check's status text.
    void Check(const std::string& expectedStatus) {
        hl::ClickButton(CheckButton);
        WaitFor([&] { return hl::StatusText() == expectedStatus; }, expectedStatus);
        Settle();
    }

    static void ExpectVerdict(const std::string& text, int colour) {
        EXPECT_EQ(hl::Control(VerdictField).text, text);
        EXPECT_EQ(hl::Control(VerdictField).backgroundColour, colour);
        EXPECT_EQ(hl::Control(VerdictField).textColour, -1);
    }
};

// Each way in reads the clipboard anew: the button, Ctrl+C and the menu.
TEST_F(HashCheck, LowerCaseCopyMatchesAndABlankInside32CharactersMismatches) {
    hl::SetClipboardText(AbcMd5);
    Check("MD5 Match");
    ExpectVerdict("MD5 MATCH", Green);
    EXPECT_EQ(hl::Control(CheckHashField).text, Upper(AbcMd5));

    std::string blank = AbcMd5;
    blank[10] = ' ';
    hl::SetClipboardText(blank);
    hl::PressKey(CtrlKey + 'C');
    WaitFor([] { return hl::StatusText() == "MD5 Mismatch."; }, "the check by Ctrl+C");
    Settle();
    ExpectVerdict("MD5 MISMATCH", Red);
    EXPECT_EQ(hl::Control(CheckHashField).text, Upper(blank));

    hl::SetClipboardText(AbcMd5);
    hl::ChooseMenuItem(MenuCheck);
    WaitFor([] { return hl::StatusText() == "MD5 Match"; }, "the menu's check");
    Settle();
    ExpectVerdict("MD5 MATCH", Green);
}

TEST_F(HashCheck, NoHashOnTheClipboardKeepsTheCheckField) {
    const std::pair<const char*, std::function<void()>> clipboards[] = {
        {"the hash and a line break", [] { hl::SetClipboardText(AbcMd5 + "\r\n"); }},
        {"nothing", [] { hl::SetClipboardEmpty(); }},
        {"a picture only", [] { hl::SetClipboardPicture(); }},
    };
    for (const auto& [what, put] : clipboards) {
        SCOPED_TRACE(what);
        hl::SetClipboardText(AbcMd5);
        Check("MD5 Match");
        put();
        Check(NoHashStatus);
        ExpectVerdict("NO MD5 HASH ON THE CLIPBOARD", Yellow);
        EXPECT_EQ(hl::Control(CheckHashField).text, Upper(AbcMd5));
    }
}

TEST_F(HashCheck, RowWithoutHashKeepsTheVerdict) {
    hl::SetClipboardText(AbcMd5);
    Check("MD5 Match");
    ListFile(Folder() + "/missing.bin");
    hl::SetClipboardText(AbcMd5);
    // ListFile reset the verdict; give one to keep.
    hl::ClickListRow(ResultList, 0);
    WaitFor([] { return hl::StatusText() == "MD5 Match"; }, "the first row's check");
    Settle();

    hl::ClickListRow(ResultList, 1);
    const std::string noHash =
        "No file and MD5 hash available to check.  Please select file or list directory.";
    WaitFor([&] { return hl::StatusText() == noHash; }, "the no-hash text");
    Settle();
    EXPECT_EQ(hl::Control(FileField).text, "missing.bin");
    ExpectVerdict("MD5 MATCH", Green);
    EXPECT_EQ(hl::Control(CheckHashField).text, Upper(AbcMd5));
}

TEST_F(HashCheck, JobResetsTheVerdictColour) {
    hl::SetClipboardText(AbcMd5);
    Check("MD5 Match");
    ListFile(WriteFile("other.txt", "other"));
    ExpectVerdict("", -1);
    EXPECT_EQ(hl::Control(CheckHashField).text, "");
}

} // namespace
} // namespace dg::scenario
