#include "actions/hash_check.h"

#include "common/text.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/ui.h"

#include <string>

namespace dg {

namespace {

constexpr int HashLength = 32;

struct Verdict {
    const char* text;
    int colour;
    const char* status;
};

constexpr Verdict Match{"MD5 MATCH", 0xFF00, "MD5 Match"};
constexpr Verdict Mismatch{"MD5 MISMATCH", 0xFF, "MD5 Mismatch."};
constexpr Verdict NoHash{"No MD5 hash on the Clipboard", 0xFFFF, "Copy MD5 Hash to the Clipboard."};

void Show(const Verdict& verdict) {
    SetControlText(VerdictField, verdict.text);
    SetControlColor(VerdictField, ColourBackground, verdict.colour);
    SetStatusText(StatusBar, 0, verdict.status);
}

} // namespace

void HashCheck() {
    const std::string fileHash = GetControlText(FileHashField);
    if (fileHash.empty()) {
        SetStatusText(StatusBar, 0,
                      "No file and MD5 hash available to check.  Please select file or list "
                      "directory.");
        return;
    }
    const std::string clipboard = GetClipboardText();
    const std::string checkHash = UpperCase(clipboard);
    // Judged as copied: nothing is trimmed, so a trailing line break is no hash.
    if (Length(clipboard) != HashLength) {
        Show(NoHash);
        return;
    }
    SetControlText(CheckHashField, checkHash);
    Show(checkHash == fileHash ? Match : Mismatch);
}

} // namespace dg
