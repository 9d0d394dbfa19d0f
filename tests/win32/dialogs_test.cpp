// The open-file dialog on a worker thread, and documents handed to their programs.
#include "unit/unit_support.h"
#include "win32_test_support.h"

#include <commdlg.h>
#include <dlgs.h>

#include <atomic>

namespace dg::test {
namespace {

constexpr char LogVariable[] = "DG_LAUNCH_LOG";

// The stand-in for a document type's program, built beside this one.
std::string DocumentProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string program = path;
    return program.substr(0, program.rfind('\\') + 1) + "dg_document_program.exe";
}

// The stand-in's line, "document<tab>folder", once written; empty when none came in time.
std::string WaitForLaunch(const std::string& log, int milliseconds) {
    PumpEvents(milliseconds,
               [&](const Seen&) { return ReadFile(log).find('\n') != std::string::npos; });
    return ReadFile(log);
}

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableA(LogVariable, log.c_str()); }
    void TearDown() override {
        SetEnvironmentVariableA(LogVariable, nullptr);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ".dgtestdoc");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "DigestoriumTestDocument");
    }

    TempFolder temp;
    const std::string folder = temp.Path() + "\\";
    const std::string log = folder + "launched.txt";
};

void SetClassesValue(const std::string& key, const std::string& value) {
    // Wine does not merge HKEY_CURRENT_USER's classes into HKEY_CLASSES_ROOT.
    RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

// Both documents are programs themselves: only their type's program may get them, and a type
// without one runs nothing.
TEST_F(LaunchTest, ADocumentOpensInItsProgramInItsFolderOrNotAtAll) {
    const std::string manual = folder + "digestorium_manual.dgnoassociation";
    const std::string document = folder + "Digestorium 120000_01012026.dgtestdoc";
    for (const std::string& copy : {manual, document})
        ASSERT_TRUE(CopyFileA(DocumentProgram().c_str(), copy.c_str(), FALSE));
    EXPECT_FALSE(LaunchProgram(manual, "", "", 0));
    EXPECT_EQ(WaitForLaunch(log, 1500), "");

    SetClassesValue(".dgtestdoc", "DigestoriumTestDocument");
    SetClassesValue("DigestoriumTestDocument\\shell\\open\\command",
                    std::string("\"") + DocumentProgram() + "\" \"%1\"");
    EXPECT_TRUE(LaunchProgram(document, "", "", 0));
    EXPECT_EQ(WaitForLaunch(log, 10000),
              document + "\t" + folder.substr(0, folder.size() - 1) + "\n");
}

// ---- The open-file dialog ----

std::atomic<bool> dialogDone{false};
std::string chosenPath;
std::string initialPath;

int ChooseOnWorker(int) {
    chosenPath = ChooseFileToOpen("Pick a file", initialPath, "All Files | *.*", 0);
    dialogDone = true;
    return 0;
}

using FileDialogTest = WindowTest;

// Wine's own dialog fails from 280 typed characters on; deeper paths are tested by listing.
TEST_F(FileDialogTest, OpensInTheInitialFolderAndReturnsTheTypedPathWhole) {
    ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "Dialog owner", 0));
    HWND owner = win32::WindowHandle(MainWindow);
    // The dialog's owner is the foreground window.
    ASSERT_TRUE(contract::Activate(MainWindow));
    // A file that is not there, typed as a name that makes a path of 261 bytes.
    const std::string typed = DeepFile(200, 260) + "x";
    initialPath = typed.substr(0, 200);
    dialogDone = false;
    ASSERT_NE(StartThread(ChooseOnWorker, 0), 0);
    // The worker disables the owner through a message that this thread handles in WaitEvent,
    // so the owner may still be enabled when the dialog is first seen.
    HWND dialog = nullptr;
    PumpEvents(10000, [&](const Seen&) {
        dialog = FindWindowA("#32770", "Pick a file");
        return dialog != nullptr && IsWindowVisible(dialog) && !IsWindowEnabled(owner);
    });
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(owner));
    char folder[MAX_PATH] = {};
    SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof(folder), reinterpret_cast<LPARAM>(folder));
    EXPECT_EQ(lstrcmpiA((std::string(folder) + "\\").c_str(), initialPath.c_str()), 0) << folder;
    char name[MAX_PATH] = {};
    SendMessageA(dialog, CDM_GETSPEC, sizeof(name), reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "");
    // The pattern is split at "|" with nothing trimmed.
    char filter[64] = {};
    GetDlgItemTextA(dialog, cmb1, filter, sizeof(filter));
    EXPECT_STREQ(filter, "All Files ");
    SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13,
                 reinterpret_cast<LPARAM>(typed.substr(200).c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    PumpEvents(10000, [](const Seen&) { return dialogDone.load(); });
    ASSERT_TRUE(dialogDone);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(chosenPath, typed);
}

// ---- Message boxes ----

std::atomic<bool> otherWindowDisabled{false};
std::atomic<bool> ownedByForeground{false};

// Looks at the box from outside, then presses its OK button.
int AnswerMessageBox(int) {
    HWND box = nullptr;
    for (int tries = 0; tries < 500 && box == nullptr; ++tries) {
        Sleep(20);
        box = FindWindowA("#32770", "MD5 File Error");
    }
    otherWindowDisabled = !IsWindowEnabled(win32::WindowHandle(AboutWindow));
    ownedByForeground = GetWindow(box, GW_OWNER) == win32::WindowHandle(MainWindow);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}

using MessageBoxTest = WindowTest;

TEST_F(MessageBoxTest, OwnedByTheForegroundWindowWithTheOthersDisabled) {
    ASSERT_TRUE(OpenWindow(AboutWindow, 402, 183, "Other", 0));
    ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "Foreground", 0));
    ASSERT_TRUE(contract::Activate(MainWindow));
    ASSERT_NE(StartThread(AnswerMessageBox, 0), 0);
    EXPECT_EQ(ShowMessage("MD5 File Error", "Unable to open the Digestorium Manual.", 0), IDOK);
    EXPECT_TRUE(otherWindowDisabled);
    EXPECT_TRUE(ownedByForeground);
    EXPECT_TRUE(IsWindowEnabled(win32::WindowHandle(AboutWindow)));
    EXPECT_TRUE(IsWindowEnabled(win32::WindowHandle(MainWindow)));
}

} // namespace
} // namespace dg::test
