// AboutWindow: what the program is, a disclaimer and the notice line.
#include "shell/about_window.h"

#include "common/site.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/ui.h"

#include <string>

namespace dg {

bool OpenAboutWindow() {
    if (!OpenWindow(AboutWindow, 402, 183, "Digestorium About", 0))
        return false;
    KeepOnTop(AboutWindow, true);
    // The typographic quotes and the circled c, in the code page the program runs with.
    const bool utf8 = AnsiCodePageIsUtf8();
    const std::string open = utf8 ? "\xE2\x80\x98" : "\x91";
    const std::string close = utf8 ? "\xE2\x80\x99" : "\x92";
    const std::string circledC = utf8 ? "\xC2\xA9" : "\xA9";
    CreateLabel(AboutWindow, AboutTextLine1, {5, 15, 390, 20},
                "Digestorium is a utility program to generate and check file MD5 Hashes.  This");
    CreateLabel(AboutWindow, AboutTextLine2, {5, 35, 390, 20},
                "software is provided as Freeware on an " + open + "as is" + close +
                    " basis, without any express or implied ");
    CreateLabel(AboutWindow, AboutTextLine3, {4, 55, 390, 20},
                "warranty.  In no event shall the author be liable for any claim, damages or "
                "other ");
    CreateLabel(AboutWindow, AboutTextLine4, {5, 75, 390, 20},
                "liability, arising from, out of, or in connection with the software or the use "
                "or ");
    CreateLabel(AboutWindow, AboutTextLine5, {5, 95, 390, 20}, "dealings in the software.");
    CreateButton(AboutWindow, AboutOkButton, {150, 150, 95, 25}, "OK", true);
    CreateLabel(AboutWindow, AboutNoticeLabel, {5, 116, 390, 20},
                circledC + " 2026 The Digestorium developers.  Website " +
                    std::string(DistributionSite));
    return true;
}

} // namespace dg
